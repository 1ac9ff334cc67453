// Entry point of the savefile converter: the interactive run on the standard console with the
// real engine. No arguments are read; the exit code is always 0.

#include <malloc.h>

#include <csignal>
#include <exception>
#include <iostream>

#include "driver/Console.h"
#include "driver/ConversionEngine.h"
#include "driver/ConversionRun.h"

int main() {
    // Output into a closed pipe must not end the run with a signal: writes fail quietly instead.
    std::signal(SIGPIPE, SIG_IGN);
    // Nor may a file-size limit: a write past it fails with EFBIG, and that file's write fails.
    std::signal(SIGXFSZ, SIG_IGN);
    // Each file builds and frees a tree of many small records plus a few large buffers. Keeping
    // that memory in the process for the next file, instead of handing it back to the system
    // after every file, spares the page faults of faulting it in again.
    mallopt(M_MMAP_THRESHOLD, 64 << 20);
    mallopt(M_TRIM_THRESHOLD, 128 << 20);
    Console& console = Console::standard();
    try {
        FacadeEngine engine;
        return runConversion(console, engine);
    } catch (const std::exception& error) {
        // Only running out of memory gets here; the player's terminal is still put back.
        console.resetAttributes();
        std::cerr << "\nsavefile-converter: " << error.what() << "\n";
        return 0;
    }
}
