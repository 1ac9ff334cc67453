#pragma once
// A byte block whose length is fixed when the node is built, optionally filled with one value.

#include "schema_core/BinarySequence.h"

template <class T>
class FixedLengthArrayOfElemBinarySequences;

template <>
class FixedLengthArrayOfElemBinarySequences<unsigned char> : public BinarySequence {
public:
    FixedLengthArrayOfElemBinarySequences(int length, unsigned char fill, VersionPredicate presence = AlwaysPresent);
    explicit FixedLengthArrayOfElemBinarySequences(int length, VersionPredicate presence = AlwaysPresent);

    void read(ByteInput& in, const SvgVersion& version) override;
    void write(ByteOutput& out, const SvgVersion& version) const override;

    const int length;
    NodeBytes data;
};
