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

// A combination-artifact bit mask. From version 44 on it is a bit count and one byte per 8 bits;
// older files hold a fixed 16-bit mask (2 bytes, no count), which is written back with its count.
class ComboArtsMsk : public BinarySequence {
public:
    static constexpr std::uint32_t countLimit = 10000;  // counts from here on are refused
    static constexpr std::uint32_t oldFormatBits = 16;

    explicit ComboArtsMsk(VersionPredicate presence = AlwaysPresent) : BinarySequence(presence) {}

    void read(ByteInput& in, const SvgVersion& version) override;
    void write(ByteOutput& out, const SvgVersion& version) const override;

    std::uint32_t count = 0;  // number of mask bits
    NodeBytes mask{memory()};  // one byte per 8 bits
};

class SvgPlayer : public BinarySequence {
public:
    explicit SvgPlayer(VersionPredicate presence = AlwaysPresent);

    ElemBinarySequence<unsigned char>& item01;
    ElemBinarySequence<unsigned char>& item02;
    ElemBinarySequence<unsigned char>& item03;
    ElemBinarySequence<unsigned char[8]>& item04;
    ElemBinarySequence<unsigned char[2]>& item05;
    ElemBinarySequence<unsigned char>& item06;
    ElemBinarySequence<int>& item07;
    ElemBinarySequence<unsigned char>& item08;
    ElemBinarySequence<int>& item09;
    ElemBinarySequence<unsigned char>& item10;
    ElemBinarySequence<unsigned char>& item11;
    ElemBinarySequence<unsigned char>& item12;
    ElemBinarySequence<unsigned char[72]>& item13;
    ElemBinarySequence<int[7]>& item14;
    ElemBinarySequence<int[4]>& item15;
    ElemBinarySequence<unsigned char>& item16;
    ComboArtsMsk& item17;
};

class SvgTown : public BinarySequence {
public:
    explicit SvgTown(VersionPredicate presence = AlwaysPresent);

    ElemBinarySequence<unsigned char>& item01;
    ElemBinarySequence<signed char>& item02;
    ElemBinarySequence<unsigned char>& item03;
    ElemBinarySequence<unsigned char>& item04;
    ElemBinarySequence<signed char>& item05;
    ElemBinarySequence<unsigned char[3]>& item06;
    ElemBinarySequence<unsigned char[2]>& item07;
    ElemBinarySequence<int[14]>& item08;
    ElemBinarySequence<unsigned char>& item09;
    ElemBinarySequence<unsigned char>& item10;
    ElemBinarySequence<unsigned char>& item11;
    ElemBinarySequence<unsigned char>& item12;
    Text16& item13;
    ElemBinarySequence<short[14]>& item14;
    ElemBinarySequence<int[14]>& item15;
    ElemBinarySequence<unsigned char[5]>& item16;
    ElemBinarySequence<unsigned int[2]>& item17;
    ElemBinarySequence<unsigned int[2]>& item18;
    ElemBinarySequence<unsigned int[2]>& item19;
    ElemBinarySequence<int[30]>& item20;
    ElemBinarySequence<unsigned char[70]>& item21;
    ElemBinarySequence<unsigned char>& item22;
    ElemBinarySequence<int>& item23;
    ElemBinarySequence<short>& item24;
};

class SvgMisk : public BinarySequence {
public:
    explicit SvgMisk(VersionPredicate presence = AlwaysPresent);

    ElemBinarySequence<unsigned char>& item01;
    ElemBinarySequence<unsigned char>& item02;
    ElemBinarySequence<unsigned short>& item03;
    ElemBinarySequence<unsigned short>& item04;
    ElemBinarySequence<unsigned char>& item05;
    ElemBinarySequence<unsigned char>& item06;
    ElemBinarySequence<unsigned char>& item07;
    ElemBinarySequence<unsigned char>& item08;
    ElemBinarySequence<unsigned char>& item09;
    ElemBinarySequence<short[3]>& item10;
    ElemBinarySequence<unsigned char[32]>& item11;
    ElemBinarySequence<int[7]>& item12;
    ElemBinarySequence<unsigned char[32]>& item13;
    ElemBinarySequence<unsigned char[8]>& item14;
    ElemBinarySequence<unsigned char[6]>& item15;
    ElemBinarySequence<unsigned char[3]>& item16;
    ElemBinarySequence<unsigned int>& item17;
};

// One replay action: a 1-byte tag and the fields that the tag selects.
class SvgReplayAct : public ConditionnalBinarySequence<char> {
public:
    explicit SvgReplayAct(VersionPredicate presence = AlwaysPresent);
};

// Extra state from version 44 on. Every field has an initial value, so a source without the
// record, or without some of its fields, is written with defined bytes.
class AddInfo : public BinarySequence {
public:
    explicit AddInfo(VersionPredicate presence = AlwaysPresent);

    ElemBinarySequence<unsigned int>& item01;
    ElemBinarySequence<unsigned int>& item02;
    FixedLengthArrayOfElemBinarySequences<unsigned char>& item03;
    FixedLengthArrayOfElemBinarySequences<unsigned char>& item04;
    ElemBinarySequence<unsigned char>& item05;
    ElemBinarySequence<unsigned char>& item06;
    ElemBinarySequence<unsigned char>& item07;
    ElemBinarySequence<unsigned char>& item08;
    ElemBinarySequence<unsigned char>& item09;
};

class HW : public BinarySequence {
public:
    explicit HW(VersionPredicate presence = AlwaysPresent);

    ElemBinarySequence<unsigned int>& item01;
    ElemBinarySequence<unsigned int>& item02;
    ElemBinarySequence<unsigned int>& item03;
    ElemBinarySequence<unsigned int>& item04;
    ElemBinarySequence<unsigned int[8]>& item05;
    ElemBinarySequence<unsigned short>& item06;
    ElemBinarySequence<unsigned int[48]>& item07;
    ElemBinarySequence<unsigned char[48][80]>& item08;
    ElemBinarySequence<unsigned int>& item09;
};

// Whatever follows the known records, held as one opaque block and copied unchanged, so data of
// extensions this converter does not know survives a conversion.
class HDModeData : public BinarySequence {
public:
    explicit HDModeData(VersionPredicate presence = AlwaysPresent) : BinarySequence(presence) {}

    void read(ByteInput& in, const SvgVersion& version) override;
    void write(ByteOutput& out, const SvgVersion& version) const override;

    int length = 0;
    NodeBytes data{memory()};
};
