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

    Elem<unsigned char>& item01 = addNew<Elem<unsigned char>>();
    Elem<unsigned char>& item02 = addNew<Elem<unsigned char>>();
    Elem<unsigned char>& item03 = addNew<Elem<unsigned char>>();
    Elem<unsigned char[8]>& item04 = addNew<Elem<unsigned char[8]>>();
    Elem<unsigned char[2]>& item05 = addNew<Elem<unsigned char[2]>>();
    Elem<unsigned char>& item06 = addNew<Elem<unsigned char>>();
    Elem<int>& item07 = addNew<Elem<int>>();
    Elem<unsigned char>& item08 = addNew<Elem<unsigned char>>();
    Elem<int>& item09 = addNew<Elem<int>>();
    Elem<unsigned char>& item10 = addNew<Elem<unsigned char>>();
    Elem<unsigned char>& item11 = addNew<Elem<unsigned char>>();
    Elem<unsigned char>& item12 = addNew<Elem<unsigned char>>();
    Elem<unsigned char[72]>& item13 = addNew<Elem<unsigned char[72]>>();
    Elem<int[7]>& item14 = addNew<Elem<int[7]>>();
    Elem<int[4]>& item15 = addNew<Elem<int[4]>>();
    Elem<unsigned char>& item16 = addNew<Elem<unsigned char>>();
    ComboArtsMsk& item17 = addNew<ComboArtsMsk>();
};

// 382 bytes plus the characters of item13.
class SvgTown : public BinarySequence {
public:
    using BinarySequence::BinarySequence;

    Elem<unsigned char>& item01 = addNew<Elem<unsigned char>>();
    Elem<signed char>& item02 = addNew<Elem<signed char>>();
    Elem<unsigned char>& item03 = addNew<Elem<unsigned char>>();
    Elem<unsigned char>& item04 = addNew<Elem<unsigned char>>();
    Elem<signed char>& item05 = addNew<Elem<signed char>>();
    Elem<unsigned char[3]>& item06 = addNew<Elem<unsigned char[3]>>();
    Elem<unsigned char[2]>& item07 = addNew<Elem<unsigned char[2]>>();
    Elem<int[14]>& item08 = addNew<Elem<int[14]>>();
    Elem<unsigned char>& item09 = addNew<Elem<unsigned char>>();
    Elem<unsigned char>& item10 = addNew<Elem<unsigned char>>();
    Elem<unsigned char>& item11 = addNew<Elem<unsigned char>>();
    Elem<unsigned char>& item12 = addNew<Elem<unsigned char>>();
    Text16& item13 = addNew<Text16>();
    Elem<short[14]>& item14 = addNew<Elem<short[14]>>();
    Elem<int[14]>& item15 = addNew<Elem<int[14]>>();
    Elem<unsigned char[5]>& item16 = addNew<Elem<unsigned char[5]>>();
    Elem<unsigned int[2]>& item17 = addNew<Elem<unsigned int[2]>>();
    Elem<unsigned int[2]>& item18 = addNew<Elem<unsigned int[2]>>();
    Elem<unsigned int[2]>& item19 = addNew<Elem<unsigned int[2]>>();
    Elem<int[30]>& item20 = addNew<Elem<int[30]>>();
    Elem<unsigned char[70]>& item21 = addNew<Elem<unsigned char[70]>>();
    Elem<unsigned char>& item22 = addNew<Elem<unsigned char>>();
    Elem<int>& item23 = addNew<Elem<int>>();
    Elem<short>& item24 = addNew<Elem<short>>();
};

// 130 bytes.
class SvgMisk : public BinarySequence {
public:
    using BinarySequence::BinarySequence;

