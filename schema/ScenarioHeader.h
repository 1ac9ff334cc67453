#pragma once
// Scenario header records: the head of the game state (basic parameters, the eight player
// attribute records, victory and loss conditions, teams, tuned tags and a fixed block).
// Apart from the version record and one byte per player record their layout is the same in
// every version, so they are read and written back unchanged.

#include "schema_core/ArrayOfBinarySequences.h"
#include "schema_core/ConditionnalBinarySequence.h"
#include "schema_core/ElemBinarySequence.h"
#include "schema_core/SvgVersionInfo.h"
#include "schema_core/TagPredicates.h"
#include "schema_core/Text.h"

// Signature, version, map dimensions and scenario texts. The version is always written as the
// target's. The map records keep references to the map size and level flag and read them
// whenever they read.
class SVG_BASIC_PARAMETERS : public BinarySequence {
public:
    using BinarySequence::BinarySequence;

    const unsigned int& mapSize() const { return mapSizeNode.value; }
    const unsigned char& twoLevels() const { return twoLevelsNode.value; }

    ElemBinarySequence<char[8]>& signature = field();
    SvgVersionInfo& version = field();
    ElemBinarySequence<unsigned int>& item03 = field();
    ElemBinarySequence<unsigned char[32]>& item04 = field();
    ElemBinarySequence<unsigned int>& item05 = field();
    ElemBinarySequence<unsigned char>& item06 = field();

private:
    ElemBinarySequence<unsigned int>& mapSizeNode = field();
    ElemBinarySequence<unsigned char>& twoLevelsNode = field();

public:
    Text16& item09 = field();
    Text16& item10 = field();
    ElemBinarySequence<char>& item11 = field();
    ElemBinarySequence<char>& item12 = field();
};

// Tag 1 is followed by three bytes, any other tag by nothing.
class generateHeroInfo : public ConditionnalBinarySequence<unsigned char> {
public:
    explicit generateHeroInfo(VersionPredicate presence = AlwaysPresent) : ConditionnalBinarySequence(presence) {
        if (shareVariantsOf<generateHeroInfo>()) return;
        addVariant<ElemBinarySequence<unsigned char[3]>>(TagIs<unsigned char, 1>, AlwaysPresent);
    }
};

// Tag 255 is followed by nothing, any other tag by one byte and a text.
class playerHerotypeInfo : public ConditionnalBinarySequence<unsigned char> {
public:
    explicit playerHerotypeInfo(VersionPredicate presence = AlwaysPresent) : ConditionnalBinarySequence(presence) {
        if (shareVariantsOf<playerHerotypeInfo>()) return;
        addVariant<ElemBinarySequence<unsigned char>>(TagIsNot<unsigned char, 255>, AlwaysPresent);
        addVariant<Text16>(TagIsNot<unsigned char, 255>, AlwaysPresent);
    }
};

// One player slot: 6 bytes and two tagged parts; from version 44 on item07 adds a byte, written
// as 0 for older sources.
class SVG_PLAYER_ATTRIBUTES : public BinarySequence {
public:
    using BinarySequence::BinarySequence;

    ElemBinarySequence<unsigned char>& item01 = field();
    ElemBinarySequence<unsigned char>& item02 = field();
    ElemBinarySequence<char>& item03 = field();
    ElemBinarySequence<short>& item04 = field();
    ElemBinarySequence<unsigned char>& item05 = field();
    generateHeroInfo& item06 = field();
    ElemBinarySequence<unsigned char>& item07 = field(0, FromVersion44);
    playerHerotypeInfo& item08 = field();
};

