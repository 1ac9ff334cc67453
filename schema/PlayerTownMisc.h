#pragma once
// Player, town and misc records: the last records of the game state.

#include <cstdint>
#include <vector>

#include "schema/MapWorld.h"
#include "schema_core/Text.h"
#include "schema_core/ArrayOfBinarySequences.h"
#include "schema_core/BinarySequence.h"
#include "schema_core/ConditionnalBinarySequence.h"
#include "schema_core/ElemBinarySequence.h"
#include "schema_core/FixedLengthArrayOfElemBinarySequences.h"
#include "schema_core/TagPredicates.h"

// A combination-artifact bit mask. From version 44 on it is a bit count and one byte per 8 bits;
// older files hold a fixed 16-bit mask (2 bytes, no count), which is written back with its count.
class ComboArtsMsk : public BinarySequence {
public:
    static constexpr std::uint32_t countLimit = 10000;  // counts from here on are refused
    static constexpr std::uint32_t oldFormatBits = 16;
    static constexpr VersionPredicate hasCountField = FromVersion44;

    using BinarySequence::BinarySequence;

    void read(ByteInput& in, const SvgVersion& version) override;
    void write(ByteOutput& out, const SvgVersion& version) const override;

    std::uint32_t count = 0;  // number of mask bits
    NodeBytes mask{memory()};  // one byte per 8 bits
};

// 143 bytes plus the combination mask.
class SvgPlayer : public BinarySequence {
public:
    using BinarySequence::BinarySequence;

    ElemBinarySequence<unsigned char>& item01 = field();
    ElemBinarySequence<unsigned char>& item02 = field();
    ElemBinarySequence<unsigned char>& item03 = field();
    ElemBinarySequence<unsigned char[8]>& item04 = field();
    ElemBinarySequence<unsigned char[2]>& item05 = field();
    ElemBinarySequence<unsigned char>& item06 = field();
    ElemBinarySequence<int>& item07 = field();
    ElemBinarySequence<unsigned char>& item08 = field();
    ElemBinarySequence<int>& item09 = field();
    ElemBinarySequence<unsigned char>& item10 = field();
    ElemBinarySequence<unsigned char>& item11 = field();
    ElemBinarySequence<unsigned char>& item12 = field();
    ElemBinarySequence<unsigned char[72]>& item13 = field();
    ElemBinarySequence<int[7]>& item14 = field();
    ElemBinarySequence<int[4]>& item15 = field();
    ElemBinarySequence<unsigned char>& item16 = field();
    ComboArtsMsk& item17 = field();
};

// 382 bytes plus the characters of item13.
class SvgTown : public BinarySequence {
public:
    using BinarySequence::BinarySequence;

    ElemBinarySequence<unsigned char>& item01 = field();
    ElemBinarySequence<signed char>& item02 = field();
    ElemBinarySequence<unsigned char>& item03 = field();
    ElemBinarySequence<unsigned char>& item04 = field();
    ElemBinarySequence<signed char>& item05 = field();
    ElemBinarySequence<unsigned char[3]>& item06 = field();
    ElemBinarySequence<unsigned char[2]>& item07 = field();
    ElemBinarySequence<int[14]>& item08 = field();
    ElemBinarySequence<unsigned char>& item09 = field();
    ElemBinarySequence<unsigned char>& item10 = field();
    ElemBinarySequence<unsigned char>& item11 = field();
    ElemBinarySequence<unsigned char>& item12 = field();
    Text16& item13 = field();
    ElemBinarySequence<short[14]>& item14 = field();
    ElemBinarySequence<int[14]>& item15 = field();
    ElemBinarySequence<unsigned char[5]>& item16 = field();
    ElemBinarySequence<unsigned int[2]>& item17 = field();
    ElemBinarySequence<unsigned int[2]>& item18 = field();
    ElemBinarySequence<unsigned int[2]>& item19 = field();
    ElemBinarySequence<int[30]>& item20 = field();
    ElemBinarySequence<unsigned char[70]>& item21 = field();
    ElemBinarySequence<unsigned char>& item22 = field();
    ElemBinarySequence<int>& item23 = field();
    ElemBinarySequence<short>& item24 = field();
};

