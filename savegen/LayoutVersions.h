#pragma once
// The generator's own version conditions, written from the file layout rather than from the
// schema code, so that a slip on either side shows as a difference in bytes. They read only the
// triple of a SvgVersion, never its derived members. Each condition names the release that
// introduced its fields, so a new release adds its own and moves none of these.

#include <cstdint>

#include "schema_core/SvgVersion.h"

namespace layout {

inline bool isOstrel(const SvgVersion& v) { return v.svg_version == 42; }
// From 44 on the header holds the subversion and many lists carry their counts.
inline bool from44(const SvgVersion& v) { return v.svg_version >= 44; }
// From 45 on the header holds the hardware subversion and the state ends with the HW record.
inline bool from45(const SvgVersion& v) { return v.svg_version >= 45; }
inline bool fromSubversion3(const SvgVersion& v) { return v.svg_subversion >= 3; }
inline bool from44Sub2(const SvgVersion& v) { return from44(v) && v.svg_subversion >= 2; }
inline bool from44Sub3(const SvgVersion& v) { return from44(v) && fromSubversion3(v); }
inline bool onlySubversion2(const SvgVersion& v) { return v.svg_subversion == 2; }
// Today's newest layout: a new release decides whether its fields stay.
inline bool onlySubversion3(const SvgVersion& v) { return v.svg_subversion == 3; }

// The format level of a layout, which sizes the artifact blocks and the teleporter groups: 3
// below 44, then one level per subversion, 10 for a subversion no release has.
inline std::uint32_t formatLevel(const SvgVersion& v) {
    if (!from44(v)) return 3;
    switch (v.svg_subversion) {
        case 2: return 11;
        case 3: return 12;
        default: return 10;
    }
}
inline bool hasLevelFromSubversion2(const SvgVersion& v) { return formatLevel(v) >= 11; }
inline bool hasLevelFromSubversion3(const SvgVersion& v) { return formatLevel(v) >= 12; }

}  // namespace layout
