#include "tests/support/ConversionCheck.h"

#include <set>
#include <system_error>

#include "driver/Q7Svg.h"
#include "engine/Q7Svg_impl.h"
#include "savegen/FileBytes.h"

namespace fs = std::filesystem;

namespace {

constexpr const char* SourceName = "save.GM1";
constexpr const char* OutputName = "save(converted).GM1";

std::set<std::string> entriesOf(const fs::path& folder) {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) names.insert(entry.path().filename().string());
    return names;
}

bool isLoadFailureCode(std::uint32_t code) { return code == 2 || code == 3 || code == 4 || code == 6 || code == 7; }

// The rules after the load and the conversion; empty when all held.
std::string faultAfterConversion(const fs::path& folder, const std::vector<unsigned char>& save, ConversionCheck& check,
                                 const Q7Svg& source) {
    if (!fs::exists(folder / SourceName) || readFileBytes(folder / SourceName) != save) return "source file changed";
    const bool loaded = check.loadCode == 0;
    const std::set<std::string> expected = loaded ? std::set<std::string>{SourceName, OutputName}
                                                  : std::set<std::string>{SourceName};
    if (!loaded && !isLoadFailureCode(check.loadCode)) return "load failed with code " + std::to_string(check.loadCode);
    if (!loaded && source.engine().errorMessage.empty()) return "load failed without a message";
    if (loaded && check.writeCode != 0)
        return "conversion of a loaded save failed: " + source.engine().errorMessage;
    if (entriesOf(folder) != expected) return loaded ? "folder holds more than source and output" : "failed load left a file";
    if (!loaded) return {};

    Q7Svg reloaded;
    reloaded.load((folder / OutputName).string().c_str());
    if (reloaded.hasError()) return "converted output does not load: " + reloaded.engine().errorMessage;
    const SvgVersion target = Q7Svg::targetFor(source.engine().sourceVersion);
    const SvgVersion& got = reloaded.engine().sourceVersion;
    if (got.svg_version != target.svg_version || got.svg_subversion != target.svg_subversion ||
        got.svg_hw_subversion != target.svg_hw_subversion)
        return "converted output has the wrong version";
    if (reloaded.engine().sourceKind != source.engine().sourceKind) return "converted output changed container";
    return {};
}

}  // namespace

ConversionCheck checkConversion(const fs::path& folder, const std::vector<unsigned char>& save) {
    const fs::path sourcePath = folder / SourceName;
    writeFileBytes(sourcePath, save);
    ConversionCheck check;
    {
        Q7Svg source;
        source.load(sourcePath.string().c_str());
        check.loadCode = source.engine().errorCode;
        if (check.loadCode == 0) {
            source.convertAndSave((folder / OutputName).string().c_str());
            check.writeCode = source.engine().errorCode;
        }
        check.fault = faultAfterConversion(folder, save, check, source);
    }
    std::error_code ignored;
    for (const auto& entry : fs::directory_iterator(folder)) fs::remove_all(entry.path(), ignored);
    return check;
}
