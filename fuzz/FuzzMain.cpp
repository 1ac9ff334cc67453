// libFuzzer entry of one target, chosen when the executable is built (CONVERTER_FUZZ_TARGET).
// A broken rule aborts, so that libFuzzer keeps the input like any crash.

#include <cstdio>
#include <cstdlib>

#include "fuzz/FuzzTargets.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const NamedFuzzTarget* target = findFuzzTarget(CONVERTER_FUZZ_TARGET);
    if (target == nullptr) std::abort();
    const std::string fault = target->run(data, size);
    if (!fault.empty()) {
        std::fprintf(stderr, "%s: %s\n", target->name, fault.c_str());
        std::abort();
    }
    return 0;
}
