#pragma once
// The version triple of a save, its derived format level, the table of the Brevin subversions
// the converter knows, and the presence predicates that decide in which versions a schema node
// exists in the file.

#include <cstddef>
#include <cstdint>

class ByteInput;

// A Brevin subversion the converter reads and writes, and the format level its layout has.
struct BrevinSubversion {
    std::uint32_t number;
    std::uint32_t formatLevel;
};

// Every Brevin subversion the converter knows, oldest first; the last row is the current
// release, the target of every conversion. A new release is a new last row here, a predicate
// below for the fields it adds, and its fields' rows in the records.
inline constexpr BrevinSubversion brevinSubversions[] = {
    {2, 11},
    {3, 12},
};

inline constexpr std::size_t brevinSubversionCount = sizeof brevinSubversions / sizeof brevinSubversions[0];

// The current release: the table's last row.
constexpr const BrevinSubversion& currentBrevinSubversion() { return brevinSubversions[brevinSubversionCount - 1]; }

// The row of a subversion number, or nullptr when the converter does not know it.
constexpr const BrevinSubversion* findBrevinSubversion(std::uint32_t number) {
    for (const BrevinSubversion& row : brevinSubversions)
        if (row.number == number) return &row;
    return nullptr;
}

struct SvgVersion {
    std::uint32_t svg_version = 0;
    std::uint32_t svg_subversion = 0;
    std::uint32_t svg_hw_subversion = 0;
    std::uint32_t formatLevel = ostrelLevel;  // derived, never stored in a file

    // The releases of the format; every version boundary is named below and written only there.
    static constexpr std::uint32_t ostrelRelease = 42;
    static constexpr std::uint32_t brevinRelease = 44;
    static constexpr std::uint32_t brevinHwRelease = 45;

    // The levels of the layouts that are no row of the table.
    static constexpr std::uint32_t ostrelLevel = 3;
    static constexpr std::uint32_t otherBrevinLevel = 10;

    bool isOstrel() const { return svg_version == ostrelRelease; }
    bool isNewerThanOstrel() const { return svg_version > ostrelRelease; }
    bool isBrevin() const { return svg_version == brevinRelease || svg_version == brevinHwRelease; }
    bool isBrevinHw() const { return svg_version == brevinHwRelease; }
    // From 44 on the subversion is on file and several blocks carry their counts.
    bool hasBrevinLayout() const { return svg_version >= brevinRelease; }
    bool hasHwSubversion() const { return svg_version >= brevinHwRelease; }
    bool hasKnownBrevinSubversion() const { return findBrevinSubversion(svg_subversion) != nullptr; }
    bool hasCurrentBrevinSubversion() const { return svg_subversion == currentBrevinSubversion().number; }
    bool hasOlderSubversionThan(const SvgVersion& other) const { return svg_subversion < other.svg_subversion; }

    // The derived level that sizes the blocks a write pads, named by the subversion whose layout
    // introduced the size: later releases keep it until a row of theirs says otherwise.
    bool hasLevelOfSubversion2() const;
    bool hasLevelFromSubversion3() const;

    // 3 below version 44; from 44 on the level of the subversion's row, 10 for a subversion the
    // table does not hold.
    static std::uint32_t deriveFormatLevel(std::uint32_t svgVersion, std::uint32_t svgSubversion);
    void updateFormatLevel() { formatLevel = deriveFormatLevel(svg_version, svg_subversion); }
};

using VersionPredicate = bool (*)(const SvgVersion&);

// Each boundary names the subversion that introduced its fields, so a new row moves none of them.
bool FromVersion44(const SvgVersion& v);
bool FromVersion45(const SvgVersion& v);
bool FromVersion44Sub2(const SvgVersion& v);
bool FromVersion44Sub3(const SvgVersion& v);
bool OnlySubversion2(const SvgVersion& v);
bool OnlySubversion3(const SvgVersion& v);
bool FromSubversion3(const SvgVersion& v);

// The always-true predicate; constant-initialised, so it is set before any tree is built.
extern const VersionPredicate AlwaysPresent;

// Pre-reads the version header from the first byte of a save body: skips the 8-byte signature,
// reads svg_version, then svg_hw_subversion (from 45) and svg_subversion (from 44). Running out
// of data is not a failure: members keep the bytes they had. The stream is in memory, so it has
// no read errors of its own; a caller that filled it handles its own.
void readVersionHeader(ByteInput& in, SvgVersion& version);
