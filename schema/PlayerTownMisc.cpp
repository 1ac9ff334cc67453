#include "schema/PlayerTownMisc.h"

#include <algorithm>

#include "schema_core/LittleEndian.h"
#include "schema_core/TagPredicates.h"

// --- ComboArtsMsk -------------------------------------------------------------------------

void ComboArtsMsk::read(ByteInput& in, const SvgVersion& version) {
    mask.clear();
    if (version.svg_version < 44) {
        count = oldFormatBits;
    } else {
        readLittleEndian(in, count);
        if (count >= countLimit) throw RecordLimitError("combination mask count above the limit");
    }
    mask.resize((count + 7) / 8);
    in.read(mask.data(), mask.size());
}

void ComboArtsMsk::write(ByteOutput& out, const SvgVersion& version) const {
    if (version.svg_version >= 44) {
        writeLittleEndian(out, count);
        out.write(mask.data(), mask.size());
        return;
    }
    // The old layout has room for exactly 2 mask bytes: a longer mask cannot be expressed and is
    // cleared, a shorter one is padded with zero bytes.
    unsigned char oldMask[2] = {0, 0};
    if (mask.size() <= 2) std::copy(mask.begin(), mask.end(), oldMask);
    out.write(oldMask, sizeof oldMask);
}

// --- Plain records ------------------------------------------------------------------------

template <class T>
using Elem = ElemBinarySequence<T>;

SvgPlayer::SvgPlayer(VersionPredicate presence)
    : BinarySequence(presence),
      item01(addNew<Elem<unsigned char>>()),
      item02(addNew<Elem<unsigned char>>()),
      item03(addNew<Elem<unsigned char>>()),
      item04(addNew<Elem<unsigned char[8]>>()),
      item05(addNew<Elem<unsigned char[2]>>()),
      item06(addNew<Elem<unsigned char>>()),
      item07(addNew<Elem<int>>()),
      item08(addNew<Elem<unsigned char>>()),
      item09(addNew<Elem<int>>()),
      item10(addNew<Elem<unsigned char>>()),
      item11(addNew<Elem<unsigned char>>()),
      item12(addNew<Elem<unsigned char>>()),
      item13(addNew<Elem<unsigned char[72]>>()),
      item14(addNew<Elem<int[7]>>()),
      item15(addNew<Elem<int[4]>>()),
      item16(addNew<Elem<unsigned char>>()),
      item17(addNew<ComboArtsMsk>()) {}

SvgTown::SvgTown(VersionPredicate presence)
    : BinarySequence(presence),
      item01(addNew<Elem<unsigned char>>()),
      item02(addNew<Elem<signed char>>()),
      item03(addNew<Elem<unsigned char>>()),
      item04(addNew<Elem<unsigned char>>()),
      item05(addNew<Elem<signed char>>()),
      item06(addNew<Elem<unsigned char[3]>>()),
      item07(addNew<Elem<unsigned char[2]>>()),
      item08(addNew<Elem<int[14]>>()),
      item09(addNew<Elem<unsigned char>>()),
      item10(addNew<Elem<unsigned char>>()),
      item11(addNew<Elem<unsigned char>>()),
      item12(addNew<Elem<unsigned char>>()),
      item13(addNew<Text16>()),
      item14(addNew<Elem<short[14]>>()),
      item15(addNew<Elem<int[14]>>()),
      item16(addNew<Elem<unsigned char[5]>>()),
      item17(addNew<Elem<unsigned int[2]>>()),
      item18(addNew<Elem<unsigned int[2]>>()),
      item19(addNew<Elem<unsigned int[2]>>()),
      item20(addNew<Elem<int[30]>>()),
      item21(addNew<Elem<unsigned char[70]>>()),
      item22(addNew<Elem<unsigned char>>()),
      item23(addNew<Elem<int>>()),
      item24(addNew<Elem<short>>()) {}

SvgMisk::SvgMisk(VersionPredicate presence)
    : BinarySequence(presence),
      item01(addNew<Elem<unsigned char>>()),
      item02(addNew<Elem<unsigned char>>()),
      item03(addNew<Elem<unsigned short>>()),
      item04(addNew<Elem<unsigned short>>()),
      item05(addNew<Elem<unsigned char>>()),
      item06(addNew<Elem<unsigned char>>()),
      item07(addNew<Elem<unsigned char>>()),
      item08(addNew<Elem<unsigned char>>()),
      item09(addNew<Elem<unsigned char>>()),
      item10(addNew<Elem<short[3]>>()),
      item11(addNew<Elem<unsigned char[32]>>()),
      item12(addNew<Elem<int[7]>>()),
      item13(addNew<Elem<unsigned char[32]>>()),
      item14(addNew<Elem<unsigned char[8]>>()),
      item15(addNew<Elem<unsigned char[6]>>()),
      item16(addNew<Elem<unsigned char[3]>>()),
      item17(addNew<Elem<unsigned int>>()) {}

// --- SvgReplayAct -------------------------------------------------------------------------

