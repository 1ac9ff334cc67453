#pragma once
// The input of the record-level fuzz target: a 5-byte head that picks one record of the tree an
// engine builds and the version to read it with, then that record's bytes.
//
//   bytes 0-1  which record (little-endian, modulo the number of records): the root's records in
//              file order, then the records those hold from construction on, record by record
//              (but for the records holding many, RecordPick.cpp)
//   byte 2     source version: family (modulo 5: 42, 44/2, 44/3, 45/2, 45/3) and, for 45, the
//              svg_hw_subversion (the byte divided by 5)
//   byte 3     map size, byte 4 its level flag (bit 0), for the records sized by the map

#include <cstddef>
#include <cstdint>
#include <vector>

#include "engine/Q7Svg_impl.h"
#include "schema_core/SvgVersion.h"

struct RecordPath {
    std::size_t top;    // index among the root's records
    std::size_t child;  // index among that record's own, or npos for the record itself
};

struct RecordPick {
    static constexpr std::size_t headBytes = 5;

    std::size_t record = 0;  // index into recordPaths()
    SvgVersion source;
    std::uint32_t mapSize = 0;
    unsigned char twoLevels = 0;
    const std::uint8_t* bytes = nullptr;
    std::size_t size = 0;
};

// Every record an engine's tree holds right after its construction, in the order above.
const std::vector<RecordPath>& recordPaths();

// The pick an input names; false when it is shorter than its head.
bool pickRecord(const std::uint8_t* data, std::size_t size, RecordPick& pick);

// The head of an input that picks `record` (an index into recordPaths()) read as `source`.
std::vector<std::uint8_t> recordHead(std::size_t record, const SvgVersion& source, std::uint32_t mapSize, bool twoLevels);

// The engine to build for the pick: the basic parameters and the picked record's top-level record.
Q7Svg_impl::OneRecord pickedRecord(const RecordPick& pick);
// The picked record of an engine built with pickedRecord(pick); the map records are given the
// pick's map size first.
BinarySequence& pickedNode(Q7Svg_impl& engine, const RecordPick& pick);
