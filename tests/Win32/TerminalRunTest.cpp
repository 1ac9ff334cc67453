// The terminal tests drive the converter through a pseudo-terminal, which Windows lacks; the
// console's own colours are shown by the run in a console window only.

#include <gtest/gtest.h>

namespace {

constexpr const char* NoPseudoTerminals = "pseudo-terminals exist only on POSIX systems";

TEST(TerminalRun, ColoursStripesAndResetOnATerminal) { GTEST_SKIP() << NoPseudoTerminals; }
TEST(TerminalRun, ColoursAreResetWhenEndedBySignal) { GTEST_SKIP() << NoPseudoTerminals; }

}  // namespace
