#pragma once
// Campaign records: a 2-byte tag and, when it is non-zero, the campaign's data with the lists
// carried over between its scenarios (results with heroes and artifacts).

#include "schema/Heroes.h"
#include "schema_core/Text.h"
#include "schema_core/ConditionnalBinarySequence.h"

// 11 bytes.
class SvgCamp60 : public BinarySequence {
public:
    explicit SvgCamp60(VersionPredicate presence = AlwaysPresent);

    ElemBinarySequence<unsigned char>& item01;
    ElemBinarySequence<unsigned int>& item02;
    ElemBinarySequence<unsigned int>& item03;
    ElemBinarySequence<signed char>& item04;
    ElemBinarySequence<signed char>& item05;
};

// 4 bytes.
class SvgCampSavedArtifact : public BinarySequence {
public:
    explicit SvgCampSavedArtifact(VersionPredicate presence = AlwaysPresent);

    ElemBinarySequence<short>& item01;
    ElemBinarySequence<short>& item02;
};

// The heroes and artifacts a finished scenario hands on; the heroes take the target's layout.
class SvgCampSavedScenarioRes : public BinarySequence {
public:
    explicit SvgCampSavedScenarioRes(VersionPredicate presence = AlwaysPresent);

    ArrayOfBinarySequences<unsigned char, SvgHero>& item01;
    ArrayOfBinarySequences<unsigned short, SvgCampSavedArtifact>& item02;
};

// 2 bytes.
class SvgCamp108 : public BinarySequence {
public:
    explicit SvgCamp108(VersionPredicate presence = AlwaysPresent);

    ElemBinarySequence<short>& item01;
};

class SvgCampaingData : public BinarySequence {
public:
    explicit SvgCampaingData(VersionPredicate presence = AlwaysPresent);

    ElemBinarySequence<unsigned char>& item01;
    ElemBinarySequence<unsigned char>& item02;
    ElemBinarySequence<unsigned char>& item03;
    ElemBinarySequence<unsigned char>& item04;
    ElemBinarySequence<unsigned char>& item05;
    ElemBinarySequence<unsigned char>& item06;
    ElemBinarySequence<unsigned char>& item07;
    Text32& item08;
    ElemBinarySequence<unsigned char[21]>& item09;
    ArrayOfBinarySequences<unsigned char, SvgCamp60>& item10;
    ArrayOfBinarySequences<unsigned char, SvgCampSavedScenarioRes>& item11;
    ArrayOfBinarySequences<unsigned char, SvgCamp108>& item12;
};

// The campaign block: a tag of 0 for a single scenario, else the tag and one SvgCampaingData.
class SvgCampaing : public ConditionnalBinarySequence<unsigned short> {
public:
    explicit SvgCampaing(VersionPredicate presence = AlwaysPresent);
};
