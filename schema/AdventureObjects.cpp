#include "schema/AdventureObjects.h"

#include "schema_core/TagPredicates.h"

namespace {

using Tag = unsigned char;

}  // namespace

SvgTemplate::SvgTemplate()
    : item01(addNew<Text16>()),
      item02(addNew<ElemBinarySequence<unsigned char[33]>>()) {}

SvgGuardSetup::SvgGuardSetup() : ConditionnalBinarySequence<Tag>() {
    if (shareVariantsOf<SvgGuardSetup>()) return;
    addVariant<ElemBinarySequence<int[14]>>(TagIsNot<Tag, 0>, AlwaysPresent);
}

SvgGuardedObjectSetup::SvgGuardedObjectSetup(VersionPredicate presence)
    : BinarySequence(presence),
      item01(addNew<Text16>()),
      item02(addNew<SvgGuardSetup>()) {}

SvgGuardedObject::SvgGuardedObject() : ConditionnalBinarySequence<Tag>() {
    if (shareVariantsOf<SvgGuardedObject>()) return;
    addVariant<SvgGuardedObjectSetup>(TagIsNot<Tag, 0>, AlwaysPresent);
}

SvgObjectPandoraEvent::SvgObjectPandoraEvent()
    : item01(addNew<SvgGuardedObject>()),
      item02(addNew<ElemBinarySequence<unsigned int>>()),
      item03(addNew<ElemBinarySequence<int>>()),
      item04(addNew<ElemBinarySequence<signed char>>()),
      item05(addNew<ElemBinarySequence<signed char>>()),
      item06(addNew<ElemBinarySequence<int>>()),
      item07(addNew<ElemBinarySequence<int>>()),
      item08(addNew<ElemBinarySequence<int>>()),
      item09(addNew<ElemBinarySequence<int>>()),
      item10(addNew<ElemBinarySequence<int>>()),
      item11(addNew<ElemBinarySequence<int>>()),
      item12(addNew<ElemBinarySequence<int>>()),
      item13(addNew<ElemBinarySequence<unsigned char>>()),
      item14(addNew<ElemBinarySequence<unsigned char>>()),
      item15(addNew<ElemBinarySequence<unsigned char>>()),
      item16(addNew<ElemBinarySequence<unsigned char>>()),
      item17(addNew<ArrayOfElemBinarySequences<unsigned char, unsigned char[2]>>()),
      item18(addNew<ArrayOfElemBinarySequences<unsigned char, unsigned char>>()),
      item19(addNew<ArrayOfElemBinarySequences<unsigned char, unsigned char>>()),
      item20(addNew<ArrayOfElemBinarySequences<unsigned char, unsigned short[2]>>()) {}

SvgObjectMonster::SvgObjectMonster()
    : item01(addNew<Text16>()),
      item02(addNew<ElemBinarySequence<unsigned int[7]>>()),
      item03(addNew<ElemBinarySequence<unsigned char>>()) {}

// Variants are registered in file order: a tag that several variants accept gets their
// children in this order.
SvgQuest::SvgQuest() : ConditionnalBinarySequence<Tag>() {
    if (shareVariantsOf<SvgQuest>()) return;
    addVariant<ElemBinarySequence<unsigned short>>(TagIs<Tag, 1>, AlwaysPresent);
    addVariant<ElemBinarySequence<unsigned char[4]>>(TagIs<Tag, 2>, AlwaysPresent);
    addVariant<ElemBinarySequence<unsigned short>>(TagIs<Tag, 3>, AlwaysPresent);
    addVariant<ElemBinarySequence<unsigned char>>(TagIs<Tag, 3>, AlwaysPresent);
    addVariant<ElemBinarySequence<unsigned int>>(TagIs<Tag, 4>, AlwaysPresent);
    addVariant<ElemBinarySequence<unsigned short>>(TagIs<Tag, 4>, AlwaysPresent);
    addVariant<ElemBinarySequence<unsigned char>>(TagIs<Tag, 4>, AlwaysPresent);
    addVariant<ArrayOfElemBinarySequences<unsigned char, unsigned short>>(TagIs<Tag, 5>, AlwaysPresent);
    addVariant<ArrayOfElemBinarySequences<unsigned char, char[6]>>(TagIs<Tag, 6>, AlwaysPresent);
    addVariant<ElemBinarySequence<unsigned int[7]>>(TagIs<Tag, 7>, AlwaysPresent);
    addVariant<ElemBinarySequence<unsigned short>>(TagIs<Tag, 8>, AlwaysPresent);
    addVariant<ElemBinarySequence<unsigned char>>(TagIs<Tag, 9>, AlwaysPresent);
    // The common tail of every quest with a non-zero tag.
    addVariant<ElemBinarySequence<unsigned char>>(TagIsNot<Tag, 0>, AlwaysPresent);
    addVariant<ElemBinarySequence<unsigned char>>(TagIsNot<Tag, 0>, AlwaysPresent);
    addVariant<ElemBinarySequence<unsigned int>>(TagIsNot<Tag, 0>, AlwaysPresent);
    addVariant<Text32>(TagIsNot<Tag, 0>, AlwaysPresent);
    addVariant<Text32>(TagIsNot<Tag, 0>, AlwaysPresent);
    addVariant<Text32>(TagIsNot<Tag, 0>, AlwaysPresent);
}

