#pragma once
// Campaign records: a 2-byte tag and, when it is non-zero, the campaign's data with the lists
// carried over between its scenarios (results with heroes and artifacts).

#include "schema/Heroes.h"
#include "schema_core/Text.h"
#include "schema_core/ConditionnalBinarySequence.h"
#include "schema_core/TagPredicates.h"

// 11 bytes.
class SvgCamp60 : public BinarySequence {
public:
    using BinarySequence::BinarySequence;

    ElemBinarySequence<unsigned char>& item01 = field();
    ElemBinarySequence<unsigned int>& item02 = field();
    ElemBinarySequence<unsigned int>& item03 = field();
    ElemBinarySequence<signed char>& item04 = field();
    ElemBinarySequence<signed char>& item05 = field();
};

// 4 bytes.
class SvgCampSavedArtifact : public BinarySequence {
public:
    using BinarySequence::BinarySequence;

    ElemBinarySequence<short>& item01 = field();
    ElemBinarySequence<short>& item02 = field();
};

// The heroes and artifacts a finished scenario hands on: 3 bytes plus the heroes, which take
// the target's layout, and 4 bytes per artifact.
class SvgCampSavedScenarioRes : public BinarySequence {
public:
    using BinarySequence::BinarySequence;

    ArrayOfBinarySequences<unsigned char, SvgHero>& item01 = field();
    ArrayOfBinarySequences<unsigned short, SvgCampSavedArtifact>& item02 = field();
};

// 2 bytes.
class SvgCamp108 : public BinarySequence {
public:
    using BinarySequence::BinarySequence;

    ElemBinarySequence<short>& item01 = field();
};

// 35 bytes plus the characters of item08 and the entries of the three lists.
class SvgCampaingData : public BinarySequence {
public:
    using BinarySequence::BinarySequence;

    ElemBinarySequence<unsigned char>& item01 = field();
    ElemBinarySequence<unsigned char>& item02 = field();
    ElemBinarySequence<unsigned char>& item03 = field();
    ElemBinarySequence<unsigned char>& item04 = field();
    ElemBinarySequence<unsigned char>& item05 = field();
    ElemBinarySequence<unsigned char>& item06 = field();
    ElemBinarySequence<unsigned char>& item07 = field();
    Text32& item08 = field();
    ElemBinarySequence<unsigned char[21]>& item09 = field();
    ArrayOfBinarySequences<unsigned char, SvgCamp60>& item10 = field();
    ArrayOfBinarySequences<unsigned char, SvgCampSavedScenarioRes>& item11 = field();
    ArrayOfBinarySequences<unsigned char, SvgCamp108>& item12 = field();
};

// The campaign block: a tag of 0 for a single scenario, else the tag and one SvgCampaingData.
class SvgCampaing : public ConditionnalBinarySequence<unsigned short> {
public:
    explicit SvgCampaing(VersionPredicate presence = AlwaysPresent) : ConditionnalBinarySequence(presence) {
        if (shareVariantsOf<SvgCampaing>()) return;
        addVariant<SvgCampaingData>(TagIsNot<unsigned short, 0>, AlwaysPresent);
    }
};
