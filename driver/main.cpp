// Entry point of the savefile converter: the run on the standard console with the real engine,
// as the command line asks for it.

#include <iostream>

#include "driver/CommandLine.h"
#include "driver/StandardStreams.h"
#include "platform/Platform.h"

int main(int argc, char** argv) {
    platform::prepareProcess();
    // Every print reaches the console whole, as UTF-16 on Windows; redirected output gets the bytes.
    const StandardStreams streams;
    FacadeEngine engine;
    return runCommandLine(platform::commandLineArguments(argc, argv), Console::standard(), engine, std::cout,
                          std::cerr);
}
