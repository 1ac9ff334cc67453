#pragma once
// Count handling shared by the array node kinds: a count of type N read from the file is
// widened to 32 bits (sign-extended for a signed N) and used as an unsigned repeat count.

#include <cstddef>
#include <cstdint>
#include <memory>

#include "schema_core/BinarySequence.h"
#include "schema_core/LittleEndian.h"

namespace array_counts {

template <class N>
std::uint32_t readCount(ByteInput& in) {
    N count{};
    readLittleEndian(in, count);
    return static_cast<std::uint32_t>(count);
}

template <class N>
void writeCount(ByteOutput& out, std::size_t count) {
    writeLittleEndian(out, static_cast<N>(count));
}

// Creates and reads `count` records of type Record into `owner`. Every record takes at least
// one byte, so a count above the bytes left fails at once instead of exhausting memory.
template <class Record>
void readRecords(BinarySequence& owner, ByteInput& in, const SvgVersion& version, std::uint32_t count) {
    in.requireAvailable(count);
    owner.reserveChildren(count, in);
    for (std::uint32_t i = 0; i < count; ++i) {
        auto record = BinarySequence::makeNode<Record>(owner.memory(), AlwaysPresent);
        record->read(in, version);
        owner.addChild(std::move(record));
    }
}

}  // namespace array_counts
