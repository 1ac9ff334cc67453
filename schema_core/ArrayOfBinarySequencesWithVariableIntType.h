#pragma once
// A record array whose count type depends on the version: NSecond where secondCountType holds,
// NFirst otherwise. Reading follows the source version, writing the target version.

#include "schema_core/ArrayCounts.h"

template <class NFirst, class NSecond, class T>
class ArrayOfBinarySequencesWithVariableIntType : public BinarySequence {
public:
    explicit ArrayOfBinarySequencesWithVariableIntType(VersionPredicate secondCountType,
                                                       VersionPredicate presence = AlwaysPresent)
        : BinarySequence(presence), secondCountType(secondCountType) {}

    void read(ByteInput& in, const SvgVersion& version) override {
        std::uint32_t count = secondCountType(version) ? array_counts::readCount<NSecond>(in)
                                                       : array_counts::readCount<NFirst>(in);
        array_counts::readRecords<T>(*this, in, version, count);
    }

    void write(ByteOutput& out, const SvgVersion& version) const override {
        if (secondCountType(version))
            array_counts::writeCount<NSecond>(out, children.size());
        else
            array_counts::writeCount<NFirst>(out, children.size());
        for (const auto& child : children) child->write(out, version);
    }

    const VersionPredicate secondCountType;
};
