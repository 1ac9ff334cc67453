#pragma once
// The interactive conversion run: banner and explanation, the confirmation, the walk over
// ../games (relative to the working directory), the first pass over every save, the optional
// Ostrel pass, the closing line and the key-press pause.

#include "driver/Console.h"
#include "driver/ConversionEngine.h"

inline constexpr const char* GamesDirectory = "../games";

// Returns the program's exit code, which is 0 on every path.
int runConversion(Console& console, ConversionEngine& engine);
