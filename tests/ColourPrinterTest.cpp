#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "driver/ColourPrinter.h"
#include "driver/Console.h"
#include "tests/support/ScreenText.h"

namespace {

std::string letters(std::size_t n, char letter = 'a') { return std::string(n, letter); }

std::string printPlain(const std::string& text) {
    std::istringstream in;
    std::ostringstream out;
    Console console(in, out, false);
    ColourPrinter(console).printColoured(ColourText, false, text);
    return out.str();
}

struct WrapCase {
    const char* name;
    std::string text;
    std::string expected;
};

TEST(ColourPrinter, WrapsAndPadsEveryLineTo79Columns) {
    const std::vector<WrapCase> cases = {
        {"short line", "abc", padded("abc")},
        {"lone line break", "\n", padded("")},
        {"empty text", "", ""},
        {"empty lines count, trailing piece only if not empty", "\nA\n\n", padded("") + padded("A") + padded("")},
        {"78 letters", letters(78), padded(letters(78))},
        {"79 letters in one piece", letters(79), padded(letters(79))},
        {"80 letters cut hard", letters(80), padded(letters(79)) + padded("a")},
        {"break at the last space", letters(70) + " " + letters(20, 'b'), padded(letters(70)) + padded(letters(20, 'b'))},
        {"spaces before the break are dropped", letters(70) + "   " + letters(20, 'b'),
         padded(letters(70)) + padded(letters(20, 'b'))},
        {"space at index 78 is kept", letters(78) + " xyz", padded(letters(78) + " ") + padded("xyz")},
        {"words wrap repeatedly", letters(50) + " " + letters(50, 'b') + " " + letters(50, 'c'),
         padded(letters(50)) + padded(letters(50, 'b')) + padded(letters(50, 'c'))},
        // A break space with only spaces before it: cut hard so that nothing is written twice.
        {"only spaces before the break space", "     " + letters(90),
         padded("     " + letters(74)) + padded(letters(16))},
        {"break space at index 0", " " + letters(100), padded(" " + letters(78)) + padded(letters(22))},
        {"lines are wrapped one by one", letters(80) + "\nxy", padded(letters(79)) + padded("a") + padded("xy")},
    };
    for (const WrapCase& c : cases) EXPECT_EQ(printPlain(c.text), c.expected) << c.name;
}

std::string repeated(std::size_t n, const std::string& character) {
    std::string text;
    for (std::size_t i = 0; i < n; ++i) text += character;
    return text;
}

const std::string Cyrillic = "\xD0\xB6";  // one column
const std::string Ideograph = "\xE6\x9D\xB1";  // two columns

// Lines are measured in columns: a valid UTF-8 character takes 2 columns when East Asian Wide or
// Fullwidth, else 1, and every byte outside valid UTF-8 takes 1; a character is never split and
// every piece is padded to 79 columns. The expected columns are counted by hand.
TEST(ColourPrinter, WrapsAndPadsInColumnsNotBytes) {
    const std::vector<WrapCase> cases = {
        {"accented Latin and Cyrillic: one column each", "\xC3\x89lan \xD0\x9C\xD0\xBE\xD1\x8F",
         padded("\xC3\x89lan \xD0\x9C\xD0\xBE\xD1\x8F", 8)},
        {"ideographs, kana, Hangul, fullwidth A: two columns each",
         "\xE6\x9D\xB1\xE4\xBA\xAC\xE3\x81\x8B\xE3\x82\xAB\xEA\xB0\x80\xEF\xBC\xA1",
         padded("\xE6\x9D\xB1\xE4\xBA\xAC\xE3\x81\x8B\xE3\x82\xAB\xEA\xB0\x80\xEF\xBC\xA1", 12)},
        {"halfwidth kana one column; a plane-2 ideograph and an emoji two",
         "\xEF\xBD\xB1\xF0\xA0\x80\x80\xF0\x9F\x98\x80", padded("\xEF\xBD\xB1\xF0\xA0\x80\x80\xF0\x9F\x98\x80", 5)},
        {"ideographic space wide, the symbol after the CJK punctuation block narrow",
         "\xE3\x80\x80\xE3\x80\xBF", padded("\xE3\x80\x80\xE3\x80\xBF", 3)},
        {"stray continuation byte and byte FF: a column each", "\x80\xFF" + Cyrillic, padded("\x80\xFF" + Cyrillic, 3)},
        {"overlong, surrogate, beyond U+10FFFF: a column per byte",
         "\xC0\xAF\xE0\x80\xAF\xED\xA0\x80\xF4\x90\x80\x80" + Cyrillic,
         padded("\xC0\xAF\xE0\x80\xAF\xED\xA0\x80\xF4\x90\x80\x80" + Cyrillic, 13)},
        {"a truncated character does not swallow the whole one after it", "\xE6\x9D" + Ideograph,
         padded("\xE6\x9D" + Ideograph, 4)},
        {"79 Cyrillic letters in one piece", repeated(79, Cyrillic), padded(repeated(79, Cyrillic), 79)},
        {"Cyrillic words wrap at the 79th column", repeated(70, Cyrillic) + " " + repeated(20, Cyrillic),
         padded(repeated(70, Cyrillic), 70) + padded(repeated(20, Cyrillic), 20)},
        {"wide characters up to the 79th column", "a" + repeated(39, Ideograph),
         padded("a" + repeated(39, Ideograph), 79)},
        {"a wide character across column 79 starts the next piece", repeated(40, Ideograph),
         padded(repeated(39, Ideograph), 78) + padded(Ideograph, 2)},
        {"break at the space before the last wide character that fits", letters(60) + " " + repeated(10, Ideograph),
         padded(letters(60), 60) + padded(repeated(10, Ideograph), 20)},
        {"a space as the last character that fits is written", letters(77) + " " + repeated(2, Ideograph),
         padded(letters(77) + " ", 78) + padded(repeated(2, Ideograph), 4)},
        {"a stray byte at the 79th column is cut after, not inside, a character", letters(78) + "\x80" + Ideograph,
         padded(letters(78) + "\x80", 79) + padded(Ideograph, 2)},
    };
    for (const WrapCase& c : cases) EXPECT_EQ(printPlain(c.text), c.expected) << c.name;
}

TEST(ColourPrinter, PlainConsoleWritesNoEscapeSequences) {
    std::istringstream in;
    std::ostringstream out;
    Console console(in, out, false);
    ColourPrinter printer(console);
    printer.printColoured(ColourBanner, false, "x");
    printer.printColoured(ColourError, true, "y");
    console.resetAttributes();
    EXPECT_EQ(out.str(), padded("x") + padded("y"));
}

TEST(ColourPrinter, StripeAlternatesOverStripedPrintsOnly) {
    std::istringstream in;
    std::ostringstream out;
    Console console(in, out, true);
    ColourPrinter printer(console);
    printer.printColoured(ColourError, true, "1");
    printer.printColoured(ColourText, false, "plain");
    printer.printColoured(ColourError, true, "2");
    printer.printColoured(ColourBanner, false, "plain");
    printer.printColoured(ColourError, true, "3");
    printer.printColoured(ColourText, true, "4");
    EXPECT_EQ(out.str(), sgrSequence(28) + padded("1") + sgrSequence(15) + padded("plain") + sgrSequence(12) +
                             padded("2") + sgrSequence(31) + padded("plain") + sgrSequence(28) + padded("3") +
                             sgrSequence(15) + padded("4"));
}

TEST(ColourPrinter, MultiLineStripedPrintKeepsOneBackground) {
    std::istringstream in;
    std::ostringstream out;
    Console console(in, out, true);
    ColourPrinter printer(console);
    printer.printColoured(ColourText, true, "p: sucessfully converted to :\nq");
    printer.printColoured(ColourText, true, "r");
    EXPECT_EQ(out.str(), sgrSequence(31) + padded("p: sucessfully converted to :") + padded("q") + sgrSequence(15) +
                             padded("r"));
}

// An indented continuation keeps the last print's background without flipping the stripe, and
// wraps to the width left after the indent.
TEST(ColourPrinter, IndentedContinuationStaysOnItsStripe) {
    std::istringstream in;
    std::ostringstream out;
    Console console(in, out, true);
    ColourPrinter printer(console);
    printer.printColoured(ColourError, true, "f: failed");
    printer.printIndented(4, letters(70) + " " + letters(10, 'b') + "\nsecond");
    printer.printColoured(ColourError, true, "g: failed");
    EXPECT_EQ(out.str(), sgrSequence(28) + padded("f: failed") + sgrSequence(28) + padded("    " + letters(70)) +
                             padded("    " + letters(10, 'b')) + padded("    second") + sgrSequence(12) +
                             padded("g: failed"));
}

TEST(Console, AttributesMapToSgrColours) {
    const std::vector<std::pair<ConsoleAttribute, std::string>> cases = {
        {12, "\x1b[91;40m"}, {15, "\x1b[97;40m"}, {31, "\x1b[97;44m"}, {28, "\x1b[91;44m"},
        {1, "\x1b[34;40m"},  {2, "\x1b[32;40m"},  {4, "\x1b[31;40m"},  {0, "\x1b[30;40m"},
        {0x20, "\x1b[30;42m"}, {0x40, "\x1b[30;41m"}, {0x70, "\x1b[30;47m"}, {0x80, "\x1b[30;100m"},
        {0xF0, "\x1b[30;107m"}, {0x0E, "\x1b[93;40m"},
    };
    for (const auto& [attribute, sequence] : cases) EXPECT_EQ(sgrSequence(attribute), sequence) << attribute;
}

// On a terminal a name shows every control character (C0, DEL, C1) and every byte outside valid
// UTF-8 as one '?'; printable characters of any script stay as they are.
TEST(Console, MaskingShowsControlsAndInvalidBytesAsOneColumnEach) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"\xC3\x89lan \xD0\x9C\xD0\xBE\xD1\x8F \xE6\x9D\xB1\xC2\xA0x",  // printable, no-break space included
         "\xC3\x89lan \xD0\x9C\xD0\xBE\xD1\x8F \xE6\x9D\xB1\xC2\xA0x"},
        {"\xC2\x9B" "31m\xC2\x80\xC2\x9F", "?31m??"},  // C1: CSI, first and last
        {"\x9B" "31m\xFF", "?31m?"},                  // raw C1 byte, FF
        {"\xC0\xAF|\xE0\x80\xAF|\xED\xA0\x80|\xF4\x90\x80\x80", "??|???|???|????"},
        {"\xE6\x9D" "x\xE6\x9D\xB1\x80", "??x\xE6\x9D\xB1?"},  // truncated, then whole, then stray
    };
    for (const auto& [name, shown] : cases) EXPECT_EQ(maskControlBytes(name), shown) << name;
}

TEST(Console, ResetsOnlyAfterAColourWasSet) {
    std::istringstream in;
    std::ostringstream out;
    {
        Console console(in, out, true);
        console.resetAttributes();
        EXPECT_EQ(out.str(), "");
        console.setAttribute(ColourError);
        console.resetAttributes();
        console.resetAttributes();
        EXPECT_EQ(out.str(), sgrSequence(ColourError) + "\x1b[0m");
        console.setAttribute(ColourText);
    }  // leaving the console resets what is still set
    EXPECT_EQ(out.str(), sgrSequence(ColourError) + "\x1b[0m" + sgrSequence(ColourText) + "\x1b[0m");
}

TEST(Console, PauseWithoutTerminalTakesOneByteOrEndOfInput) {
    std::istringstream in("ab");
    std::ostringstream out;
    Console console(in, out, false);
    console.pause();
    EXPECT_EQ(in.get(), 'b');
    EXPECT_EQ(out.str(), "Press any key to continue . . . \n");

    std::istringstream empty;
    Console atEnd(empty, out, false);
    empty.get();  // input already at its end and failed: the pause must still return
    atEnd.pause();
    SUCCEED();
}

}  // namespace
