#pragma once
// The version triple of a save, its derived format level, and the presence predicates that
// decide in which versions a schema node exists in the file.

#include <cstdint>

class ByteInput;

struct SvgVersion {
    std::uint32_t svg_version = 0;
    std::uint32_t svg_subversion = 0;
    std::uint32_t svg_hw_subversion = 0;
    std::uint32_t formatLevel = ostrelLevel;  // derived, never stored in a file

    // The releases of the format; every version boundary is named below and written only there.
    static constexpr std::uint32_t ostrelRelease = 42;
    static constexpr std::uint32_t brevinRelease = 44;
    static constexpr std::uint32_t brevinHwRelease = 45;
    static constexpr std::uint32_t olderBrevinSubversion = 2;
    static constexpr std::uint32_t currentBrevinSubversion = 3;

    static constexpr std::uint32_t ostrelLevel = 3;
    static constexpr std::uint32_t otherBrevinLevel = 10;
    static constexpr std::uint32_t olderBrevinLevel = 11;
    static constexpr std::uint32_t currentBrevinLevel = 12;

    bool isOstrel() const { return svg_version == ostrelRelease; }
    bool isNewerThanOstrel() const { return svg_version > ostrelRelease; }
    bool isBrevin() const { return svg_version == brevinRelease || svg_version == brevinHwRelease; }
    bool isBrevinHw() const { return svg_version == brevinHwRelease; }
    // From 44 on the subversion is on file and several blocks carry their counts.
    bool hasBrevinLayout() const { return svg_version >= brevinRelease; }
    bool hasHwSubversion() const { return svg_version >= brevinHwRelease; }
    bool isOlderBrevinSubversion() const { return svg_subversion == olderBrevinSubversion; }
    bool isCurrentBrevinSubversion() const { return svg_subversion == currentBrevinSubversion; }
    bool isAtLeastOlderBrevinSubversion() const { return svg_subversion >= olderBrevinSubversion; }
    bool isAtLeastCurrentBrevinSubversion() const { return svg_subversion >= currentBrevinSubversion; }
    bool hasOlderSubversionThan(const SvgVersion& other) const { return svg_subversion < other.svg_subversion; }

    // The derived level that sizes the blocks a write pads.
    bool hasOlderBrevinLevel() const { return formatLevel == olderBrevinLevel; }
    bool hasCurrentBrevinLevel() const { return formatLevel == currentBrevinLevel; }

    // 3 below version 44; from 44 on 11 for subversion 2, 12 for 3, 10 otherwise.
    static std::uint32_t deriveFormatLevel(std::uint32_t svgVersion, std::uint32_t svgSubversion);
    void updateFormatLevel() { formatLevel = deriveFormatLevel(svg_version, svg_subversion); }
};

using VersionPredicate = bool (*)(const SvgVersion&);

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
