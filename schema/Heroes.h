#pragma once
// Hero records: the movable part shared by heroes and boats, the hero record itself, the fixed
// hero table of the game state and the two one-byte-per-hero tables that follow it.

#include <cstddef>

#include "schema_core/Text.h"
#include "schema_core/ArrayOfBinarySequences.h"
#include "schema_core/ElemBinarySequence.h"
#include "schema_core/FixedLengthArrayOfElemBinarySequences.h"

// Position and movement state of anything that moves on the map; 20 bytes in every version.
class SvgMovableObject : public BinarySequence {
public:
    explicit SvgMovableObject(VersionPredicate presence = AlwaysPresent);

    ElemBinarySequence<short>& item01;
    ElemBinarySequence<short>& item02;
    ElemBinarySequence<short>& item03;
    ElemBinarySequence<unsigned char>& item04;
    ElemBinarySequence<unsigned int>& item05;
    ElemBinarySequence<unsigned int>& item06;
    ElemBinarySequence<unsigned char>& item07;
    ElemBinarySequence<unsigned int>& item08;
};

// One hero: 1094 bytes plus its item04 text before 44/2, 1098 with subversion 2, 1110 from
// subversion 3. A freshly built hero is the default hero: all zero except item05 = -1.
class SvgHero : public BinarySequence {
public:
    explicit SvgHero(VersionPredicate presence = AlwaysPresent);

    SvgMovableObject& item01;
    ElemBinarySequence<unsigned char>& item02;
    ElemBinarySequence<unsigned char>& item03;
    Text32& item04;
    ElemBinarySequence<signed char>& item05;
    ElemBinarySequence<signed char>& item06;
    ElemBinarySequence<signed char>& item07;
    ElemBinarySequence<signed char>& item08;
    ElemBinarySequence<unsigned char>& item09;
    ElemBinarySequence<signed char>& item10;
    ElemBinarySequence<signed char>& item11;
    ElemBinarySequence<signed char>& item12;
    ElemBinarySequence<unsigned char>& item13;
    ElemBinarySequence<signed char>& item14;
    ElemBinarySequence<unsigned char>& item15;
    ElemBinarySequence<signed char>& item16;
    ElemBinarySequence<unsigned char>& item17;
    ElemBinarySequence<unsigned char>& item18;
    ElemBinarySequence<unsigned char>& item19;
    ElemBinarySequence<unsigned char>& item20;
    ElemBinarySequence<unsigned char>& item21;
    ElemBinarySequence<unsigned char>& item22;
    ElemBinarySequence<signed char>& item23;
    ElemBinarySequence<int>& item24;
    ElemBinarySequence<int>& item25;
    ElemBinarySequence<short>& item26;
    ElemBinarySequence<short>& item27;
    ElemBinarySequence<int>& item28;
    ElemBinarySequence<int>& item29;
    ElemBinarySequence<int>& item30;
    ElemBinarySequence<int>& item31;
    ElemBinarySequence<short>& item32;
    ElemBinarySequence<short>& item33;
    ElemBinarySequence<short>& item34;
    ElemBinarySequence<int[10]>& item35;
    ElemBinarySequence<int>& item36;
    ElemBinarySequence<int>& item37;
    ElemBinarySequence<int>& item38;
    ElemBinarySequence<int>& item39;
    ElemBinarySequence<int>& item40;
    ElemBinarySequence<int[14]>& item41;
    ElemBinarySequence<char[13]>& item42;
    ElemBinarySequence<unsigned char[28]>& item43;
    ElemBinarySequence<unsigned char[28]>& item44;
    ElemBinarySequence<signed char>& item45;
    ElemBinarySequence<signed char>& item46;
    ElemBinarySequence<signed char>& item47;
    ElemBinarySequence<signed char>& item48;
    ElemBinarySequence<unsigned char[70]>& item49;
    ElemBinarySequence<unsigned char[70]>& item50;
    ElemBinarySequence<int[38]>& item51;
    ElemBinarySequence<int[128]>& item52;
    ElemBinarySequence<unsigned char[15]>& item53;
    ElemBinarySequence<unsigned char>& item54;
    ElemBinarySequence<unsigned char[6]>& item55;
    ElemBinarySequence<unsigned int>& item56;
    ElemBinarySequence<unsigned int>& item57;
    ElemBinarySequence<unsigned int>& item58;
    ElemBinarySequence<unsigned int>& item59;
};

// The hero table: 156 heroes in version-42 files, 178 from version 44 on, without a count.
// A version-42 source gains 22 default heroes when written for version 44 or later.
class SvgHeroFixedSizeArray : public BinarySequence {
public:
    static constexpr std::size_t baseHeroCount = 156;
    static constexpr std::size_t addedHeroCount = 22;
    static constexpr VersionPredicate hasAddedHeroes = FromVersion44;

    explicit SvgHeroFixedSizeArray(VersionPredicate presence = AlwaysPresent);

    void read(ByteInput& in, const SvgVersion& version) override;
    void write(ByteOutput& out, const SvgVersion& version) const override;

    // True when the last read came from a version-42 file.
    bool addDefaultHeroes = false;

private:
    void addHeroes(std::size_t count);
};

// One byte per hero: 156 read from every file, 22 more from version 44 on (64 each when the
// source lacks them).
class SvgHeroAvailabilityFixedSizeArray : public BinarySequence {
public:
    explicit SvgHeroAvailabilityFixedSizeArray(VersionPredicate presence = AlwaysPresent);

    FixedLengthArrayOfElemBinarySequences<unsigned char>& item01;
    FixedLengthArrayOfElemBinarySequences<unsigned char>& item02;
};

// One byte per hero: 156 read from every file, 22 more from version 44 on (0 each when the
// source lacks them).
class SvgHeroPlayerAvailabilityFixedSizeArray : public BinarySequence {
public:
    explicit SvgHeroPlayerAvailabilityFixedSizeArray(VersionPredicate presence = AlwaysPresent);

    FixedLengthArrayOfElemBinarySequences<unsigned char>& item01;
    FixedLengthArrayOfElemBinarySequences<unsigned char>& item02;
};
