#include "schema/Campaign.h"

#include "schema_core/TagPredicates.h"

SvgCamp60::SvgCamp60(VersionPredicate presence)
    : BinarySequence(presence),
      item01(addNew<ElemBinarySequence<unsigned char>>(AlwaysPresent)),
      item02(addNew<ElemBinarySequence<unsigned int>>(AlwaysPresent)),
      item03(addNew<ElemBinarySequence<unsigned int>>(AlwaysPresent)),
      item04(addNew<ElemBinarySequence<signed char>>(AlwaysPresent)),
      item05(addNew<ElemBinarySequence<signed char>>(AlwaysPresent)) {}

SvgCampSavedArtifact::SvgCampSavedArtifact(VersionPredicate presence)
    : BinarySequence(presence),
      item01(addNew<ElemBinarySequence<short>>(AlwaysPresent)),
      item02(addNew<ElemBinarySequence<short>>(AlwaysPresent)) {}

SvgCampSavedScenarioRes::SvgCampSavedScenarioRes(VersionPredicate presence)
    : BinarySequence(presence),
      item01(addNew<ArrayOfBinarySequences<unsigned char, SvgHero>>(AlwaysPresent)),
      item02(addNew<ArrayOfBinarySequences<unsigned short, SvgCampSavedArtifact>>(AlwaysPresent)) {}

SvgCamp108::SvgCamp108(VersionPredicate presence)
    : BinarySequence(presence), item01(addNew<ElemBinarySequence<short>>(AlwaysPresent)) {}

SvgCampaingData::SvgCampaingData(VersionPredicate presence)
    : BinarySequence(presence),
      item01(addNew<ElemBinarySequence<unsigned char>>(AlwaysPresent)),
      item02(addNew<ElemBinarySequence<unsigned char>>(AlwaysPresent)),
      item03(addNew<ElemBinarySequence<unsigned char>>(AlwaysPresent)),
      item04(addNew<ElemBinarySequence<unsigned char>>(AlwaysPresent)),
      item05(addNew<ElemBinarySequence<unsigned char>>(AlwaysPresent)),
      item06(addNew<ElemBinarySequence<unsigned char>>(AlwaysPresent)),
      item07(addNew<ElemBinarySequence<unsigned char>>(AlwaysPresent)),
      item08(addNew<Text32>(AlwaysPresent)),
      item09(addNew<ElemBinarySequence<unsigned char[21]>>(AlwaysPresent)),
      item10(addNew<ArrayOfBinarySequences<unsigned char, SvgCamp60>>(AlwaysPresent)),
      item11(addNew<ArrayOfBinarySequences<unsigned char, SvgCampSavedScenarioRes>>(AlwaysPresent)),
      item12(addNew<ArrayOfBinarySequences<unsigned char, SvgCamp108>>(AlwaysPresent)) {}

SvgCampaing::SvgCampaing(VersionPredicate presence) : ConditionnalBinarySequence<unsigned short>(presence) {
    addVariant<SvgCampaingData>(&TagIsNot<unsigned short, 0>, AlwaysPresent);
}
