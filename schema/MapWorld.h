#pragma once
// Map and world records: the saved game's own file name, the artifact blocks, rumors, the map
// cells and their parameters, the teleporter lists and the cell reference of replay actions.

#include <cstdint>
#include <string>
#include <vector>

#include "schema_core/Text.h"
#include "schema_core/ArrayOfBinarySequences.h"
#include "schema_core/ArrayOfElemBinarySequences.h"
#include "schema_core/BinarySequence.h"
#include "schema_core/ElemBinarySequence.h"

using TeleportList = ArrayOfElemBinarySequences<unsigned short, unsigned int>;

// The 351-byte field holding the saved game's file name. On writing, the name is replaced by the
// output's base name (at most 350 characters and a zero byte); later bytes keep what was read.
class savegame_file_name : public BinarySequence {
public:
    static constexpr std::size_t fieldSize = 351;
    static constexpr std::size_t maxNameLength = fieldSize - 1;

    explicit savegame_file_name(const std::string& outputBaseName, VersionPredicate presence = AlwaysPresent);

    void read(ByteInput& in, const SvgVersion& version) override;
    void write(ByteOutput& out, const SvgVersion& version) const override;

    const std::string& outputBaseName;
    unsigned char buffer[fieldSize] = {};
};

// 398 bytes; its first field takes the output's base name on writing.
class SvgMapPreSmth2 : public BinarySequence {
public:
    explicit SvgMapPreSmth2(const std::string& outputBaseName, VersionPredicate presence = AlwaysPresent)
        : BinarySequence(presence), item01(addNew<savegame_file_name>(outputBaseName)) {}

    savegame_file_name& item01;
    ElemBinarySequence<unsigned char[2]>& item02 = field();
    ElemBinarySequence<unsigned char>& item03 = field();
    ElemBinarySequence<unsigned char[8]>& item04 = field();
    ElemBinarySequence<unsigned char[32]>& item05 = field();
    ElemBinarySequence<unsigned char[4]>& item06 = field();
};

// A block of artifact bytes whose size grows with the format: 144 entries in the oldest format
// (no count on file), 161 or 163 entries with a count in the newer ones. Writing pads the block
// with entries of value 1 up to the target's size.
class SvgArtifacts : public BinarySequence {
public:
    static constexpr std::int32_t maxCount = 1000000;
    static constexpr std::int32_t countWithoutCountField = 144;

    using BinarySequence::BinarySequence;

    void read(ByteInput& in, const SvgVersion& version) override;
    void write(ByteOutput& out, const SvgVersion& version) const override;

    static std::int32_t targetCount(const SvgVersion& version);
    static constexpr VersionPredicate hasCountField = FromVersion44;

    std::int32_t artifactCount = 0;
    NodeBytes bytes{memory()};
};

// 3 bytes plus the characters of item01.
class SvgRumor : public BinarySequence {
public:
    using BinarySequence::BinarySequence;

    Text16& item01 = field();
    ElemBinarySequence<unsigned char>& item02 = field();
};

// 262 bytes plus the characters of item01 and the rumors.
class SvgRumors : public BinarySequence {
public:
    using BinarySequence::BinarySequence;

    Text16& item01 = field();
    ElemBinarySequence<unsigned char[256]>& item02 = field();
    ArrayOfBinarySequences<int, SvgRumor>& item03 = field();
};

// A block of map data measured from the map size and level flag read earlier in the same save,
// and held as one opaque block, written back unchanged.
class MapSizedBlock : public BinarySequence {
public:
    MapSizedBlock(const unsigned int& mapSize, const unsigned char& twoLevels,
                  VersionPredicate presence = AlwaysPresent)
        : BinarySequence(presence), mapSize(mapSize), twoLevels(twoLevels) {}

    void write(ByteOutput& out, const SvgVersion& version) const override;

    const unsigned int& mapSize;
    const unsigned char& twoLevels;
    std::int32_t cellsSize = 0;
    NodeBytes bytes{memory()};
};

// The map cells of all levels, held as one opaque block. The block's size is measured by walking
// the cells (18 fixed bytes, an entry count, 4 bytes per entry) for the map size and level flag
// read earlier in the same save.
class SvgCells : public MapSizedBlock {
public:
    static constexpr unsigned int maxMapSize = 512;
    static constexpr std::uint32_t maxEntries = 238;
    static constexpr std::size_t cellFixedBytes = 18;
    static constexpr std::size_t entryBytes = 4;

    using MapSizedBlock::MapSizedBlock;

    void read(ByteInput& in, const SvgVersion& version) override;

private:
    std::uint64_t measureLevel(ByteInput& in) const;
};

// Two bytes per cell and level, held as one opaque block.
class SvgCellsParams : public MapSizedBlock {
public:
    using MapSizedBlock::MapSizedBlock;

    void read(ByteInput& in, const SvgVersion& version) override;
};

// Two groups of teleporter lists. From version 44 on each group has a count on file and newer
// formats expect more lists per group, so writing pads each group with empty lists.
class SvgMonolythsArray : public BinarySequence {
public:
    static constexpr std::uint32_t oldGroupCount = 8;

    using BinarySequence::BinarySequence;

    void read(ByteInput& in, const SvgVersion& version) override;
    void write(ByteOutput& out, const SvgVersion& version) const override;

    static std::uint32_t minimumGroupOne(const SvgVersion& version);
    static constexpr VersionPredicate hasCountFields = FromVersion44;
    static constexpr std::uint32_t minimumGroupTwo = 12;

    std::uint32_t groupOneCount = 0;
    std::uint32_t groupTwoCount = 0;
};

// The teleporter groups, then three more lists.
class SvgTeleportes_Whirlpools_Gates : public BinarySequence {
public:
    using BinarySequence::BinarySequence;

    SvgMonolythsArray& item01 = field();
    TeleportList& item02 = field();
    TeleportList& item03 = field();
    TeleportList& item04 = field();
};

// A map cell that a replay action names; 8 bytes.
class OpenMapCell : public BinarySequence {
public:
    using BinarySequence::BinarySequence;

    ElemBinarySequence<unsigned int>& item01 = field();
    ElemBinarySequence<unsigned short>& item02 = field();
    ElemBinarySequence<unsigned short>& item03 = field();
};
