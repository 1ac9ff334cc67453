#include "schema_core/SvgVersion.h"

#include "schema_core/ByteStream.h"
#include "schema_core/LittleEndian.h"

std::uint32_t SvgVersion::deriveFormatLevel(std::uint32_t svgVersion, std::uint32_t svgSubversion) {
    SvgVersion version;
    version.svg_version = svgVersion;
    version.svg_subversion = svgSubversion;
    if (!version.hasBrevinLayout()) return ostrelLevel;
    if (version.isOlderBrevinSubversion()) return olderBrevinLevel;
    if (version.isCurrentBrevinSubversion()) return currentBrevinLevel;
    return otherBrevinLevel;
}

namespace {
bool alwaysTrue(const SvgVersion&) { return true; }
}  // namespace

const VersionPredicate AlwaysPresent = &alwaysTrue;

bool FromVersion44(const SvgVersion& v) { return v.hasBrevinLayout(); }
bool FromVersion45(const SvgVersion& v) { return v.hasHwSubversion(); }
bool FromVersion44Sub2(const SvgVersion& v) { return v.hasBrevinLayout() && v.isAtLeastOlderBrevinSubversion(); }
bool FromVersion44Sub3(const SvgVersion& v) { return v.hasBrevinLayout() && v.isAtLeastCurrentBrevinSubversion(); }
bool OnlySubversion2(const SvgVersion& v) { return v.isOlderBrevinSubversion(); }
bool OnlySubversion3(const SvgVersion& v) { return v.isCurrentBrevinSubversion(); }
bool FromSubversion3(const SvgVersion& v) { return v.isAtLeastCurrentBrevinSubversion(); }

void readVersionHeader(ByteInput& in, SvgVersion& version) {
    unsigned char signature[8];
    in.read(signature, sizeof signature);
    readLittleEndian(in, version.svg_version);
    if (FromVersion45(version))
        readLittleEndian(in, version.svg_hw_subversion);
    else
        version.svg_hw_subversion = 0;
    if (FromVersion44(version))
        readLittleEndian(in, version.svg_subversion);
    else
        version.svg_subversion = 0;
    version.updateFormatLevel();
}
