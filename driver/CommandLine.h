#pragma once
// The program's arguments: `savefile-converter [OPTIONS] [PATH...]`. Without any argument the
// run is the dialogue on ../games; options and paths make it a scripted run with a summary and
// an exit status.

#include <ostream>
#include <string>
#include <vector>

#include "driver/Console.h"
#include "driver/ConversionEngine.h"
#include "driver/ConversionRun.h"

enum class CommandAction { Run, Help, Version, UsageError };

struct CommandLine {
    CommandAction action = CommandAction::Run;
    RunSettings settings;
    std::string error;  // one line, for CommandAction::UsageError
};

// Reads the arguments after the program name. Every option is known by its short and long name;
// anything else that starts with "-" (before "--") is an error.
CommandLine parseCommandLine(const std::vector<std::string>& arguments);

std::string usageText();
std::string versionText(const std::string& engineVersion);

// Parses, checks that every named path exists, then helps, tells the version or runs. Help and
// version go to `out`; a usage error and the usage go to `err`. Returns the exit status.
int runCommandLine(const std::vector<std::string>& arguments, Console& console, ConversionEngine& engine,
                   std::ostream& out, std::ostream& err);
