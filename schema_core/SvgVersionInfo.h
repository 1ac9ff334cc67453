#pragma once
// The version fields of the save header. Read as three elements; always written from the
// version handed to write, so a conversion stamps the target version into its output.

#include "schema_core/ElemBinarySequence.h"

class SvgVersionInfo : public BinarySequence {
public:
    explicit SvgVersionInfo(VersionPredicate presence = AlwaysPresent);

    void write(ByteOutput& out, const SvgVersion& version) const override;

    ElemBinarySequence<unsigned int>& svg_version;
    ElemBinarySequence<unsigned int>& svg_hw_subversion;
    ElemBinarySequence<unsigned int>& svg_subversion;
};