// Tag -1 means no special victory condition; other tags select their parameters.
class SvgSpecialVictoryConditions : public ConditionnalBinarySequence<signed char> {
public:
    explicit SvgSpecialVictoryConditions(VersionPredicate presence = AlwaysPresent)
        : ConditionnalBinarySequence(presence) {
        if (shareVariantsOf<SvgSpecialVictoryConditions>()) return;
        using Tag = signed char;
        addVariant<ElemBinarySequence<unsigned char>>(TagIsNot<Tag, -1>, AlwaysPresent);
        addVariant<ElemBinarySequence<unsigned char>>(TagIsNot<Tag, -1>, AlwaysPresent);
        addVariant<ElemBinarySequence<unsigned char>>(TagIs<Tag, 0>, AlwaysPresent);
        addVariant<ElemBinarySequence<unsigned char>>(TagIs<Tag, 1>, AlwaysPresent);
        addVariant<ElemBinarySequence<unsigned int>>(TagIs<Tag, 1>, AlwaysPresent);
        addVariant<ElemBinarySequence<signed char>>(TagIs<Tag, 2>, AlwaysPresent);
        addVariant<ElemBinarySequence<unsigned int>>(TagIs<Tag, 2>, AlwaysPresent);
        addVariant<ElemBinarySequence<unsigned char[3]>>(TagIs<Tag, 3>, AlwaysPresent);
        addVariant<ElemBinarySequence<signed char>>(TagIs<Tag, 3>, AlwaysPresent);
        addVariant<ElemBinarySequence<signed char>>(TagIs<Tag, 3>, AlwaysPresent);
        addVariant<ElemBinarySequence<unsigned char[3]>>(TagIs<Tag, 4>, AlwaysPresent);
        addVariant<ElemBinarySequence<unsigned char>>(TagIs<Tag, 5>, AlwaysPresent);
        addVariant<ElemBinarySequence<unsigned char[3]>>(TagIs<Tag, 6>, AlwaysPresent);
        addVariant<ElemBinarySequence<unsigned char[3]>>(TagIs<Tag, 7>, AlwaysPresent);
        addVariant<ElemBinarySequence<unsigned char>>(TagIs<Tag, 10>, AlwaysPresent);
        addVariant<ElemBinarySequence<unsigned char[3]>>(TagIs<Tag, 10>, AlwaysPresent);
        addVariant<ElemBinarySequence<unsigned int>>(TagIs<Tag, 12>, AlwaysPresent);
    }
};

// Tags 0, 1 and 2 select their parameters; any other tag is followed by nothing.
class SvgSpecialLossConditions : public ConditionnalBinarySequence<signed char> {
public:
    explicit SvgSpecialLossConditions(VersionPredicate presence = AlwaysPresent)
        : ConditionnalBinarySequence(presence) {
        if (shareVariantsOf<SvgSpecialLossConditions>()) return;
        using Tag = signed char;
        addVariant<ElemBinarySequence<unsigned char[3]>>(TagIs<Tag, 0>, AlwaysPresent);
        addVariant<ElemBinarySequence<short>>(TagIs<Tag, 1>, AlwaysPresent);
        addVariant<ElemBinarySequence<unsigned short>>(TagIs<Tag, 2>, AlwaysPresent);
    }
};

// Tag 0 means no teams; otherwise the team of each of the eight players follows.
class Teams : public ConditionnalBinarySequence<unsigned char> {
public:
    explicit Teams(VersionPredicate presence = AlwaysPresent) : ConditionnalBinarySequence(presence) {
        if (shareVariantsOf<Teams>()) return;
        addVariant<ElemBinarySequence<unsigned char[8]>>(TagIsNot<unsigned char, 0>, AlwaysPresent);
    }
};

// 7 bytes plus the characters of item03.
class tuned_tag : public BinarySequence {
public:
    using BinarySequence::BinarySequence;

    ElemBinarySequence<unsigned char>& item01 = field();
    ElemBinarySequence<unsigned char>& item02 = field();
    Text32& item03 = field();
    ElemBinarySequence<unsigned char>& item04 = field();
};

// 436 bytes of fixed-size fields.
class SvgMapPreSmth : public BinarySequence {
public:
    using BinarySequence::BinarySequence;

    ElemBinarySequence<unsigned char[8]>& item01 = field();
    ElemBinarySequence<unsigned char[8]>& item02 = field();
    ElemBinarySequence<unsigned char[32]>& item03 = field();
    ElemBinarySequence<unsigned char[8]>& item04 = field();
    ElemBinarySequence<unsigned char>& item05 = field();
    ElemBinarySequence<unsigned char[251]>& item06 = field();
    ElemBinarySequence<unsigned char[100]>& item07 = field();
    ElemBinarySequence<unsigned char[8]>& item08 = field();
    ElemBinarySequence<unsigned char>& item09 = field();
    ElemBinarySequence<unsigned char>& item10 = field();
    ElemBinarySequence<unsigned char>& item11 = field();
    ElemBinarySequence<unsigned char>& item12 = field();
    ElemBinarySequence<unsigned char[8]>& item13 = field();
    ElemBinarySequence<unsigned char[8]>& item14 = field();
};
