// Entry point of the savefile converter: the interactive run on the standard console with the
// real engine. No arguments are read; the exit code is always 0.

#include "driver/Console.h"
#include "driver/ConversionEngine.h"
#include "driver/ConversionRun.h"

int main() {
    FacadeEngine engine;
    return runConversion(Console::standard(), engine);
}