SvgSeerHut::SvgSeerHut()
    : item01(addNew<SvgQuest>()),
      item02(addNew<ElemBinarySequence<unsigned char[12]>>()),
      item03(addNew<ElemBinarySequence<unsigned char>>()),
      item04(addNew<ElemBinarySequence<unsigned char>>()),
      item05(addNew<ElemBinarySequence<unsigned char>>()) {}

SvgQuestGuard::SvgQuestGuard()
    : item01(addNew<SvgQuest>()),
      item02(addNew<ElemBinarySequence<unsigned char>>()) {}

SvgGlobalEvent::SvgGlobalEvent()
    : item01(addNew<Text16>()),
      item02(addNew<ElemBinarySequence<int[7]>>()),
      item03(addNew<ElemBinarySequence<unsigned char>>()),
      item04(addNew<ElemBinarySequence<unsigned char>>()),
      item05(addNew<ElemBinarySequence<unsigned char>>()),
      item06(addNew<ElemBinarySequence<unsigned short>>()),
      item07(addNew<ElemBinarySequence<unsigned short>>()) {}

SvgTownEvent::SvgTownEvent()
    : SvgGlobalEvent(),
      item08(addNew<ElemBinarySequence<unsigned char>>()),
      item09(addNew<ElemBinarySequence<unsigned char[8]>>()),
      item10(addNew<ElemBinarySequence<unsigned short[7]>>()) {}

SvgSign::SvgSign()
    : item01(addNew<Text16>()),
      item02(addNew<ElemBinarySequence<unsigned char>>()) {}

SvgMine::SvgMine()
    : item01(addNew<ElemBinarySequence<signed char>>()),
      item02(addNew<ElemBinarySequence<unsigned char>>()),
      item03(addNew<ElemBinarySequence<unsigned char>>()),
      item04(addNew<ElemBinarySequence<int[14]>>()),
      item05(addNew<ElemBinarySequence<unsigned char[3]>>()) {}

SvgDwelling::SvgDwelling()
    : item01(addNew<ElemBinarySequence<signed char>>()),
      item02(addNew<ElemBinarySequence<unsigned char>>()),
      item03(addNew<ElemBinarySequence<unsigned char>>()),
      item04(addNew<ElemBinarySequence<unsigned char[4]>>()),
      item05(addNew<ElemBinarySequence<unsigned short[4]>>()),
      item06(addNew<ElemBinarySequence<unsigned char[3]>>()),
      item07(addNew<ElemBinarySequence<int[14]>>()),
      item08(addNew<ElemBinarySequence<unsigned char>>()) {}

SvgGarnisson::SvgGarnisson()
    : item01(addNew<ElemBinarySequence<unsigned char>>()),
      item02(addNew<ElemBinarySequence<int[14]>>()),
      item03(addNew<ElemBinarySequence<unsigned char[4]>>()) {}

SvgBoat::SvgBoat()
    : item01(addNew<ElemBinarySequence<unsigned char>>()),
      item02(addNew<ElemBinarySequence<signed char>>()),
      item03(addNew<ElemBinarySequence<signed char>>()),
      item04(addNew<ElemBinarySequence<char>>()),
      item05(addNew<ElemBinarySequence<char>>()),
      item06(addNew<ElemBinarySequence<short>>()),
      item07(addNew<ElemBinarySequence<unsigned char>>()),
      item08(addNew<SvgMovableObject>()) {}

Obelisks::Obelisks()
    : item01(addNew<ElemBinarySequence<unsigned char>>()),
      item02(addNew<ElemBinarySequence<unsigned char[48]>>()) {}

SvgCrbank::SvgCrbank()
    : item01(addNew<ElemBinarySequence<int[14]>>()),
      item02(addNew<ElemBinarySequence<int[7]>>()),
      item03(addNew<ElemBinarySequence<int>>()),
      item04(addNew<ElemBinarySequence<signed char>>()),
      item05(addNew<ArrayOfElemBinarySequences<short, int>>()) {}
