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

    Elem<short>& item01 = addNew<Elem<short>>();
    Elem<short>& item02 = addNew<Elem<short>>();
    Elem<short>& item03 = addNew<Elem<short>>();
    Elem<unsigned char>& item04 = addNew<Elem<unsigned char>>();
    Elem<unsigned int>& item05 = addNew<Elem<unsigned int>>();
    Elem<unsigned int>& item06 = addNew<Elem<unsigned int>>();
    Elem<unsigned char>& item07 = addNew<Elem<unsigned char>>();
    Elem<unsigned int>& item08 = addNew<Elem<unsigned int>>();
};

// One hero: 1094 bytes, 1098 from version 44 subversion 2, 1110 from subversion 3, each plus the
// characters of item04. A freshly built hero is what a hero missing from the source is written
// as: all zero but item05, which is -1.
class SvgHero : public BinarySequence {
public:
    using BinarySequence::BinarySequence;

    SvgMovableObject& item01 = addNew<SvgMovableObject>();
    Elem<unsigned char>& item02 = addNew<Elem<unsigned char>>();
    Elem<unsigned char>& item03 = addNew<Elem<unsigned char>>();
    Text32& item04 = addNew<Text32>();
    Elem<signed char>& item05 = addNew<Elem<signed char>>(static_cast<signed char>(-1), AlwaysPresent);
    Elem<signed char>& item06 = addNew<Elem<signed char>>();
    Elem<signed char>& item07 = addNew<Elem<signed char>>();
    Elem<signed char>& item08 = addNew<Elem<signed char>>();
    Elem<unsigned char>& item09 = addNew<Elem<unsigned char>>();
    Elem<signed char>& item10 = addNew<Elem<signed char>>();
    Elem<signed char>& item11 = addNew<Elem<signed char>>();
    Elem<signed char>& item12 = addNew<Elem<signed char>>();
    Elem<unsigned char>& item13 = addNew<Elem<unsigned char>>();
    Elem<signed char>& item14 = addNew<Elem<signed char>>();
    Elem<unsigned char>& item15 = addNew<Elem<unsigned char>>();
    Elem<signed char>& item16 = addNew<Elem<signed char>>();
    Elem<unsigned char>& item17 = addNew<Elem<unsigned char>>();
    Elem<unsigned char>& item18 = addNew<Elem<unsigned char>>();
    Elem<unsigned char>& item19 = addNew<Elem<unsigned char>>();
    Elem<unsigned char>& item20 = addNew<Elem<unsigned char>>();
    Elem<unsigned char>& item21 = addNew<Elem<unsigned char>>();
    Elem<unsigned char>& item22 = addNew<Elem<unsigned char>>();
    Elem<signed char>& item23 = addNew<Elem<signed char>>();
    Elem<int>& item24 = addNew<Elem<int>>();
    Elem<int>& item25 = addNew<Elem<int>>();
    Elem<short>& item26 = addNew<Elem<short>>();
    Elem<short>& item27 = addNew<Elem<short>>();
    Elem<int>& item28 = addNew<Elem<int>>();
    Elem<int>& item29 = addNew<Elem<int>>();
    Elem<int>& item30 = addNew<Elem<int>>();
    Elem<int>& item31 = addNew<Elem<int>>();
    Elem<short>& item32 = addNew<Elem<short>>();
    Elem<short>& item33 = addNew<Elem<short>>();
    Elem<short>& item34 = addNew<Elem<short>>();
    Elem<int[10]>& item35 = addNew<Elem<int[10]>>();
    Elem<int>& item36 = addNew<Elem<int>>();
    Elem<int>& item37 = addNew<Elem<int>>();
    Elem<int>& item38 = addNew<Elem<int>>();
    Elem<int>& item39 = addNew<Elem<int>>();
    Elem<int>& item40 = addNew<Elem<int>>();
    Elem<int[14]>& item41 = addNew<Elem<int[14]>>();
    Elem<char[13]>& item42 = addNew<Elem<char[13]>>();
    Elem<unsigned char[28]>& item43 = addNew<Elem<unsigned char[28]>>();
    Elem<unsigned char[28]>& item44 = addNew<Elem<unsigned char[28]>>();
    Elem<signed char>& item45 = addNew<Elem<signed char>>();
    Elem<signed char>& item46 = addNew<Elem<signed char>>();
    Elem<signed char>& item47 = addNew<Elem<signed char>>();
    Elem<signed char>& item48 = addNew<Elem<signed char>>();
    Elem<unsigned char[70]>& item49 = addNew<Elem<unsigned char[70]>>();
    Elem<unsigned char[70]>& item50 = addNew<Elem<unsigned char[70]>>();
    Elem<int[38]>& item51 = addNew<Elem<int[38]>>();
    Elem<int[128]>& item52 = addNew<Elem<int[128]>>();
    Elem<unsigned char[15]>& item53 = addNew<Elem<unsigned char[15]>>();
    Elem<unsigned char>& item54 = addNew<Elem<unsigned char>>();
    Elem<unsigned char[6]>& item55 = addNew<Elem<unsigned char[6]>>();
    Elem<unsigned int>& item56 = addNew<Elem<unsigned int>>(0u, FromVersion44Sub2);
    Elem<unsigned int>& item57 = addNew<Elem<unsigned int>>(0u, FromVersion44Sub3);
    Elem<unsigned int>& item58 = addNew<Elem<unsigned int>>(0u, FromVersion44Sub3);
    Elem<unsigned int>& item59 = addNew<Elem<unsigned int>>(0u, FromVersion44Sub3);
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
    using Bytes = FixedLengthArrayOfElemBinarySequences<unsigned char>;

    Bytes& item01 = addNew<Bytes>(156, AlwaysPresent);
    Bytes& item02 = addNew<Bytes>(22, static_cast<unsigned char>(64), FromVersion44);
};

// One byte per hero: 156 in every version, 22 more from version 44 on (0 each when the source
// lacks them).
class SvgHeroPlayerAvailabilityFixedSizeArray : public BinarySequence {
public:
    using BinarySequence::BinarySequence;
    using Bytes = FixedLengthArrayOfElemBinarySequences<unsigned char>;

    Bytes& item01 = addNew<Bytes>(156, AlwaysPresent);
    Bytes& item02 = addNew<Bytes>(22, static_cast<unsigned char>(0), FromVersion44);
};
