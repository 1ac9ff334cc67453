#pragma once
// Map and world records: the saved game's own file name, the artifact blocks, rumors, the map
// cells and their parameters, the teleporter lists and the cell reference of replay actions.

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include "schema_core/Text.h"
#include "schema_core/ArrayOfBinarySequences.h"
#include "schema_core/ArrayOfElemBinarySequences.h"
#include "schema_core/BinarySequence.h"
#include "schema_core/ElemBinarySequence.h"

// Raised when a record read meets a value outside the bounds a real save can hold; the loader
// reports the file as corrupted.
class RecordLimitError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

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

class SvgMapPreSmth2 : public BinarySequence {
public:
    explicit SvgMapPreSmth2(const std::string& outputBaseName, VersionPredicate presence = AlwaysPresent);

    savegame_file_name& item01;
    ElemBinarySequence<unsigned char[2]>& item02;
    ElemBinarySequence<unsigned char>& item03;
    ElemBinarySequence<unsigned char[8]>& item04;
    ElemBinarySequence<unsigned char[32]>& item05;
    ElemBinarySequence<unsigned char[4]>& item06;
};

// A block of artifact bytes whose size grows with the format: 144 entries in the oldest format
// (no count on file), 161 or 163 entries with a count in the newer ones. Writing pads the block
// with entries of value 1 up to the target's size.
class SvgArtifacts : public BinarySequence {
public:
    static constexpr std::int32_t maxCount = 1000000;
    static constexpr std::int32_t countWithoutCountField = 144;

    explicit SvgArtifacts(VersionPredicate presence = AlwaysPresent) : BinarySequence(presence) {}

    void read(ByteInput& in, const SvgVersion& version) override;
    void write(ByteOutput& out, const SvgVersion& version) const override;

    static std::int32_t targetCount(const SvgVersion& version);

    std::int32_t artifactCount = 0;
    NodeBytes bytes{memory()};
};

class SvgRumor : public BinarySequence {
public:
    explicit SvgRumor(VersionPredicate presence = AlwaysPresent);

    Text16& item01;
    ElemBinarySequence<unsigned char>& item02;
};

class SvgRumors : public BinarySequence {
public:
    explicit SvgRumors(VersionPredicate presence = AlwaysPresent);

    Text16& item01;
    ElemBinarySequence<unsigned char[256]>& item02;
    ArrayOfBinarySequences<int, SvgRumor>& item03;
};

// A block of map data measured from the map size and level flag read earlier in the same save,
// and held as one opaque block, written back unchanged.
class MapSizedBlock : public BinarySequence {
public:
    MapSizedBlock(const unsigned int& mapSize, const unsigned char& twoLevels, VersionPredicate presence)
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

    SvgCells(const unsigned int& mapSize, const unsigned char& twoLevels, VersionPredicate presence = AlwaysPresent);

    void read(ByteInput& in, const SvgVersion& version) override;

private:
    std::uint64_t measureLevel(ByteInput& in) const;
};

// Two bytes per cell and level, held as one opaque block.
class SvgCellsParams : public MapSizedBlock {
public:
    SvgCellsParams(const unsigned int& mapSize, const unsigned char& twoLevels, VersionPredicate presence = AlwaysPresent);

    void read(ByteInput& in, const SvgVersion& version) override;
};

// Two groups of teleporter lists. From version 44 on each group has a count on file and newer
// formats expect more lists per group, so writing pads each group with empty lists.
class SvgMonolythsArray : public BinarySequence {
public:
    static constexpr std::uint32_t oldGroupCount = 8;

    explicit SvgMonolythsArray(VersionPredicate presence = AlwaysPresent) : BinarySequence(presence) {}

    void read(ByteInput& in, const SvgVersion& version) override;
    void write(ByteOutput& out, const SvgVersion& version) const override;

    static std::uint32_t minimumGroupOne(const SvgVersion& version);
    static constexpr std::uint32_t minimumGroupTwo = 12;

    std::uint32_t groupOneCount = 0;
    std::uint32_t groupTwoCount = 0;
};

class SvgTeleportes_Whirlpools_Gates : public BinarySequence {
public:
    explicit SvgTeleportes_Whirlpools_Gates(VersionPredicate presence = AlwaysPresent);

    SvgMonolythsArray& item01;
    TeleportList& item02;
    TeleportList& item03;
    TeleportList& item04;
};

class OpenMapCell : public BinarySequence {
public:
    explicit OpenMapCell(VersionPredicate presence = AlwaysPresent);

    ElemBinarySequence<unsigned int>& item01;
    ElemBinarySequence<unsigned short>& item02;
    ElemBinarySequence<unsigned short>& item03;
};
