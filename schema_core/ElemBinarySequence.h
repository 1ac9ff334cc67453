#pragma once
// One plain value (an integer or a fixed array of integers) stored as its raw little-endian bytes.

#include <type_traits>

#include "schema_core/BinarySequence.h"
#include "schema_core/LittleEndian.h"

template <class T>
class ElemBinarySequence : public BinarySequence {
public:
    static_assert(std::is_integral_v<std::remove_all_extents_t<T>>, "integers or arrays of integers only");

    explicit ElemBinarySequence(VersionPredicate presence = AlwaysPresent) : BinarySequence(presence) {}

    // For nodes absent in some versions: the value written when the source lacked the field.
    template <class U = T, std::enable_if_t<std::is_integral_v<U>, int> = 0>
    explicit ElemBinarySequence(U initialValue, VersionPredicate presence = AlwaysPresent)
        : BinarySequence(presence), value(initialValue) {}

    void read(ByteInput& in, const SvgVersion&) override {
        readLittleEndian(in, value);
    }
    void write(ByteOutput& out, const SvgVersion&) const override {
        writeLittleEndian(out, value);
    }

    T value{};
};
