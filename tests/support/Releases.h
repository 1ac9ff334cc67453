#pragma once
// The generator's save families read against the converter's release table, for the tests that
// mean "the current release" or "a subversion no release has": they ask here instead of naming a
// subversion, so that a new last row of the table moves them along. (Subversion 2, the oldest
// release, stays an older one whatever comes.)

#include <cstdint>
#include <stdexcept>
#include <string>

#include "savegen/SaveBuilder.h"
#include "savegen/SaveFamilies.h"
#include "schema_core/SvgVersion.h"

namespace releases {

// The subversion of the current release, the target of every conversion.
inline std::uint32_t currentSubversion() { return currentBrevinSubversion().number; }

// A subversion no release has: the first one after the table's last row.
inline std::uint32_t firstUnknownSubversion() { return currentSubversion() + 1; }

// The generator's family of svg_version `release` (44 or 45) at the current subversion.
inline SaveFamily currentFamily(std::uint32_t release) {
    for (const SaveFamilyRow& row : kSaveFamilyRows)
        if (row.svgVersion == release && row.svgSubversion == currentSubversion()) return row.family;
    throw std::logic_error("the generator builds no save of " + std::to_string(release) + " at the current subversion");
}

// The family a save of `family` converts to: the current one of its release, 44 for Ostrel saves.
inline SaveFamily currentFamilyOf(SaveFamily family) {
    const std::uint32_t release = rowOf(family).svgVersion;
    return currentFamily(release == SvgVersion::brevinHwRelease ? release : SvgVersion::brevinRelease);
}

inline bool isCurrent(SaveFamily family) { return currentFamilyOf(family) == family; }

}  // namespace releases
