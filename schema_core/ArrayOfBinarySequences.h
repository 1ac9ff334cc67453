#pragma once
// A count of integer type N, then that many records of type T created while reading.
// Text is ArrayOfBinarySequences<short or unsigned int, ElemBinarySequence<char>>.

#include "schema_core/ArrayCounts.h"

template <class N, class T>
class ArrayOfBinarySequences : public BinarySequence {
public:
    explicit ArrayOfBinarySequences(VersionPredicate presence = AlwaysPresent) : BinarySequence(presence) {}

    void read(ByteInput& in, const SvgVersion& version) override {
        if (!isPresent(version)) return;
        array_counts::readRecords<T>(*this, in, version, array_counts::readCount<N>(in));
    }

    void write(ByteOutput& out, const SvgVersion& version) const override {
        if (!isPresent(version)) return;
        array_counts::writeCount<N>(out, children.size());
        for (const auto& child : children) child->write(out, version);
    }
};
