#include "schema/Heroes.h"

SvgMovableObject::SvgMovableObject(VersionPredicate presence)
    : BinarySequence(presence),
      item01(addNew<ElemBinarySequence<short>>(AlwaysPresent)),
      item02(addNew<ElemBinarySequence<short>>(AlwaysPresent)),
      item03(addNew<ElemBinarySequence<short>>(AlwaysPresent)),
      item04(addNew<ElemBinarySequence<unsigned char>>(AlwaysPresent)),
      item05(addNew<ElemBinarySequence<unsigned int>>(AlwaysPresent)),
      item06(addNew<ElemBinarySequence<unsigned int>>(AlwaysPresent)),
      item07(addNew<ElemBinarySequence<unsigned char>>(AlwaysPresent)),
      item08(addNew<ElemBinarySequence<unsigned int>>(AlwaysPresent)) {}

// item05 starts at -1 and the version-dependent tail at 0: that is what a hero missing from the
// source is written as.
SvgHero::SvgHero(VersionPredicate presence)
    : BinarySequence(presence),
      item01(addNew<SvgMovableObject>(AlwaysPresent)),
      item02(addNew<ElemBinarySequence<unsigned char>>(AlwaysPresent)),
      item03(addNew<ElemBinarySequence<unsigned char>>(AlwaysPresent)),
      item04(addNew<Text32>(AlwaysPresent)),
      item05(addNew<ElemBinarySequence<signed char>>(static_cast<signed char>(-1), AlwaysPresent)),
      item06(addNew<ElemBinarySequence<signed char>>(AlwaysPresent)),
      item07(addNew<ElemBinarySequence<signed char>>(AlwaysPresent)),
      item08(addNew<ElemBinarySequence<signed char>>(AlwaysPresent)),
      item09(addNew<ElemBinarySequence<unsigned char>>(AlwaysPresent)),
      item10(addNew<ElemBinarySequence<signed char>>(AlwaysPresent)),
      item11(addNew<ElemBinarySequence<signed char>>(AlwaysPresent)),
      item12(addNew<ElemBinarySequence<signed char>>(AlwaysPresent)),
      item13(addNew<ElemBinarySequence<unsigned char>>(AlwaysPresent)),
      item14(addNew<ElemBinarySequence<signed char>>(AlwaysPresent)),
      item15(addNew<ElemBinarySequence<unsigned char>>(AlwaysPresent)),
      item16(addNew<ElemBinarySequence<signed char>>(AlwaysPresent)),
      item17(addNew<ElemBinarySequence<unsigned char>>(AlwaysPresent)),
      item18(addNew<ElemBinarySequence<unsigned char>>(AlwaysPresent)),
      item19(addNew<ElemBinarySequence<unsigned char>>(AlwaysPresent)),
      item20(addNew<ElemBinarySequence<unsigned char>>(AlwaysPresent)),
      item21(addNew<ElemBinarySequence<unsigned char>>(AlwaysPresent)),
      item22(addNew<ElemBinarySequence<unsigned char>>(AlwaysPresent)),
      item23(addNew<ElemBinarySequence<signed char>>(AlwaysPresent)),
      item24(addNew<ElemBinarySequence<int>>(AlwaysPresent)),
      item25(addNew<ElemBinarySequence<int>>(AlwaysPresent)),
      item26(addNew<ElemBinarySequence<short>>(AlwaysPresent)),
      item27(addNew<ElemBinarySequence<short>>(AlwaysPresent)),
      item28(addNew<ElemBinarySequence<int>>(AlwaysPresent)),
      item29(addNew<ElemBinarySequence<int>>(AlwaysPresent)),
      item30(addNew<ElemBinarySequence<int>>(AlwaysPresent)),
      item31(addNew<ElemBinarySequence<int>>(AlwaysPresent)),
      item32(addNew<ElemBinarySequence<short>>(AlwaysPresent)),
      item33(addNew<ElemBinarySequence<short>>(AlwaysPresent)),
      item34(addNew<ElemBinarySequence<short>>(AlwaysPresent)),
      item35(addNew<ElemBinarySequence<int[10]>>(AlwaysPresent)),
      item36(addNew<ElemBinarySequence<int>>(AlwaysPresent)),
      item37(addNew<ElemBinarySequence<int>>(AlwaysPresent)),
      item38(addNew<ElemBinarySequence<int>>(AlwaysPresent)),
      item39(addNew<ElemBinarySequence<int>>(AlwaysPresent)),
      item40(addNew<ElemBinarySequence<int>>(AlwaysPresent)),
      item41(addNew<ElemBinarySequence<int[14]>>(AlwaysPresent)),
      item42(addNew<ElemBinarySequence<char[13]>>(AlwaysPresent)),
      item43(addNew<ElemBinarySequence<unsigned char[28]>>(AlwaysPresent)),
      item44(addNew<ElemBinarySequence<unsigned char[28]>>(AlwaysPresent)),
      item45(addNew<ElemBinarySequence<signed char>>(AlwaysPresent)),
      item46(addNew<ElemBinarySequence<signed char>>(AlwaysPresent)),
      item47(addNew<ElemBinarySequence<signed char>>(AlwaysPresent)),
      item48(addNew<ElemBinarySequence<signed char>>(AlwaysPresent)),
      item49(addNew<ElemBinarySequence<unsigned char[70]>>(AlwaysPresent)),
      item50(addNew<ElemBinarySequence<unsigned char[70]>>(AlwaysPresent)),
      item51(addNew<ElemBinarySequence<int[38]>>(AlwaysPresent)),
      item52(addNew<ElemBinarySequence<int[128]>>(AlwaysPresent)),
      item53(addNew<ElemBinarySequence<unsigned char[15]>>(AlwaysPresent)),
      item54(addNew<ElemBinarySequence<unsigned char>>(AlwaysPresent)),
      item55(addNew<ElemBinarySequence<unsigned char[6]>>(AlwaysPresent)),
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
    addDefaultHeroes = version.svg_version == 42;
    clearChildren();
    addHeroes(addDefaultHeroes ? baseHeroCount : baseHeroCount + addedHeroCount);
    readChildren(in, version);
}

