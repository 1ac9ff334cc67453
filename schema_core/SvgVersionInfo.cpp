#include "schema_core/SvgVersionInfo.h"

SvgVersionInfo::SvgVersionInfo(VersionPredicate presence)
    : BinarySequence(presence),
      svg_version(addNew<ElemBinarySequence<unsigned int>>(AlwaysPresent)),
      svg_hw_subversion(addNew<ElemBinarySequence<unsigned int>>(FromVersion45)),
      svg_subversion(addNew<ElemBinarySequence<unsigned int>>(FromVersion44)) {}

void SvgVersionInfo::write(ByteOutput& out, const SvgVersion& version) const {
    writeLittleEndian(out, version.svg_version);
    if (FromVersion45(version)) writeLittleEndian(out, version.svg_hw_subversion);
    if (FromVersion44(version)) writeLittleEndian(out, version.svg_subversion);
}
