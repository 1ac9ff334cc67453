#include "schema_core/SvgVersion.h"

#include "schema_core/ByteStream.h"
#include "schema_core/LittleEndian.h"

std::uint32_t SvgVersion::deriveFormatLevel(std::uint32_t svgVersion, std::uint32_t svgSubversion) {
    if (svgVersion < 44) return 3;
    if (svgSubversion == 2) return 11;
    if (svgSubversion == 3) return 12;
    return 10;
}

namespace {
bool alwaysTrue(const SvgVersion&) { return true; }
}  // namespace

const VersionPredicate AlwaysPresent = &alwaysTrue;

bool FromVersion44(const SvgVersion& v) { return v.svg_version >= 44; }
bool FromVersion45(const SvgVersion& v) { return v.svg_version >= 45; }
bool FromVersion44Sub2(const SvgVersion& v) { return v.svg_version >= 44 && v.svg_subversion >= 2; }
bool FromVersion44Sub3(const SvgVersion& v) { return v.svg_version >= 44 && v.svg_subversion >= 3; }
bool OnlySubversion2(const SvgVersion& v) { return v.svg_subversion == 2; }
bool OnlySubversion3(const SvgVersion& v) { return v.svg_subversion == 3; }
bool FromSubversion3(const SvgVersion& v) { return v.svg_subversion >= 3; }

bool readVersionHeader(ByteInput& in, SvgVersion& version) {
    unsigned char signature[8];
    in.read(signature, sizeof signature);
    readLittleEndian(in, version.svg_version);
    if (in.hardError()) return false;
    if (version.svg_version >= 45) {
        readLittleEndian(in, version.svg_hw_subversion);
        if (in.hardError()) return false;
    } else {
        version.svg_hw_subversion = 0;
    }
    if (version.svg_version >= 44) {
        readLittleEndian(in, version.svg_subversion);
        if (in.hardError()) return false;
    } else {
        version.svg_subversion = 0;
    }
    version.updateFormatLevel();
    return true;
}
