#include "driver/CommandLine.h"

#include <exception>
#include <string_view>

#include "platform/Platform.h"

namespace {

constexpr const char* ProgramName = "savefile-converter";

enum class Option { Yes, NoPause, DryRun, Verbose, Help, Version };

struct OptionName {
    char shortName;  // 0: long name only
    std::string_view longName;
    Option option;
};

constexpr OptionName Options[] = {
    {'y', "yes", Option::Yes},       {0, "no-pause", Option::NoPause}, {'n', "dry-run", Option::DryRun},
    {'v', "verbose", Option::Verbose}, {'h', "help", Option::Help},   {'V', "version", Option::Version},
};

void apply(Option option, CommandLine& line, bool& help, bool& version) {
    switch (option) {
        case Option::Yes: line.settings.answerYes = true; break;
        case Option::NoPause: line.settings.pause = false; break;
        case Option::DryRun: line.settings.dryRun = true; break;
        case Option::Verbose: line.settings.verbose = true; break;
        case Option::Help: help = true; break;
        case Option::Version: version = true; break;
    }
}

const OptionName* findLong(std::string_view name) {
    for (const OptionName& known : Options)
        if (known.longName == name) return &known;
    return nullptr;
}

const OptionName* findShort(char name) {
    for (const OptionName& known : Options)
        if (known.shortName != 0 && known.shortName == name) return &known;
    return nullptr;
}

// An argument that starts with "-" and has more after it; a lone "-" is a path.
bool looksLikeOption(const std::string& argument) { return argument.size() > 1 && argument[0] == '-'; }

// Takes one option argument ("--name" or a bundle of short names such as "-yv"); false with the
// error set when any part of it is unknown.
bool takeOption(const std::string& argument, CommandLine& line, bool& help, bool& version) {
    if (argument[1] == '-') {
        const OptionName* known = findLong(std::string_view(argument).substr(2));
        if (known == nullptr) {
            line.error = "unknown option '" + maskControlBytes(argument) + "'";
            return false;
        }
        apply(known->option, line, help, version);
        return true;
    }
    for (std::size_t at = 1; at < argument.size(); ++at) {
        const OptionName* known = findShort(argument[at]);
        if (known == nullptr) {
            line.error = "unknown option '-" + maskControlBytes(std::string(1, argument[at])) + "'";
            return false;
        }
        apply(known->option, line, help, version);
    }
    return true;
}

// A path counts as missing when nothing at all is there; anything else (a dangling link, a
// folder that cannot be read) is left to the run, which reports it on the file's own line.
bool isMissing(const std::string& path) { return !platform::pathExists(path); }

int usageError(const std::string& message, std::ostream& err) {
    err << ProgramName << ": " << message << "\n" << usageText();
    err.flush();
    return ExitUsage;
}

}  // namespace

CommandLine parseCommandLine(const std::vector<std::string>& arguments) {
    CommandLine line;
    line.settings.scripted = !arguments.empty();
    bool help = false;
    bool version = false;
    bool optionsEnded = false;
    std::vector<std::string> paths;
    for (const std::string& argument : arguments) {
        if (!optionsEnded && argument == "--") {
            optionsEnded = true;
        } else if (!optionsEnded && looksLikeOption(argument)) {
            if (!takeOption(argument, line, help, version)) {
                line.action = CommandAction::UsageError;
                return line;
            }
        } else {
            paths.push_back(argument);
        }
    }
    if (!paths.empty()) {
        line.settings.roots = std::move(paths);
        line.settings.rootsChosen = true;
    }
    if (help)
        line.action = CommandAction::Help;
    else if (version)
        line.action = CommandAction::Version;
    return line;
}

std::string usageText() {
    return std::string("Usage: ") + ProgramName + " [OPTIONS] [PATH...]\n"
           "Writes a converted copy of every save of an older release next to it, named\n"
           "with \"(converted)\" before the extension. Each PATH is a save file or a folder,\n"
           "walked with its subfolders. Without PATH the folder ../games is converted once\n"
           "the question is answered; without any argument the run is the dialogue.\n"
           "\n"
           "Options:\n"
           "  -y, --yes       answer yes to both questions\n"
           "      --no-pause  do not wait for a key at the end\n"
           "  -n, --dry-run   report what would happen to each save; write nothing\n"
           "  -v, --verbose   after each failure, show the engine's detailed message\n"
           "  -h, --help      show this help and exit\n"
           "  -V, --version   show the program's and the engine's versions and exit\n"
           "  --              end of options: every later argument is a PATH\n"
           "\n"
           "Exit status: 0 when every save was converted, skipped or already current;\n"
           "1 when a file failed to load or to write or a folder could not be listed;\n"
           "2 for a usage error.\n";
}

std::string versionText(const std::string& engineVersion) {
    return std::string(ProgramName) + " v." + ProgramVersion + ", engine libraryVersion " + engineVersion + "\n";
}

int runCommandLine(const std::vector<std::string>& arguments, Console& console, ConversionEngine& engine,
                   std::ostream& out, std::ostream& err) {
    const CommandLine line = parseCommandLine(arguments);
    switch (line.action) {
        case CommandAction::UsageError: return usageError(line.error, err);
        case CommandAction::Help: out << usageText(); out.flush(); return ExitSuccess;
        case CommandAction::Version: out << versionText(engine.libraryVersion()); out.flush(); return ExitSuccess;
        case CommandAction::Run: break;
    }
    if (line.settings.rootsChosen)
        for (const std::string& path : line.settings.roots)
            if (isMissing(path)) return usageError("no such file or folder '" + maskControlBytes(path) + "'", err);
    try {
        return runConversion(console, engine, line.settings);
    } catch (const std::exception& error) {
        // Only running out of memory gets here; the player's terminal is still put back.
        console.resetAttributes();
        err << "\n" << ProgramName << ": " << error.what() << "\n";
        return line.settings.scripted ? ExitFileFailed : ExitSuccess;
    }
}
