#pragma once
// Scenario header records: the head of the game state (basic parameters, the eight player
// attribute records, victory and loss conditions, teams, tuned tags and a fixed block).
// Apart from the version record and one byte per player record their layout is the same in
// every version, so they are read and written back unchanged.

#include "schema_core/ArrayOfBinarySequences.h"
#include "schema_core/ConditionnalBinarySequence.h"
#include "schema_core/ElemBinarySequence.h"
#include "schema_core/SvgVersionInfo.h"

using Text16 = ArrayOfBinarySequences<short, ElemBinarySequence<char>>;
using Text32 = ArrayOfBinarySequences<unsigned int, ElemBinarySequence<char>>;

// Signature, version, map dimensions and scenario texts. The map records keep references to
// the map size and level flag and read them whenever they read.
class SVG_BASIC_PARAMETERS : public BinarySequence {
public:
    explicit SVG_BASIC_PARAMETERS(VersionPredicate presence = AlwaysPresent);

    const unsigned int& mapSize() const { return mapSizeNode.value; }
    const unsigned char& twoLevels() const { return twoLevelsNode.value; }

    // Fields up to the level flag, in file order (references must follow it).
    ElemBinarySequence<char[8]>& signature;
    SvgVersionInfo& version;
    ElemBinarySequence<unsigned int>& item03;
    ElemBinarySequence<unsigned char[32]>& item04;
    ElemBinarySequence<unsigned int>& item05;
    ElemBinarySequence<unsigned char>& item06;

private:
    ElemBinarySequence<unsigned int>& mapSizeNode;
    ElemBinarySequence<unsigned char>& twoLevelsNode;
};

// Tag 1 is followed by three bytes, any other tag by nothing.
class generateHeroInfo : public ConditionnalBinarySequence<unsigned char> {
public:
    explicit generateHeroInfo(VersionPredicate presence = AlwaysPresent);
};

// Tag 255 is followed by nothing, any other tag by one byte and a text.
class playerHerotypeInfo : public ConditionnalBinarySequence<unsigned char> {
public:
    explicit playerHerotypeInfo(VersionPredicate presence = AlwaysPresent);
};

// One player slot; item07 exists from version 44 on and is written as 0 for older sources.
class SVG_PLAYER_ATTRIBUTES : public BinarySequence {
public:
    explicit SVG_PLAYER_ATTRIBUTES(VersionPredicate presence = AlwaysPresent);
};

// Tag -1 means no special victory condition; other tags select their parameters.
class SvgSpecialVictoryConditions : public ConditionnalBinarySequence<signed char> {
public:
    explicit SvgSpecialVictoryConditions(VersionPredicate presence = AlwaysPresent);
};

class SvgSpecialLossConditions : public ConditionnalBinarySequence<signed char> {
public:
    explicit SvgSpecialLossConditions(VersionPredicate presence = AlwaysPresent);
};

// Tag 0 means no teams; otherwise the team of each of the eight players follows.
class Teams : public ConditionnalBinarySequence<unsigned char> {
public:
    explicit Teams(VersionPredicate presence = AlwaysPresent);
};

class tuned_tag : public BinarySequence {
public:
    explicit tuned_tag(VersionPredicate presence = AlwaysPresent);
};

// 436 bytes of fixed-size fields.
class SvgMapPreSmth : public BinarySequence {
public:
    explicit SvgMapPreSmth(VersionPredicate presence = AlwaysPresent);
};
