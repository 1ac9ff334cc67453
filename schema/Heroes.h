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
    using BinarySequence::BinarySequence;

    ElemBinarySequence<short>& item01 = field();
    ElemBinarySequence<short>& item02 = field();
    ElemBinarySequence<short>& item03 = field();
    ElemBinarySequence<unsigned char>& item04 = field();
    ElemBinarySequence<unsigned int>& item05 = field();
    ElemBinarySequence<unsigned int>& item06 = field();
    ElemBinarySequence<unsigned char>& item07 = field();
    ElemBinarySequence<unsigned int>& item08 = field();
};

// One hero: 1094 bytes, 1098 from version 44 subversion 2, 1110 from subversion 3, each plus the
// characters of item04. A freshly built hero is what a hero missing from the source is written
// as: all zero but item05, which is -1.
class SvgHero : public BinarySequence {
public:
    using BinarySequence::BinarySequence;

    SvgMovableObject& item01 = field();
    ElemBinarySequence<unsigned char>& item02 = field();
    ElemBinarySequence<unsigned char>& item03 = field();
    Text32& item04 = field();
    ElemBinarySequence<signed char>& item05 = field(-1);
    ElemBinarySequence<signed char>& item06 = field();
    ElemBinarySequence<signed char>& item07 = field();
    ElemBinarySequence<signed char>& item08 = field();
    ElemBinarySequence<unsigned char>& item09 = field();
    ElemBinarySequence<signed char>& item10 = field();
    ElemBinarySequence<signed char>& item11 = field();
    ElemBinarySequence<signed char>& item12 = field();
    ElemBinarySequence<unsigned char>& item13 = field();
    ElemBinarySequence<signed char>& item14 = field();
    ElemBinarySequence<unsigned char>& item15 = field();
    ElemBinarySequence<signed char>& item16 = field();
    ElemBinarySequence<unsigned char>& item17 = field();
    ElemBinarySequence<unsigned char>& item18 = field();
    ElemBinarySequence<unsigned char>& item19 = field();
    ElemBinarySequence<unsigned char>& item20 = field();
    ElemBinarySequence<unsigned char>& item21 = field();
    ElemBinarySequence<unsigned char>& item22 = field();
    ElemBinarySequence<signed char>& item23 = field();
    ElemBinarySequence<int>& item24 = field();
    ElemBinarySequence<int>& item25 = field();
    ElemBinarySequence<short>& item26 = field();
    ElemBinarySequence<short>& item27 = field();
    ElemBinarySequence<int>& item28 = field();
    ElemBinarySequence<int>& item29 = field();
    ElemBinarySequence<int>& item30 = field();
    ElemBinarySequence<int>& item31 = field();
    ElemBinarySequence<short>& item32 = field();
    ElemBinarySequence<short>& item33 = field();
    ElemBinarySequence<short>& item34 = field();
    ElemBinarySequence<int[10]>& item35 = field();
    ElemBinarySequence<int>& item36 = field();
    ElemBinarySequence<int>& item37 = field();
    ElemBinarySequence<int>& item38 = field();
    ElemBinarySequence<int>& item39 = field();
    ElemBinarySequence<int>& item40 = field();
    ElemBinarySequence<int[14]>& item41 = field();
    ElemBinarySequence<char[13]>& item42 = field();
    ElemBinarySequence<unsigned char[28]>& item43 = field();
    ElemBinarySequence<unsigned char[28]>& item44 = field();
    ElemBinarySequence<signed char>& item45 = field();
    ElemBinarySequence<signed char>& item46 = field();
    ElemBinarySequence<signed char>& item47 = field();
    ElemBinarySequence<signed char>& item48 = field();
    ElemBinarySequence<unsigned char[70]>& item49 = field();
    ElemBinarySequence<unsigned char[70]>& item50 = field();
    ElemBinarySequence<int[38]>& item51 = field();
    ElemBinarySequence<int[128]>& item52 = field();
    ElemBinarySequence<unsigned char[15]>& item53 = field();
    ElemBinarySequence<unsigned char>& item54 = field();
    ElemBinarySequence<unsigned char[6]>& item55 = field();
    ElemBinarySequence<unsigned int>& item56 = field(0u, FromVersion44Sub2);
    ElemBinarySequence<unsigned int>& item57 = field(0u, FromVersion44Sub3);
    ElemBinarySequence<unsigned int>& item58 = field(0u, FromVersion44Sub3);
    ElemBinarySequence<unsigned int>& item59 = field(0u, FromVersion44Sub3);
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

// One byte per hero: 156 in every version, 22 more from version 44 on (64 each when the source
// lacks them).
class SvgHeroAvailabilityFixedSizeArray : public BinarySequence {
public:
    using BinarySequence::BinarySequence;

    FixedLengthArrayOfElemBinarySequences<unsigned char>& item01 = field(156);
    FixedLengthArrayOfElemBinarySequences<unsigned char>& item02 = field(22, 64, FromVersion44);
};

// One byte per hero: 156 in every version, 22 more from version 44 on (0 each when the source
// lacks them).
class SvgHeroPlayerAvailabilityFixedSizeArray : public BinarySequence {
public:
    using BinarySequence::BinarySequence;

    FixedLengthArrayOfElemBinarySequences<unsigned char>& item01 = field(156);
    FixedLengthArrayOfElemBinarySequences<unsigned char>& item02 = field(22, 0, FromVersion44);
};
