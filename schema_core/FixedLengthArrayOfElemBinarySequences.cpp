#include "schema_core/FixedLengthArrayOfElemBinarySequences.h"

FixedLengthArrayOfElemBinarySequences<unsigned char>::FixedLengthArrayOfElemBinarySequences(
    int length, unsigned char fill, VersionPredicate presence)
    : BinarySequence(presence), length(length), data(length > 0 ? static_cast<std::size_t>(length) : 0, fill, memory()) {}

// Bytes without a fill start at zero; such nodes are always read before they are written.
FixedLengthArrayOfElemBinarySequences<unsigned char>::FixedLengthArrayOfElemBinarySequences(
    int length, VersionPredicate presence)
    : FixedLengthArrayOfElemBinarySequences(length, 0, presence) {}

void FixedLengthArrayOfElemBinarySequences<unsigned char>::read(ByteInput& in, const SvgVersion&) {
    if (length >= 1) in.read(data.data(), data.size());
}

void FixedLengthArrayOfElemBinarySequences<unsigned char>::write(ByteOutput& out, const SvgVersion&) const {
    if (length >= 1) out.write(data.data(), data.size());
}