    Elem<unsigned char>& item01 = addNew<Elem<unsigned char>>();
    Elem<unsigned char>& item02 = addNew<Elem<unsigned char>>();
    Elem<unsigned short>& item03 = addNew<Elem<unsigned short>>();
    Elem<unsigned short>& item04 = addNew<Elem<unsigned short>>();
    Elem<unsigned char>& item05 = addNew<Elem<unsigned char>>();
    Elem<unsigned char>& item06 = addNew<Elem<unsigned char>>();
    Elem<unsigned char>& item07 = addNew<Elem<unsigned char>>();
    Elem<unsigned char>& item08 = addNew<Elem<unsigned char>>();
    Elem<unsigned char>& item09 = addNew<Elem<unsigned char>>();
    Elem<short[3]>& item10 = addNew<Elem<short[3]>>();
    Elem<unsigned char[32]>& item11 = addNew<Elem<unsigned char[32]>>();
    Elem<int[7]>& item12 = addNew<Elem<int[7]>>();
    Elem<unsigned char[32]>& item13 = addNew<Elem<unsigned char[32]>>();
    Elem<unsigned char[8]>& item14 = addNew<Elem<unsigned char[8]>>();
    Elem<unsigned char[6]>& item15 = addNew<Elem<unsigned char[6]>>();
    Elem<unsigned char[3]>& item16 = addNew<Elem<unsigned char[3]>>();
    Elem<unsigned int>& item17 = addNew<Elem<unsigned int>>();
};

// One replay action: a 1-byte tag and the fields that the tag selects. After the tag come
// 14 bytes for tags 1 and 2, 7 for 3, 4 and 8, 8 for 5, 16 for 6, 17 for 7 and 9, 2 for 10,
// 3 and the listed map cells for 11, and nothing for any other tag.
class SvgReplayAct : public ConditionnalBinarySequence<char> {
public:
    explicit SvgReplayAct(VersionPredicate presence = AlwaysPresent) : ConditionnalBinarySequence(presence) {
        if (shareVariantsOf<SvgReplayAct>()) return;
        addVariant<Elem<char>>(TagIsEither<char, 1, 2>, AlwaysPresent);
        addVariant<Elem<int>>(TagIsEither<char, 1, 2>, AlwaysPresent);
        addVariant<Elem<char>>(TagIsEither<char, 1, 2>, AlwaysPresent);
        addVariant<Elem<unsigned int>>(TagIsEither<char, 1, 2>, AlwaysPresent);
        addVariant<Elem<unsigned int>>(TagIsEither<char, 1, 2>, AlwaysPresent);

        addVariant<Elem<char>>(TagIs<char, 3>, AlwaysPresent);
        addVariant<Elem<unsigned int>>(TagIs<char, 3>, AlwaysPresent);
        addVariant<Elem<char>>(TagIs<char, 3>, AlwaysPresent);
        addVariant<Elem<char>>(TagIs<char, 3>, AlwaysPresent);

        addVariant<Elem<char>>(TagIs<char, 4>, AlwaysPresent);
        addVariant<Elem<unsigned int>>(TagIs<char, 4>, AlwaysPresent);
        addVariant<Elem<char>>(TagIs<char, 4>, AlwaysPresent);
        addVariant<Elem<char>>(TagIs<char, 4>, AlwaysPresent);

        addVariant<Elem<char>>(TagIsEither<char, 5, 6>, AlwaysPresent);
        addVariant<Elem<char>>(TagIsEither<char, 5, 6>, AlwaysPresent);
        addVariant<Elem<unsigned char>>(TagIsEither<char, 5, 6>, AlwaysPresent);
        addVariant<Elem<unsigned char>>(TagIsEither<char, 5, 6>, AlwaysPresent);
        addVariant<Elem<short>>(TagIsEither<char, 5, 6>, AlwaysPresent);
        addVariant<Elem<short>>(TagIsEither<char, 5, 6>, AlwaysPresent);

        addVariant<Elem<unsigned int>>(TagIs<char, 6>, AlwaysPresent);
        addVariant<Elem<unsigned int>>(TagIs<char, 6>, AlwaysPresent);

        addVariant<Elem<char>>(TagIs<char, 7>, AlwaysPresent);
        addVariant<Elem<unsigned int>>(TagIs<char, 7>, AlwaysPresent);
        addVariant<Elem<int>>(TagIs<char, 7>, AlwaysPresent);
        addVariant<Elem<unsigned int>>(TagIs<char, 7>, AlwaysPresent);
        addVariant<Elem<int>>(TagIs<char, 7>, AlwaysPresent);

        addVariant<Elem<char>>(TagIsEither<char, 8, 9>, AlwaysPresent);
        addVariant<Elem<int>>(TagIsEither<char, 8, 9>, AlwaysPresent);
        addVariant<Elem<char>>(TagIsEither<char, 8, 9>, AlwaysPresent);
        addVariant<Elem<char>>(TagIsEither<char, 8, 9>, AlwaysPresent);

        addVariant<Elem<unsigned int>>(TagIs<char, 9>, AlwaysPresent);
        addVariant<Elem<unsigned int>>(TagIs<char, 9>, AlwaysPresent);
        addVariant<Elem<unsigned char>>(TagIs<char, 9>, AlwaysPresent);
        addVariant<Elem<unsigned char>>(TagIs<char, 9>, AlwaysPresent);

        addVariant<Elem<char>>(TagIs<char, 10>, AlwaysPresent);
        addVariant<Elem<char>>(TagIs<char, 10>, AlwaysPresent);

        addVariant<Elem<char>>(TagIs<char, 11>, AlwaysPresent);
        addVariant<ArrayOfBinarySequences<unsigned short, OpenMapCell>>(TagIs<char, 11>, AlwaysPresent);
    }
};

