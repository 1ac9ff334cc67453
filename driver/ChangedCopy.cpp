#include "driver/ChangedCopy.h"

#include <algorithm>
#include <cstring>
#include <memory>

#include "driver/Q7Svg.h"
#include "driver/SaveProbe.h"

namespace {

bool sameBytesAs(const std::string& path, const std::vector<unsigned char>& copy) {
    platform::InputFile file(path);
    if (!file.isOpen() || file.size() != static_cast<long long>(copy.size())) return false;
    constexpr std::size_t Chunk = std::size_t{1} << 16;
    const auto buffer = std::make_unique<unsigned char[]>(Chunk);
    for (std::size_t at = 0; at < copy.size();) {
        const std::size_t wanted = std::min(Chunk, copy.size() - at);
        if (file.read(buffer.get(), wanted) != static_cast<long long>(wanted)) return false;
        if (std::memcmp(buffer.get(), copy.data() + at, wanted) != 0) return false;
        at += wanted;
    }
    return true;
}

}  // namespace

bool holdsCurrentSave(const std::string& path) {
    const SaveProbe probe = probeSaveFile(path);
    if (probe.status != SaveProbeStatus::ContentRead || probe.readError) return false;
    ByteInput content(probe.content);
    return classifySavefile(content) == SavefileClass::CurrentBrevinSave;
}

bool isChangedCurrentSave(const std::string& path, const std::vector<unsigned char>& copy) {
    return holdsCurrentSave(path) && !sameBytesAs(path, copy);
}
