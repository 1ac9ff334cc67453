#include "driver/TextColumns.h"

#include <algorithm>
#include <iterator>

namespace {

struct CodeRange {
    char32_t first;
    char32_t last;
};

// East Asian Width W and F in Unicode 15.1, adjacent ranges joined. Unassigned code points of
// the CJK blocks are Wide too, so the blocks appear whole.
constexpr CodeRange WideRanges[] = {
    {0x1100, 0x115F},    // Hangul Jamo initial consonants
    {0x231A, 0x231B},    // watch, hourglass
    {0x2329, 0x232A},    // angle brackets
    {0x23E9, 0x23EC},    // double triangles
    {0x23F0, 0x23F0},    // alarm clock
    {0x23F3, 0x23F3},    // hourglass with sand
    {0x25FD, 0x25FE},    // medium small squares
    {0x2614, 0x2615},    // umbrella, hot beverage
    {0x2648, 0x2653},    // zodiac signs
    {0x267F, 0x267F},    // wheelchair
    {0x2693, 0x2693},    // anchor
    {0x26A1, 0x26A1},    // high voltage
    {0x26AA, 0x26AB},    // medium circles
    {0x26BD, 0x26BE},    // soccer ball, baseball
    {0x26C4, 0x26C5},    // snowman, sun behind cloud
    {0x26CE, 0x26CE},    // ophiuchus
    {0x26D4, 0x26D4},    // no entry
    {0x26EA, 0x26EA},    // church
    {0x26F2, 0x26F3},    // fountain, flag in hole
    {0x26F5, 0x26F5},    // sailboat
    {0x26FA, 0x26FA},    // tent
    {0x26FD, 0x26FD},    // fuel pump
    {0x2705, 0x2705},    // heavy check mark
    {0x270A, 0x270B},    // raised fist and hand
    {0x2728, 0x2728},    // sparkles
    {0x274C, 0x274C},    // cross mark
    {0x274E, 0x274E},    // negative squared cross mark
    {0x2753, 0x2755},    // question and exclamation ornaments
    {0x2757, 0x2757},    // heavy exclamation mark
    {0x2795, 0x2797},    // heavy plus, minus, division
    {0x27B0, 0x27B0},    // curly loop
    {0x27BF, 0x27BF},    // double curly loop
    {0x2B1B, 0x2B1C},    // large squares
    {0x2B50, 0x2B50},    // medium star
    {0x2B55, 0x2B55},    // heavy large circle
    {0x2E80, 0x2E99},    // CJK radicals supplement
    {0x2E9B, 0x2EF3},    // CJK radicals supplement
    {0x2F00, 0x2FD5},    // Kangxi radicals
    {0x2FF0, 0x303E},    // ideographic description, CJK symbols and punctuation
    {0x3041, 0x3096},    // Hiragana
    {0x3099, 0x30FF},    // kana marks, Katakana
    {0x3105, 0x312F},    // Bopomofo
    {0x3131, 0x318E},    // Hangul compatibility Jamo
    {0x3190, 0x31E3},    // Kanbun, Bopomofo extended, CJK strokes
    {0x31EF, 0x321E},    // CJK stroke, Katakana extensions, enclosed CJK
    {0x3220, 0x3247},    // enclosed CJK
    {0x3250, 0x4DBF},    // enclosed CJK, CJK compatibility, extension A
    {0x4E00, 0xA48C},    // CJK unified ideographs, Yi syllables
    {0xA490, 0xA4C6},    // Yi radicals
    {0xA960, 0xA97C},    // Hangul Jamo extended A
    {0xAC00, 0xD7A3},    // Hangul syllables
    {0xF900, 0xFAFF},    // CJK compatibility ideographs
    {0xFE10, 0xFE19},    // vertical forms
    {0xFE30, 0xFE52},    // CJK compatibility forms, small forms
    {0xFE54, 0xFE66},    // small forms
    {0xFE68, 0xFE6B},    // small forms
    {0xFF01, 0xFF60},    // fullwidth forms
    {0xFFE0, 0xFFE6},    // fullwidth signs
    {0x16FE0, 0x16FE4},  // ideographic symbols
    {0x16FF0, 0x16FF1},  // ideographic symbols
    {0x17000, 0x187F7},  // Tangut
    {0x18800, 0x18CD5},  // Tangut components, Khitan small script
    {0x18D00, 0x18D08},  // Tangut supplement
    {0x1AFF0, 0x1AFF3},  // Kana extended B
    {0x1AFF5, 0x1AFFB},  // Kana extended B
    {0x1AFFD, 0x1AFFE},  // Kana extended B
    {0x1B000, 0x1B122},  // Kana supplement, Kana extended A
    {0x1B132, 0x1B132},  // small kana
    {0x1B150, 0x1B152},  // small kana
    {0x1B155, 0x1B155},  // small kana
    {0x1B164, 0x1B167},  // small kana
    {0x1B170, 0x1B2FB},  // Nushu
    {0x1F004, 0x1F004},  // mahjong red dragon
    {0x1F0CF, 0x1F0CF},  // black joker
    {0x1F18E, 0x1F18E},  // negative squared AB
    {0x1F191, 0x1F19A},  // squared CL to VS
    {0x1F200, 0x1F202},  // enclosed ideographic supplement
    {0x1F210, 0x1F23B},  // enclosed ideographic supplement
    {0x1F240, 0x1F248},  // enclosed ideographic supplement
    {0x1F250, 0x1F251},  // enclosed ideographic supplement
    {0x1F260, 0x1F265},  // enclosed ideographic supplement
    {0x1F300, 0x1F320},  // pictographs
    {0x1F32D, 0x1F335},  // pictographs
    {0x1F337, 0x1F37C},  // pictographs
    {0x1F37E, 0x1F393},  // pictographs
    {0x1F3A0, 0x1F3CA},  // pictographs
    {0x1F3CF, 0x1F3D3},  // pictographs
    {0x1F3E0, 0x1F3F0},  // pictographs
    {0x1F3F4, 0x1F3F4},  // pictographs
    {0x1F3F8, 0x1F43E},  // pictographs
    {0x1F440, 0x1F440},  // pictographs
    {0x1F442, 0x1F4FC},  // pictographs
    {0x1F4FF, 0x1F53D},  // pictographs
    {0x1F54B, 0x1F54E},  // pictographs
    {0x1F550, 0x1F567},  // clock faces
    {0x1F57A, 0x1F57A},  // pictographs
    {0x1F595, 0x1F596},  // pictographs
    {0x1F5A4, 0x1F5A4},  // pictographs
    {0x1F5FB, 0x1F64F},  // pictographs, emoticons
    {0x1F680, 0x1F6C5},  // transport and map symbols
    {0x1F6CC, 0x1F6CC},  // transport and map symbols
    {0x1F6D0, 0x1F6D2},  // transport and map symbols
    {0x1F6D5, 0x1F6D7},  // transport and map symbols
    {0x1F6DC, 0x1F6DF},  // transport and map symbols
    {0x1F6EB, 0x1F6EC},  // transport and map symbols
    {0x1F6F4, 0x1F6FC},  // transport and map symbols
    {0x1F7E0, 0x1F7EB},  // large coloured circles and squares
    {0x1F7F0, 0x1F7F0},  // heavy equals sign
    {0x1F90C, 0x1F93A},  // supplemental symbols and pictographs
    {0x1F93C, 0x1F945},  // supplemental symbols and pictographs
    {0x1F947, 0x1F9FF},  // supplemental symbols and pictographs
    {0x1FA70, 0x1FA7C},  // symbols and pictographs extended A
    {0x1FA80, 0x1FA88},  // symbols and pictographs extended A
    {0x1FA90, 0x1FABD},  // symbols and pictographs extended A
    {0x1FABF, 0x1FAC5},  // symbols and pictographs extended A
    {0x1FACE, 0x1FADB},  // symbols and pictographs extended A
    {0x1FAE0, 0x1FAE8},  // symbols and pictographs extended A
    {0x1FAF0, 0x1FAF8},  // symbols and pictographs extended A
    {0x20000, 0x2FFFD},  // supplementary ideographic plane
    {0x30000, 0x3FFFD},  // tertiary ideographic plane
};

// Characters that take no column, generated by tools/zero-width-ranges.py.
constexpr CodeRange ZeroWidthRanges[] = {
#include "driver/ZeroWidthRanges.inc"
};

bool inRanges(const CodeRange* begin, const CodeRange* end, char32_t code) {
    const auto after =
        std::upper_bound(begin, end, code, [](char32_t value, const CodeRange& range) { return value < range.first; });
    return after != begin && code <= std::prev(after)->last;
}

// A lead byte's sequence length and the range its second byte must lie in; the narrower ranges
// exclude overlong forms (E0, F0), surrogates (ED) and code points beyond U+10FFFF (F4).
// Length 0: the byte cannot start a sequence (continuation bytes, C0, C1, F5 to FF).
struct LeadByte {
    std::size_t length;
    unsigned char secondLow;
    unsigned char secondHigh;
};

LeadByte leadByte(unsigned char byte) {
    if (byte >= 0xC2 && byte <= 0xDF) return {2, 0x80, 0xBF};
    if (byte == 0xE0) return {3, 0xA0, 0xBF};
    if (byte == 0xED) return {3, 0x80, 0x9F};
    if (byte >= 0xE1 && byte <= 0xEF) return {3, 0x80, 0xBF};
    if (byte == 0xF0) return {4, 0x90, 0xBF};
    if (byte >= 0xF1 && byte <= 0xF3) return {4, 0x80, 0xBF};
    if (byte == 0xF4) return {4, 0x80, 0x8F};
    return {0, 0, 0};
}

}  // namespace