// A version-42 source holds only 156 heroes; a newer target expects 178, so the missing ones
// are written as freshly built heroes in the target's layout.
void SvgHeroFixedSizeArray::write(ByteOutput& out, const SvgVersion& version) const {
    writeChildren(out, version);
    if (!addDefaultHeroes || version.svg_version < 44) return;
    ByteOutput defaultHero;
    NodeBuildScope scope(memory());
    SvgHero().write(defaultHero, version);
    for (std::size_t i = 0; i < addedHeroCount; ++i) out.write(defaultHero.bytes().data(), defaultHero.size());
}

void SvgHeroFixedSizeArray::addHeroes(std::size_t count) {
    children.reserve(children.size() + count);
    for (std::size_t i = 0; i < count; ++i) addNew<SvgHero>(AlwaysPresent);
}

SvgHeroAvailabilityFixedSizeArray::SvgHeroAvailabilityFixedSizeArray(VersionPredicate presence)
    : BinarySequence(presence),
      item01(addNew<FixedLengthArrayOfElemBinarySequences<unsigned char>>(156, AlwaysPresent)),
      item02(addNew<FixedLengthArrayOfElemBinarySequences<unsigned char>>(22, static_cast<unsigned char>(64), FromVersion44)) {}

SvgHeroPlayerAvailabilityFixedSizeArray::SvgHeroPlayerAvailabilityFixedSizeArray(VersionPredicate presence)
    : BinarySequence(presence),
      item01(addNew<FixedLengthArrayOfElemBinarySequences<unsigned char>>(156, AlwaysPresent)),
      item02(addNew<FixedLengthArrayOfElemBinarySequences<unsigned char>>(22, static_cast<unsigned char>(0), FromVersion44)) {}