// 130 bytes.
class SvgMisk : public BinarySequence {
public:
    using BinarySequence::BinarySequence;

    ElemBinarySequence<unsigned char>& item01 = field();
    ElemBinarySequence<unsigned char>& item02 = field();
    ElemBinarySequence<unsigned short>& item03 = field();
    ElemBinarySequence<unsigned short>& item04 = field();
    ElemBinarySequence<unsigned char>& item05 = field();
    ElemBinarySequence<unsigned char>& item06 = field();
    ElemBinarySequence<unsigned char>& item07 = field();
    ElemBinarySequence<unsigned char>& item08 = field();
    ElemBinarySequence<unsigned char>& item09 = field();
    ElemBinarySequence<short[3]>& item10 = field();
    ElemBinarySequence<unsigned char[32]>& item11 = field();
    ElemBinarySequence<int[7]>& item12 = field();
    ElemBinarySequence<unsigned char[32]>& item13 = field();
    ElemBinarySequence<unsigned char[8]>& item14 = field();
    ElemBinarySequence<unsigned char[6]>& item15 = field();
    ElemBinarySequence<unsigned char[3]>& item16 = field();
    ElemBinarySequence<unsigned int>& item17 = field();
};

// One replay action: a 1-byte tag and the fields that the tag selects. After the tag come
// 14 bytes for tags 1 and 2, 7 for 3, 4 and 8, 8 for 5, 16 for 6, 17 for 7 and 9, 2 for 10,
// 3 and the listed map cells for 11, and nothing for any other tag.
class SvgReplayAct : public ConditionnalBinarySequence<char> {
public:
    explicit SvgReplayAct(VersionPredicate presence = AlwaysPresent) : ConditionnalBinarySequence(presence) {
        if (shareVariantsOf<SvgReplayAct>()) return;
        addVariant<ElemBinarySequence<char>>(TagIsEither<char, 1, 2>, AlwaysPresent);
        addVariant<ElemBinarySequence<int>>(TagIsEither<char, 1, 2>, AlwaysPresent);
        addVariant<ElemBinarySequence<char>>(TagIsEither<char, 1, 2>, AlwaysPresent);
        addVariant<ElemBinarySequence<unsigned int>>(TagIsEither<char, 1, 2>, AlwaysPresent);
        addVariant<ElemBinarySequence<unsigned int>>(TagIsEither<char, 1, 2>, AlwaysPresent);

        addVariant<ElemBinarySequence<char>>(TagIs<char, 3>, AlwaysPresent);
        addVariant<ElemBinarySequence<unsigned int>>(TagIs<char, 3>, AlwaysPresent);
        addVariant<ElemBinarySequence<char>>(TagIs<char, 3>, AlwaysPresent);
        addVariant<ElemBinarySequence<char>>(TagIs<char, 3>, AlwaysPresent);

        addVariant<ElemBinarySequence<char>>(TagIs<char, 4>, AlwaysPresent);
        addVariant<ElemBinarySequence<unsigned int>>(TagIs<char, 4>, AlwaysPresent);
        addVariant<ElemBinarySequence<char>>(TagIs<char, 4>, AlwaysPresent);
        addVariant<ElemBinarySequence<char>>(TagIs<char, 4>, AlwaysPresent);

        addVariant<ElemBinarySequence<char>>(TagIsEither<char, 5, 6>, AlwaysPresent);
        addVariant<ElemBinarySequence<char>>(TagIsEither<char, 5, 6>, AlwaysPresent);
        addVariant<ElemBinarySequence<unsigned char>>(TagIsEither<char, 5, 6>, AlwaysPresent);
        addVariant<ElemBinarySequence<unsigned char>>(TagIsEither<char, 5, 6>, AlwaysPresent);
        addVariant<ElemBinarySequence<short>>(TagIsEither<char, 5, 6>, AlwaysPresent);
        addVariant<ElemBinarySequence<short>>(TagIsEither<char, 5, 6>, AlwaysPresent);

        addVariant<ElemBinarySequence<unsigned int>>(TagIs<char, 6>, AlwaysPresent);
        addVariant<ElemBinarySequence<unsigned int>>(TagIs<char, 6>, AlwaysPresent);

        addVariant<ElemBinarySequence<char>>(TagIs<char, 7>, AlwaysPresent);
        addVariant<ElemBinarySequence<unsigned int>>(TagIs<char, 7>, AlwaysPresent);
        addVariant<ElemBinarySequence<int>>(TagIs<char, 7>, AlwaysPresent);
        addVariant<ElemBinarySequence<unsigned int>>(TagIs<char, 7>, AlwaysPresent);
        addVariant<ElemBinarySequence<int>>(TagIs<char, 7>, AlwaysPresent);

        addVariant<ElemBinarySequence<char>>(TagIsEither<char, 8, 9>, AlwaysPresent);
        addVariant<ElemBinarySequence<int>>(TagIsEither<char, 8, 9>, AlwaysPresent);
        addVariant<ElemBinarySequence<char>>(TagIsEither<char, 8, 9>, AlwaysPresent);
        addVariant<ElemBinarySequence<char>>(TagIsEither<char, 8, 9>, AlwaysPresent);

        addVariant<ElemBinarySequence<unsigned int>>(TagIs<char, 9>, AlwaysPresent);
        addVariant<ElemBinarySequence<unsigned int>>(TagIs<char, 9>, AlwaysPresent);
        addVariant<ElemBinarySequence<unsigned char>>(TagIs<char, 9>, AlwaysPresent);
        addVariant<ElemBinarySequence<unsigned char>>(TagIs<char, 9>, AlwaysPresent);

        addVariant<ElemBinarySequence<char>>(TagIs<char, 10>, AlwaysPresent);
        addVariant<ElemBinarySequence<char>>(TagIs<char, 10>, AlwaysPresent);

        addVariant<ElemBinarySequence<char>>(TagIs<char, 11>, AlwaysPresent);
        addVariant<ArrayOfBinarySequences<unsigned short, OpenMapCell>>(TagIs<char, 11>, AlwaysPresent);
    }
};

