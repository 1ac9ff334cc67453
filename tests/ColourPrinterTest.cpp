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
