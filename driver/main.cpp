// Entry point of the savefile converter: the run on the standard console with the real engine,
// as the command line asks for it.

#include <malloc.h>

#include <csignal>
#include <iostream>
#include <string>
#include <vector>

#include "driver/CommandLine.h"

int main(int argc, char** argv) {
    // Output into a closed pipe must not end the run with a signal: writes fail quietly instead.
    std::signal(SIGPIPE, SIG_IGN);
    // Each file builds and frees a tree of many small records plus a few large buffers. Keeping
    // that memory in the process for the next file, instead of handing it back to the system
    // after every file, spares the page faults of faulting it in again.
    mallopt(M_MMAP_THRESHOLD, 64 << 20);
    mallopt(M_TRIM_THRESHOLD, 128 << 20);
    FacadeEngine engine;
    return runCommandLine(std::vector<std::string>(argv + 1, argv + argc), Console::standard(), engine, std::cout,
                          std::cerr);
}
