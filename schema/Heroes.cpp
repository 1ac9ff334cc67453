#include "schema/Heroes.h"

SvgMovableObject::SvgMovableObject(VersionPredicate presence)
    : BinarySequence(presence),
      item01(addNew<ElemBinarySequence<short>>()),
      item02(addNew<ElemBinarySequence<short>>()),
      item03(addNew<ElemBinarySequence<short>>()),
      item04(addNew<ElemBinarySequence<unsigned char>>()),
      item05(addNew<ElemBinarySequence<unsigned int>>()),
      item06(addNew<ElemBinarySequence<unsigned int>>()),
      item07(addNew<ElemBinarySequence<unsigned char>>()),
      item08(addNew<ElemBinarySequence<unsigned int>>()) {}

// item05 starts at -1 and the version-dependent tail at 0: that is what a hero missing from the
// source is written as.
SvgHero::SvgHero(VersionPredicate presence)
    : BinarySequence(presence),
      item01(addNew<SvgMovableObject>()),
      item02(addNew<ElemBinarySequence<unsigned char>>()),
      item03(addNew<ElemBinarySequence<unsigned char>>()),
      item04(addNew<Text32>()),
      item05(addNew<ElemBinarySequence<signed char>>(static_cast<signed char>(-1), AlwaysPresent)),
      item06(addNew<ElemBinarySequence<signed char>>()),
      item07(addNew<ElemBinarySequence<signed char>>()),
      item08(addNew<ElemBinarySequence<signed char>>()),
      item09(addNew<ElemBinarySequence<unsigned char>>()),
      item10(addNew<ElemBinarySequence<signed char>>()),
      item11(addNew<ElemBinarySequence<signed char>>()),
      item12(addNew<ElemBinarySequence<signed char>>()),
      item13(addNew<ElemBinarySequence<unsigned char>>()),
      item14(addNew<ElemBinarySequence<signed char>>()),
      item15(addNew<ElemBinarySequence<unsigned char>>()),
      item16(addNew<ElemBinarySequence<signed char>>()),
      item17(addNew<ElemBinarySequence<unsigned char>>()),
      item18(addNew<ElemBinarySequence<unsigned char>>()),
      item19(addNew<ElemBinarySequence<unsigned char>>()),
      item20(addNew<ElemBinarySequence<unsigned char>>()),
      item21(addNew<ElemBinarySequence<unsigned char>>()),
      item22(addNew<ElemBinarySequence<unsigned char>>()),
      item23(addNew<ElemBinarySequence<signed char>>()),
      item24(addNew<ElemBinarySequence<int>>()),
      item25(addNew<ElemBinarySequence<int>>()),
      item26(addNew<ElemBinarySequence<short>>()),
      item27(addNew<ElemBinarySequence<short>>()),
      item28(addNew<ElemBinarySequence<int>>()),
      item29(addNew<ElemBinarySequence<int>>()),
      item30(addNew<ElemBinarySequence<int>>()),
      item31(addNew<ElemBinarySequence<int>>()),
      item32(addNew<ElemBinarySequence<short>>()),
      item33(addNew<ElemBinarySequence<short>>()),
      item34(addNew<ElemBinarySequence<short>>()),
      item35(addNew<ElemBinarySequence<int[10]>>()),
      item36(addNew<ElemBinarySequence<int>>()),
      item37(addNew<ElemBinarySequence<int>>()),
      item38(addNew<ElemBinarySequence<int>>()),
      item39(addNew<ElemBinarySequence<int>>()),
      item40(addNew<ElemBinarySequence<int>>()),
      item41(addNew<ElemBinarySequence<int[14]>>()),
      item42(addNew<ElemBinarySequence<char[13]>>()),
      item43(addNew<ElemBinarySequence<unsigned char[28]>>()),
      item44(addNew<ElemBinarySequence<unsigned char[28]>>()),
      item45(addNew<ElemBinarySequence<signed char>>()),
      item46(addNew<ElemBinarySequence<signed char>>()),
      item47(addNew<ElemBinarySequence<signed char>>()),
      item48(addNew<ElemBinarySequence<signed char>>()),
      item49(addNew<ElemBinarySequence<unsigned char[70]>>()),
      item50(addNew<ElemBinarySequence<unsigned char[70]>>()),
      item51(addNew<ElemBinarySequence<int[38]>>()),
      item52(addNew<ElemBinarySequence<int[128]>>()),
      item53(addNew<ElemBinarySequence<unsigned char[15]>>()),
      item54(addNew<ElemBinarySequence<unsigned char>>()),
      item55(addNew<ElemBinarySequence<unsigned char[6]>>()),
      item56(addNew<ElemBinarySequence<unsigned int>>(0u, FromVersion44Sub2)),
      item57(addNew<ElemBinarySequence<unsigned int>>(0u, FromVersion44Sub3)),
      item58(addNew<ElemBinarySequence<unsigned int>>(0u, FromVersion44Sub3)),
      item59(addNew<ElemBinarySequence<unsigned int>>(0u, FromVersion44Sub3)) {}

SvgHeroFixedSizeArray::SvgHeroFixedSizeArray(VersionPredicate presence) : BinarySequence(presence) {
    addHeroes(baseHeroCount);
}

// The table size follows the source version. The heroes are built afresh for every read, so
// reading the table again cannot leave it with extra heroes or stale hero content.
void SvgHeroFixedSizeArray::read(ByteInput& in, const SvgVersion& version) {
    addDefaultHeroes = version.isOstrel();
    clearChildren();
    addHeroes(addDefaultHeroes ? baseHeroCount : baseHeroCount + addedHeroCount);
    readChildren(in, version);
}

// A version-42 source holds only 156 heroes; a newer target expects 178, so the missing ones
// are written as freshly built heroes in the target's layout.
void SvgHeroFixedSizeArray::write(ByteOutput& out, const SvgVersion& version) const {
    writeChildren(out, version);
    if (!addDefaultHeroes || !hasAddedHeroes(version)) return;
    ByteOutput defaultHero;
    NodeBuildScope scope(memory());
    SvgHero().write(defaultHero, version);
    for (std::size_t i = 0; i < addedHeroCount; ++i) out.write(defaultHero.bytes().data(), defaultHero.size());
}

void SvgHeroFixedSizeArray::addHeroes(std::size_t count) {
    children.reserve(children.size() + count);
    for (std::size_t i = 0; i < count; ++i) addNew<SvgHero>();
}

SvgHeroAvailabilityFixedSizeArray::SvgHeroAvailabilityFixedSizeArray(VersionPredicate presence)
    : BinarySequence(presence),
      item01(addNew<FixedLengthArrayOfElemBinarySequences<unsigned char>>(156, AlwaysPresent)),
      item02(addNew<FixedLengthArrayOfElemBinarySequences<unsigned char>>(22, static_cast<unsigned char>(64), FromVersion44)) {}

SvgHeroPlayerAvailabilityFixedSizeArray::SvgHeroPlayerAvailabilityFixedSizeArray(VersionPredicate presence)
    : BinarySequence(presence),
      item01(addNew<FixedLengthArrayOfElemBinarySequences<unsigned char>>(156, AlwaysPresent)),
      item02(addNew<FixedLengthArrayOfElemBinarySequences<unsigned char>>(22, static_cast<unsigned char>(0), FromVersion44)) {}
