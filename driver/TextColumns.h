#pragma once
// Text measured as a terminal or console shows it. A text is UTF-8 read as characters: a valid
// sequence is one character, 0 columns wide when it takes no cell of its own (combining marks,
// format characters such as zero-width joiners, variation selectors, the joining Hangul jamo), 2
// when its East Asian Width is Wide or Fullwidth (CJK ideographs, kana, Hangul, fullwidth forms,
// most emoji), else 1; every byte that is not part of
// a valid sequence (overlong, surrogate, beyond U+10FFFF, stray continuation, truncated) is a
// character of 1 column of its own. For ASCII one byte is one column.

#include <cstddef>
#include <string_view>

struct TextCharacter {
    std::size_t bytes;    // length of the character in the text, at least 1
    std::size_t columns;  // 0, 1 or 2
    bool valid;           // false for a lone byte that is not valid UTF-8
    char32_t code;        // the code point; for an invalid byte, the byte's value
};

// The character `text` starts with; `text` must not be empty.
TextCharacter firstCharacter(std::string_view text);

// The bytes of the UTF-8 sequence a byte announces as its lead: 2 to 4; 0 for a byte that leads
// none (ASCII, continuation bytes, C0, C1, F5 to FF).
std::size_t sequenceLength(unsigned char lead);

// True for the code points whose East Asian Width is Wide or Fullwidth (Unicode 15.1).
bool isWideCharacter(char32_t code);

// True for the characters drawn over or between their neighbours: general categories Mn, Me and
// Cf but the soft hyphen, and the Hangul jamo U+1160 to U+11FF (tools/zero-width-ranges.py).
bool isZeroWidthCharacter(char32_t code);

std::size_t textColumns(std::string_view text);

// The longest start of `text` whose characters fit in `columns`, never splitting a character.
struct TextPrefix {
    std::size_t bytes;          // bytes of the characters that fit
    std::size_t columns;        // the columns they take
    std::size_t lastCharacter;  // where the last of them starts (0 when none fits)
    bool whole;                 // every character of `text` fits
};
TextPrefix prefixFitting(std::string_view text, std::size_t columns);
