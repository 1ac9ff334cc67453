#pragma once
// Loads one save file as the run does and converts it when the load succeeds, then checks what
// every save, sound or damaged, must give: a failed load writes nothing, a conversion's output
// loads back as the current subversion of its source, in its source's container form, the source
// is never changed and no temporary file is left behind.

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

struct ConversionCheck {
    std::uint32_t loadCode = 0;   // errorCode of the load
    std::uint32_t writeCode = 0;  // errorCode of the conversion, when the load succeeded
    std::string fault;            // the first rule broken, empty when all held
};

// `folder` must be an empty folder; it is empty again afterwards.
ConversionCheck checkConversion(const std::filesystem::path& folder, const std::vector<unsigned char>& save);
