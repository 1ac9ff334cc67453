#include "schema/Campaign.h"

#include "schema_core/TagPredicates.h"

SvgCamp60::SvgCamp60(VersionPredicate presence)
    : BinarySequence(presence),
      item01(addNew<ElemBinarySequence<unsigned char>>()),
      item02(addNew<ElemBinarySequence<unsigned int>>()),
      item03(addNew<ElemBinarySequence<unsigned int>>()),
      item04(addNew<ElemBinarySequence<signed char>>()),
      item05(addNew<ElemBinarySequence<signed char>>()) {}

SvgCampSavedArtifact::SvgCampSavedArtifact(VersionPredicate presence)
    : BinarySequence(presence),
      item01(addNew<ElemBinarySequence<short>>()),
      item02(addNew<ElemBinarySequence<short>>()) {}

SvgCampSavedScenarioRes::SvgCampSavedScenarioRes(VersionPredicate presence)
    : BinarySequence(presence),
      item01(addNew<ArrayOfBinarySequences<unsigned char, SvgHero>>()),
      item02(addNew<ArrayOfBinarySequences<unsigned short, SvgCampSavedArtifact>>()) {}

SvgCamp108::SvgCamp108(VersionPredicate presence)
    : BinarySequence(presence), item01(addNew<ElemBinarySequence<short>>()) {}

SvgCampaingData::SvgCampaingData(VersionPredicate presence)
    : BinarySequence(presence),
      item01(addNew<ElemBinarySequence<unsigned char>>()),
      item02(addNew<ElemBinarySequence<unsigned char>>()),
      item03(addNew<ElemBinarySequence<unsigned char>>()),
      item04(addNew<ElemBinarySequence<unsigned char>>()),
      item05(addNew<ElemBinarySequence<unsigned char>>()),
      item06(addNew<ElemBinarySequence<unsigned char>>()),
      item07(addNew<ElemBinarySequence<unsigned char>>()),
      item08(addNew<Text32>()),
      item09(addNew<ElemBinarySequence<unsigned char[21]>>()),
      item10(addNew<ArrayOfBinarySequences<unsigned char, SvgCamp60>>()),
      item11(addNew<ArrayOfBinarySequences<unsigned char, SvgCampSavedScenarioRes>>()),
      item12(addNew<ArrayOfBinarySequences<unsigned char, SvgCamp108>>()) {}

SvgCampaing::SvgCampaing(VersionPredicate presence) : ConditionnalBinarySequence<unsigned short>(presence) {
    if (shareVariantsOf<SvgCampaing>()) return;
    addVariant<SvgCampaingData>(&TagIsNot<unsigned short, 0>, AlwaysPresent);
}
