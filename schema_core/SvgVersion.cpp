#include "schema_core/SvgVersion.h"

#include "schema_core/ByteStream.h"
#include "schema_core/LittleEndian.h"

namespace {

// The table is in release order, and its levels rise with it above the levels of the layouts
// outside it, so "this level or later" compares levels.
constexpr bool tableRisesAboveOtherLevels() {
    std::uint32_t number = 0;
    std::uint32_t level = SvgVersion::otherBrevinLevel;
    for (const BrevinSubversion& row : brevinSubversions) {
        if (row.number <= number || row.formatLevel <= level) return false;
        number = row.number;
        level = row.formatLevel;
    }
    return true;
}
static_assert(SvgVersion::ostrelLevel < SvgVersion::otherBrevinLevel && tableRisesAboveOtherLevels(),
              "brevinSubversions must rise in number and level, above the levels of other layouts");

constexpr std::uint32_t levelOfSubversion(std::uint32_t number) {
    const BrevinSubversion* row = findBrevinSubversion(number);
    return row != nullptr ? row->formatLevel : SvgVersion::otherBrevinLevel;
}

bool fromSubversion(const SvgVersion& v, std::uint32_t number) { return v.svg_subversion >= number; }
bool onlySubversion(const SvgVersion& v, std::uint32_t number) { return v.svg_subversion == number; }

bool alwaysTrue(const SvgVersion&) { return true; }

}  // namespace

bool SvgVersion::hasLevelOfSubversion2() const { return formatLevel == levelOfSubversion(2); }
bool SvgVersion::hasLevelFromSubversion3() const { return formatLevel >= levelOfSubversion(3); }

std::uint32_t SvgVersion::deriveFormatLevel(std::uint32_t svgVersion, std::uint32_t svgSubversion) {
    SvgVersion version;
    version.svg_version = svgVersion;
    if (!version.hasBrevinLayout()) return ostrelLevel;
    return levelOfSubversion(svgSubversion);
}

const VersionPredicate AlwaysPresent = &alwaysTrue;

bool FromVersion44(const SvgVersion& v) { return v.hasBrevinLayout(); }
bool FromVersion45(const SvgVersion& v) { return v.hasHwSubversion(); }
bool FromVersion44Sub2(const SvgVersion& v) { return v.hasBrevinLayout() && fromSubversion(v, 2); }
bool FromVersion44Sub3(const SvgVersion& v) { return v.hasBrevinLayout() && fromSubversion(v, 3); }
bool OnlySubversion2(const SvgVersion& v) { return onlySubversion(v, 2); }
bool OnlySubversion3(const SvgVersion& v) { return onlySubversion(v, 3); }
bool FromSubversion3(const SvgVersion& v) { return fromSubversion(v, 3); }

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
