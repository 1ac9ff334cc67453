#pragma once
// The conversion run: banner, the first question or the chosen paths, the walk over each folder,
// the first pass over every save, the optional Ostrel pass, the closing line and the key-press
// pause. The dialogue and the command line run through here alike; only the settings differ.

#include <string>
#include <vector>

#include "driver/Console.h"
#include "driver/ConversionEngine.h"

inline constexpr const char* GamesDirectory = "../games";
inline constexpr const char* ProgramVersion = "1.01";

struct RunSettings {
    // Folders to walk and files to take, in this order.
    std::vector<std::string> roots{GamesDirectory};
    // The roots were named by the user: that is the consent, so the explanation and the first
    // question are left out, and a named file that a folder walk would pass over silently gets
    // a line of its own. Otherwise the single root is the games folder of the dialogue.
    bool rootsChosen = false;
    // Arguments were given: the run ends with a summary line and reports through its exit status.
    bool scripted = false;
    bool answerYes = false;  // both questions answered "y" without reading
    bool pause = true;
    bool dryRun = false;     // report what would happen; write nothing
    bool verbose = false;    // the engine's own text after every failure line
};

// Exit statuses of a scripted run; the dialogue always ends with 0.
inline constexpr int ExitSuccess = 0;
inline constexpr int ExitFileFailed = 1;
inline constexpr int ExitUsage = 2;

// Returns the program's exit code.
int runConversion(Console& console, ConversionEngine& engine, const RunSettings& settings);
