// Entry point of the savefile converter: the interactive run on the standard console with the
// real engine. No arguments are read; the exit code is always 0.

#include <exception>
#include <iostream>

#include "driver/Console.h"
#include "driver/ConversionEngine.h"
#include "driver/ConversionRun.h"
#include "platform/Platform.h"

int main() {
    platform::prepareProcess();
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