// Extra state from version 44 on: 21 bytes with subversion 2, 25 with subversion 3. Every field
// has an initial value, so a source without the record, or without some of its fields, is
// written with defined bytes.
class AddInfo : public BinarySequence {
public:
    using BinarySequence::BinarySequence;

    ElemBinarySequence<unsigned int>& item01 = field(3u, OnlySubversion2);
    // Only in subversion 3, today the newest layout: a later release decides whether it keeps it.
    ElemBinarySequence<unsigned int>& item02 = field(7u, OnlySubversion3);
    FixedLengthArrayOfElemBinarySequences<unsigned char>& item03 = field(8, 0);
    FixedLengthArrayOfElemBinarySequences<unsigned char>& item04 = field(8, 0);
    ElemBinarySequence<unsigned char>& item05 = field(0);
    ElemBinarySequence<unsigned char>& item06 = field(0, FromSubversion3);
    ElemBinarySequence<unsigned char>& item07 = field(0, FromSubversion3);
    ElemBinarySequence<unsigned char>& item08 = field(0, FromSubversion3);
    ElemBinarySequence<unsigned char>& item09 = field(0, FromSubversion3);
};

// Extra state from version 45 on; 4086 bytes.
class HW : public BinarySequence {
public:
    using BinarySequence::BinarySequence;

    ElemBinarySequence<unsigned int>& item01 = field();
    ElemBinarySequence<unsigned int>& item02 = field();
    ElemBinarySequence<unsigned int>& item03 = field();
    ElemBinarySequence<unsigned int>& item04 = field();
    ElemBinarySequence<unsigned int[8]>& item05 = field();
    ElemBinarySequence<unsigned short>& item06 = field();
    ElemBinarySequence<unsigned int[48]>& item07 = field();
    ElemBinarySequence<unsigned char[48][80]>& item08 = field();
    ElemBinarySequence<unsigned int>& item09 = field();
};

// Whatever follows the known records, held as one opaque block and copied unchanged, so data of
// extensions this converter does not know survives a conversion.
class HDModeData : public BinarySequence {
public:
    using BinarySequence::BinarySequence;

    void read(ByteInput& in, const SvgVersion& version) override;
    void write(ByteOutput& out, const SvgVersion& version) const override;

    int length = 0;
    NodeBytes data{memory()};
};