// Extra state from version 44 on: 21 bytes with subversion 2, 25 with subversion 3. Every field
// has an initial value, so a source without the record, or without some of its fields, is
// written with defined bytes.
class AddInfo : public BinarySequence {
public:
    using BinarySequence::BinarySequence;
    using Bytes = FixedLengthArrayOfElemBinarySequences<unsigned char>;

    Elem<unsigned int>& item01 = addNew<Elem<unsigned int>>(3u, OnlySubversion2);
    Elem<unsigned int>& item02 = addNew<Elem<unsigned int>>(7u, OnlySubversion3);
    Bytes& item03 = addNew<Bytes>(8, 0, AlwaysPresent);
    Bytes& item04 = addNew<Bytes>(8, 0, AlwaysPresent);
    Elem<unsigned char>& item05 = addNew<Elem<unsigned char>>(static_cast<unsigned char>(0), AlwaysPresent);
    Elem<unsigned char>& item06 = addNew<Elem<unsigned char>>(static_cast<unsigned char>(0), FromSubversion3);
    Elem<unsigned char>& item07 = addNew<Elem<unsigned char>>(static_cast<unsigned char>(0), FromSubversion3);
    Elem<unsigned char>& item08 = addNew<Elem<unsigned char>>(static_cast<unsigned char>(0), FromSubversion3);
    Elem<unsigned char>& item09 = addNew<Elem<unsigned char>>(static_cast<unsigned char>(0), FromSubversion3);
};

// Extra state from version 45 on; 4086 bytes.
class HW : public BinarySequence {
public:
    using BinarySequence::BinarySequence;

    Elem<unsigned int>& item01 = addNew<Elem<unsigned int>>();
    Elem<unsigned int>& item02 = addNew<Elem<unsigned int>>();
    Elem<unsigned int>& item03 = addNew<Elem<unsigned int>>();
    Elem<unsigned int>& item04 = addNew<Elem<unsigned int>>();
    Elem<unsigned int[8]>& item05 = addNew<Elem<unsigned int[8]>>();
    Elem<unsigned short>& item06 = addNew<Elem<unsigned short>>();
    Elem<unsigned int[48]>& item07 = addNew<Elem<unsigned int[48]>>();
    Elem<unsigned char[48][80]>& item08 = addNew<Elem<unsigned char[48][80]>>();
    Elem<unsigned int>& item09 = addNew<Elem<unsigned int>>();
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