std::size_t sequenceLength(unsigned char lead) { return leadByte(lead).length; }

bool isWideCharacter(char32_t code) { return inRanges(std::begin(WideRanges), std::end(WideRanges), code); }

bool isZeroWidthCharacter(char32_t code) {
    return inRanges(std::begin(ZeroWidthRanges), std::end(ZeroWidthRanges), code);
}

namespace {

std::size_t columnsOf(char32_t code) {
    if (isZeroWidthCharacter(code)) return 0;
    return isWideCharacter(code) ? 2 : 1;
}

}  // namespace

TextCharacter firstCharacter(std::string_view text) {
    const auto first = static_cast<unsigned char>(text.front());
    if (first < 0x80) return {1, 1, true, first};
    const TextCharacter invalid{1, 1, false, first};
    const LeadByte lead = leadByte(first);
    if (lead.length == 0 || text.size() < lead.length) return invalid;
    char32_t code = first & (0xFFu >> (lead.length + 1));
    for (std::size_t i = 1; i < lead.length; ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        const unsigned char low = i == 1 ? lead.secondLow : 0x80;
        const unsigned char high = i == 1 ? lead.secondHigh : 0xBF;
        if (byte < low || byte > high) return invalid;
        code = (code << 6) | (byte & 0x3Fu);
    }
    return {lead.length, columnsOf(code), true, code};
}

std::size_t textColumns(std::string_view text) {
    return prefixFitting(text, static_cast<std::size_t>(-1)).columns;
}

TextPrefix prefixFitting(std::string_view text, std::size_t columns) {
    TextPrefix prefix{0, 0, 0, true};
    while (prefix.bytes < text.size()) {
        const TextCharacter next = firstCharacter(text.substr(prefix.bytes));
        if (next.columns > columns - prefix.columns) {
            prefix.whole = false;
            break;
        }
        prefix.lastCharacter = prefix.bytes;
        prefix.bytes += next.bytes;
        prefix.columns += next.columns;
    }
    return prefix;
}