SvgReplayAct::SvgReplayAct(VersionPredicate presence) : ConditionnalBinarySequence<char>(presence) {
    if (shareVariantsOf<SvgReplayAct>()) return;
    // Variants 1 to 5: tags 1 and 2.
    addVariant<Elem<char>>(TagIsEither<char, 1, 2>, AlwaysPresent);
    addVariant<Elem<int>>(TagIsEither<char, 1, 2>, AlwaysPresent);
    addVariant<Elem<char>>(TagIsEither<char, 1, 2>, AlwaysPresent);
    addVariant<Elem<unsigned int>>(TagIsEither<char, 1, 2>, AlwaysPresent);
    addVariant<Elem<unsigned int>>(TagIsEither<char, 1, 2>, AlwaysPresent);
    // 6 to 9: tag 3.
    addVariant<Elem<char>>(TagIs<char, 3>, AlwaysPresent);
    addVariant<Elem<unsigned int>>(TagIs<char, 3>, AlwaysPresent);
    addVariant<Elem<char>>(TagIs<char, 3>, AlwaysPresent);
    addVariant<Elem<char>>(TagIs<char, 3>, AlwaysPresent);
    // 10 to 13: tag 4.
    addVariant<Elem<char>>(TagIs<char, 4>, AlwaysPresent);
    addVariant<Elem<unsigned int>>(TagIs<char, 4>, AlwaysPresent);
    addVariant<Elem<char>>(TagIs<char, 4>, AlwaysPresent);
    addVariant<Elem<char>>(TagIs<char, 4>, AlwaysPresent);
    // 14 to 19: tags 5 and 6.
    addVariant<Elem<char>>(TagIsEither<char, 5, 6>, AlwaysPresent);
    addVariant<Elem<char>>(TagIsEither<char, 5, 6>, AlwaysPresent);
    addVariant<Elem<unsigned char>>(TagIsEither<char, 5, 6>, AlwaysPresent);
    addVariant<Elem<unsigned char>>(TagIsEither<char, 5, 6>, AlwaysPresent);
    addVariant<Elem<short>>(TagIsEither<char, 5, 6>, AlwaysPresent);
    addVariant<Elem<short>>(TagIsEither<char, 5, 6>, AlwaysPresent);
    // 20 to 21: tag 6.
    addVariant<Elem<unsigned int>>(TagIs<char, 6>, AlwaysPresent);
    addVariant<Elem<unsigned int>>(TagIs<char, 6>, AlwaysPresent);
    // 22 to 26: tag 7.
    addVariant<Elem<char>>(TagIs<char, 7>, AlwaysPresent);
    addVariant<Elem<unsigned int>>(TagIs<char, 7>, AlwaysPresent);
    addVariant<Elem<int>>(TagIs<char, 7>, AlwaysPresent);
    addVariant<Elem<unsigned int>>(TagIs<char, 7>, AlwaysPresent);
    addVariant<Elem<int>>(TagIs<char, 7>, AlwaysPresent);
    // 27 to 30: tags 8 and 9.
    addVariant<Elem<char>>(TagIsEither<char, 8, 9>, AlwaysPresent);
    addVariant<Elem<int>>(TagIsEither<char, 8, 9>, AlwaysPresent);
    addVariant<Elem<char>>(TagIsEither<char, 8, 9>, AlwaysPresent);
    addVariant<Elem<char>>(TagIsEither<char, 8, 9>, AlwaysPresent);
    // 31 to 34: tag 9.
    addVariant<Elem<unsigned int>>(TagIs<char, 9>, AlwaysPresent);
    addVariant<Elem<unsigned int>>(TagIs<char, 9>, AlwaysPresent);
    addVariant<Elem<unsigned char>>(TagIs<char, 9>, AlwaysPresent);
    addVariant<Elem<unsigned char>>(TagIs<char, 9>, AlwaysPresent);
    // 35 to 36: tag 10.
    addVariant<Elem<char>>(TagIs<char, 10>, AlwaysPresent);
    addVariant<Elem<char>>(TagIs<char, 10>, AlwaysPresent);
    // 37 to 38: tag 11, with a list of map cells.
    addVariant<Elem<char>>(TagIs<char, 11>, AlwaysPresent);
    addVariant<ArrayOfBinarySequences<unsigned short, OpenMapCell>>(TagIs<char, 11>, AlwaysPresent);
}

// --- AddInfo and HW -----------------------------------------------------------------------

AddInfo::AddInfo(VersionPredicate presence)
    : BinarySequence(presence),
      item01(addNew<Elem<unsigned int>>(3u, OnlySubversion2)),
      item02(addNew<Elem<unsigned int>>(7u, OnlySubversion3)),
      item03(addNew<FixedLengthArrayOfElemBinarySequences<unsigned char>>(8, 0, AlwaysPresent)),
      item04(addNew<FixedLengthArrayOfElemBinarySequences<unsigned char>>(8, 0, AlwaysPresent)),
      item05(addNew<Elem<unsigned char>>(static_cast<unsigned char>(0), AlwaysPresent)),
      item06(addNew<Elem<unsigned char>>(static_cast<unsigned char>(0), FromSubversion3)),
      item07(addNew<Elem<unsigned char>>(static_cast<unsigned char>(0), FromSubversion3)),
      item08(addNew<Elem<unsigned char>>(static_cast<unsigned char>(0), FromSubversion3)),
      item09(addNew<Elem<unsigned char>>(static_cast<unsigned char>(0), FromSubversion3)) {}

HW::HW(VersionPredicate presence)
    : BinarySequence(presence),
      item01(addNew<Elem<unsigned int>>()),
      item02(addNew<Elem<unsigned int>>()),
      item03(addNew<Elem<unsigned int>>()),
      item04(addNew<Elem<unsigned int>>()),
      item05(addNew<Elem<unsigned int[8]>>()),
      item06(addNew<Elem<unsigned short>>()),
      item07(addNew<Elem<unsigned int[48]>>()),
      item08(addNew<Elem<unsigned char[48][80]>>()),
      item09(addNew<Elem<unsigned int>>()) {}

// --- HDModeData ---------------------------------------------------------------------------

void HDModeData::read(ByteInput& in, const SvgVersion&) {
    data.clear();
    length = static_cast<int>(in.remaining());
    if (length == 0) return;
    data.resize(static_cast<std::size_t>(length));
    in.read(data.data(), data.size());
}

void HDModeData::write(ByteOutput& out, const SvgVersion&) const {
    if (length >= 1) out.write(data.data(), data.size());
}
