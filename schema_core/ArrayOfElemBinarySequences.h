#pragma once
// A count of type N, then that many plain values of type T as one raw block. The block is kept
// exactly as it stands in the file, so it is written back byte for byte.

#include <type_traits>

#include "schema_core/ArrayCounts.h"

template <class N, class T>
class ArrayOfElemBinarySequences : public BinarySequence {
public:
    explicit ArrayOfElemBinarySequences(VersionPredicate presence = AlwaysPresent) : BinarySequence(presence) {}

    void read(ByteInput& in, const SvgVersion&) override {
        elements.clear();
        readLittleEndian(in, count);
        if (!hasElements()) return;
        std::uint64_t bytes = static_cast<std::uint64_t>(count) * sizeof(T);
        const unsigned char* start = in.take(bytes);
        elements.assign(start, start + bytes);
    }

    void write(ByteOutput& out, const SvgVersion&) const override {
        writeLittleEndian(out, count);
        if (hasElements()) out.write(elements.data(), elements.size());
    }

    bool hasElements() const {
        if constexpr (std::is_signed_v<N>)
            return count >= 1;
        else
            return count != 0;
    }

    N count{};
    NodeBytes elements{memory()};  // count values of T, little-endian as on file
};
