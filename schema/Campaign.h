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

    Elem<unsigned char>& item01 = addNew<Elem<unsigned char>>();
    Elem<unsigned int>& item02 = addNew<Elem<unsigned int>>();
    Elem<unsigned int>& item03 = addNew<Elem<unsigned int>>();
    Elem<signed char>& item04 = addNew<Elem<signed char>>();
    Elem<signed char>& item05 = addNew<Elem<signed char>>();
};

// 4 bytes.
class SvgCampSavedArtifact : public BinarySequence {
public:
    using BinarySequence::BinarySequence;

    Elem<short>& item01 = addNew<Elem<short>>();
    Elem<short>& item02 = addNew<Elem<short>>();
};

// The heroes and artifacts a finished scenario hands on: 3 bytes plus the heroes, which take
// the target's layout, and 4 bytes per artifact.
class SvgCampSavedScenarioRes : public BinarySequence {
public:
    using BinarySequence::BinarySequence;

    ArrayOfBinarySequences<unsigned char, SvgHero>& item01 = addNew<ArrayOfBinarySequences<unsigned char, SvgHero>>();
    ArrayOfBinarySequences<unsigned short, SvgCampSavedArtifact>& item02 = addNew<ArrayOfBinarySequences<unsigned short, SvgCampSavedArtifact>>();
};

// 2 bytes.
class SvgCamp108 : public BinarySequence {
public:
    using BinarySequence::BinarySequence;

    Elem<short>& item01 = addNew<Elem<short>>();
};

// 35 bytes plus the characters of item08 and the entries of the three lists.
class SvgCampaingData : public BinarySequence {
public:
    using BinarySequence::BinarySequence;

    Elem<unsigned char>& item01 = addNew<Elem<unsigned char>>();
    Elem<unsigned char>& item02 = addNew<Elem<unsigned char>>();
    Elem<unsigned char>& item03 = addNew<Elem<unsigned char>>();
    Elem<unsigned char>& item04 = addNew<Elem<unsigned char>>();
    Elem<unsigned char>& item05 = addNew<Elem<unsigned char>>();
    Elem<unsigned char>& item06 = addNew<Elem<unsigned char>>();
    Elem<unsigned char>& item07 = addNew<Elem<unsigned char>>();
    Text32& item08 = addNew<Text32>();
    Elem<unsigned char[21]>& item09 = addNew<Elem<unsigned char[21]>>();
    ArrayOfBinarySequences<unsigned char, SvgCamp60>& item10 = addNew<ArrayOfBinarySequences<unsigned char, SvgCamp60>>();
    ArrayOfBinarySequences<unsigned char, SvgCampSavedScenarioRes>& item11 = addNew<ArrayOfBinarySequences<unsigned char, SvgCampSavedScenarioRes>>();
    ArrayOfBinarySequences<unsigned char, SvgCamp108>& item12 = addNew<ArrayOfBinarySequences<unsigned char, SvgCamp108>>();
};

// The campaign block: a tag of 0 for a single scenario, else the tag and one SvgCampaingData.
class SvgCampaing : public ConditionnalBinarySequence<unsigned short> {
public:
    explicit SvgCampaing(VersionPredicate presence = AlwaysPresent) : ConditionnalBinarySequence(presence) {
        if (shareVariantsOf<SvgCampaing>()) return;
        addVariant<SvgCampaingData>(TagIsNot<unsigned short, 0>, AlwaysPresent);
    }
};
