#pragma once
// The input of the record-level fuzz target: a head that names one record of the tree an engine
// builds and the version to read it with, then that record's bytes. The head names both by what a
// new field or a new release leaves in place, so that a seed picks the record it was cut from
// whatever is added to the tree or to the release table:
//
//   name      the record's name (RecordPath::name below), then a zero byte
//   12 bytes  the source version: svg_version, svg_subversion, svg_hw_subversion (little-endian)
//   1 byte    map size, 1 byte its level flag (bit 0), for the records sized by the map
//
// The records are the root's records in file order, then the records those hold from construction
// on, record by record (but for the records holding many, RecordPick.cpp). A head a fuzzer changed
// may name no record, or a triple no save file has: it then picks a record and a family by the
// name's and the triple's bytes, so that every input reads some record.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "engine/Q7Svg_impl.h"
#include "schema_core/SvgVersion.h"

struct RecordPath {
    std::size_t top;    // index among the root's records
    std::size_t child;  // index among that record's own, or npos for the record itself
    // The class of the root's record and, for a record inside it, '/' and its own class; a class
    // that an earlier sibling has too is followed by '#' and the number of such siblings.
    std::string name;
};

struct RecordPick {
    std::size_t record = 0;  // index into recordPaths()
    SvgVersion source;
    std::uint32_t mapSize = 0;
    unsigned char twoLevels = 0;
    // The head names a record of the tree and a triple a save file of an accepted version has.
    bool named = false;
    const std::uint8_t* bytes = nullptr;
    std::size_t size = 0;
};

// Every record an engine's tree holds right after its construction, in the order above.
const std::vector<RecordPath>& recordPaths();

// The pick an input names; false when it holds no whole head.
bool pickRecord(const std::uint8_t* data, std::size_t size, RecordPick& pick);

// The head of an input that picks `record` (an index into recordPaths()) read as `source`.
std::vector<std::uint8_t> recordHead(std::size_t record, const SvgVersion& source, std::uint32_t mapSize, bool twoLevels);

// The engine to build for the pick: the basic parameters and the picked record's top-level record.
Q7Svg_impl::OneRecord pickedRecord(const RecordPick& pick);
// The picked record of an engine built with pickedRecord(pick); the map records are given the
// pick's map size first.
BinarySequence& pickedNode(Q7Svg_impl& engine, const RecordPick& pick);
