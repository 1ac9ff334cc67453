#include "schema/AdventureObjects.h"

#include "schema_core/TagPredicates.h"

namespace {

using Tag = unsigned char;

}  // namespace

SvgTemplate::SvgTemplate(VersionPredicate)
    : BinarySequence(AlwaysPresent),
      item01(addNew<Text16>(AlwaysPresent)),
      item02(addNew<ElemBinarySequence<unsigned char[33]>>(AlwaysPresent)) {}

SvgGuardSetup::SvgGuardSetup(VersionPredicate) : ConditionnalBinarySequence<Tag>(AlwaysPresent) {
    if (shareVariantsOf<SvgGuardSetup>()) return;
    addVariant<ElemBinarySequence<int[14]>>(TagIsNot<Tag, 0>, AlwaysPresent);
}

SvgGuardedObjectSetup::SvgGuardedObjectSetup(VersionPredicate presence)
    : BinarySequence(presence),
      item01(addNew<Text16>(AlwaysPresent)),
      item02(addNew<SvgGuardSetup>(AlwaysPresent)) {}

SvgGuardedObject::SvgGuardedObject(VersionPredicate) : ConditionnalBinarySequence<Tag>(AlwaysPresent) {
    if (shareVariantsOf<SvgGuardedObject>()) return;
    addVariant<SvgGuardedObjectSetup>(TagIsNot<Tag, 0>, AlwaysPresent);
}

SvgObjectPandoraEvent::SvgObjectPandoraEvent(VersionPredicate)
    : BinarySequence(AlwaysPresent),
      item01(addNew<SvgGuardedObject>(AlwaysPresent)),
      item02(addNew<ElemBinarySequence<unsigned int>>(AlwaysPresent)),
      item03(addNew<ElemBinarySequence<int>>(AlwaysPresent)),
      item04(addNew<ElemBinarySequence<signed char>>(AlwaysPresent)),
      item05(addNew<ElemBinarySequence<signed char>>(AlwaysPresent)),
      item06(addNew<ElemBinarySequence<int>>(AlwaysPresent)),
      item07(addNew<ElemBinarySequence<int>>(AlwaysPresent)),
      item08(addNew<ElemBinarySequence<int>>(AlwaysPresent)),
      item09(addNew<ElemBinarySequence<int>>(AlwaysPresent)),
      item10(addNew<ElemBinarySequence<int>>(AlwaysPresent)),
      item11(addNew<ElemBinarySequence<int>>(AlwaysPresent)),
      item12(addNew<ElemBinarySequence<int>>(AlwaysPresent)),
      item13(addNew<ElemBinarySequence<unsigned char>>(AlwaysPresent)),
      item14(addNew<ElemBinarySequence<unsigned char>>(AlwaysPresent)),
      item15(addNew<ElemBinarySequence<unsigned char>>(AlwaysPresent)),
      item16(addNew<ElemBinarySequence<unsigned char>>(AlwaysPresent)),
      item17(addNew<ArrayOfElemBinarySequences<unsigned char, unsigned char[2]>>(AlwaysPresent)),
      item18(addNew<ArrayOfElemBinarySequences<unsigned char, unsigned char>>(AlwaysPresent)),
      item19(addNew<ArrayOfElemBinarySequences<unsigned char, unsigned char>>(AlwaysPresent)),
      item20(addNew<ArrayOfElemBinarySequences<unsigned char, unsigned short[2]>>(AlwaysPresent)) {}

SvgObjectMonster::SvgObjectMonster(VersionPredicate)
    : BinarySequence(AlwaysPresent),
      item01(addNew<Text16>(AlwaysPresent)),
      item02(addNew<ElemBinarySequence<unsigned int[7]>>(AlwaysPresent)),
      item03(addNew<ElemBinarySequence<unsigned char>>(AlwaysPresent)) {}

// Variants are registered in file order: a tag that several variants accept gets their
// children in this order.
SvgQuest::SvgQuest(VersionPredicate) : ConditionnalBinarySequence<Tag>(AlwaysPresent) {
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

SvgSeerHut::SvgSeerHut(VersionPredicate)
    : BinarySequence(AlwaysPresent),
      item01(addNew<SvgQuest>(AlwaysPresent)),
      item02(addNew<ElemBinarySequence<unsigned char[12]>>(AlwaysPresent)),
      item03(addNew<ElemBinarySequence<unsigned char>>(AlwaysPresent)),
      item04(addNew<ElemBinarySequence<unsigned char>>(AlwaysPresent)),
      item05(addNew<ElemBinarySequence<unsigned char>>(AlwaysPresent)) {}

SvgQuestGuard::SvgQuestGuard(VersionPredicate)
    : BinarySequence(AlwaysPresent),
      item01(addNew<SvgQuest>(AlwaysPresent)),
      item02(addNew<ElemBinarySequence<unsigned char>>(AlwaysPresent)) {}

SvgGlobalEvent::SvgGlobalEvent(VersionPredicate)
    : BinarySequence(AlwaysPresent),
      item01(addNew<Text16>(AlwaysPresent)),
      item02(addNew<ElemBinarySequence<int[7]>>(AlwaysPresent)),
      item03(addNew<ElemBinarySequence<unsigned char>>(AlwaysPresent)),
      item04(addNew<ElemBinarySequence<unsigned char>>(AlwaysPresent)),
      item05(addNew<ElemBinarySequence<unsigned char>>(AlwaysPresent)),
      item06(addNew<ElemBinarySequence<unsigned short>>(AlwaysPresent)),
      item07(addNew<ElemBinarySequence<unsigned short>>(AlwaysPresent)) {}

SvgTownEvent::SvgTownEvent(VersionPredicate)
    : SvgGlobalEvent(AlwaysPresent),
      item08(addNew<ElemBinarySequence<unsigned char>>(AlwaysPresent)),
      item09(addNew<ElemBinarySequence<unsigned char[8]>>(AlwaysPresent)),
      item10(addNew<ElemBinarySequence<unsigned short[7]>>(AlwaysPresent)) {}

SvgSign::SvgSign(VersionPredicate)
    : BinarySequence(AlwaysPresent),
      item01(addNew<Text16>(AlwaysPresent)),
      item02(addNew<ElemBinarySequence<unsigned char>>(AlwaysPresent)) {}

SvgMine::SvgMine(VersionPredicate)
    : BinarySequence(AlwaysPresent),
      item01(addNew<ElemBinarySequence<signed char>>(AlwaysPresent)),
      item02(addNew<ElemBinarySequence<unsigned char>>(AlwaysPresent)),
      item03(addNew<ElemBinarySequence<unsigned char>>(AlwaysPresent)),
      item04(addNew<ElemBinarySequence<int[14]>>(AlwaysPresent)),
      item05(addNew<ElemBinarySequence<unsigned char[3]>>(AlwaysPresent)) {}

SvgDwelling::SvgDwelling(VersionPredicate)
    : BinarySequence(AlwaysPresent),
      item01(addNew<ElemBinarySequence<signed char>>(AlwaysPresent)),
      item02(addNew<ElemBinarySequence<unsigned char>>(AlwaysPresent)),
      item03(addNew<ElemBinarySequence<unsigned char>>(AlwaysPresent)),
      item04(addNew<ElemBinarySequence<unsigned char[4]>>(AlwaysPresent)),
      item05(addNew<ElemBinarySequence<unsigned short[4]>>(AlwaysPresent)),
      item06(addNew<ElemBinarySequence<unsigned char[3]>>(AlwaysPresent)),
      item07(addNew<ElemBinarySequence<int[14]>>(AlwaysPresent)),
      item08(addNew<ElemBinarySequence<unsigned char>>(AlwaysPresent)) {}

SvgGarnisson::SvgGarnisson(VersionPredicate)
    : BinarySequence(AlwaysPresent),
      item01(addNew<ElemBinarySequence<unsigned char>>(AlwaysPresent)),
      item02(addNew<ElemBinarySequence<int[14]>>(AlwaysPresent)),
      item03(addNew<ElemBinarySequence<unsigned char[4]>>(AlwaysPresent)) {}

SvgBoat::SvgBoat(VersionPredicate)
    : BinarySequence(AlwaysPresent),
      item01(addNew<ElemBinarySequence<unsigned char>>(AlwaysPresent)),
      item02(addNew<ElemBinarySequence<signed char>>(AlwaysPresent)),
      item03(addNew<ElemBinarySequence<signed char>>(AlwaysPresent)),
      item04(addNew<ElemBinarySequence<char>>(AlwaysPresent)),
      item05(addNew<ElemBinarySequence<char>>(AlwaysPresent)),
      item06(addNew<ElemBinarySequence<short>>(AlwaysPresent)),
      item07(addNew<ElemBinarySequence<unsigned char>>(AlwaysPresent)),
      item08(addNew<SvgMovableObject>(AlwaysPresent)) {}

Obelisks::Obelisks(VersionPredicate)
    : BinarySequence(AlwaysPresent),
      item01(addNew<ElemBinarySequence<unsigned char>>(AlwaysPresent)),
      item02(addNew<ElemBinarySequence<unsigned char[48]>>(AlwaysPresent)) {}

SvgCrbank::SvgCrbank(VersionPredicate)
    : BinarySequence(AlwaysPresent),
      item01(addNew<ElemBinarySequence<int[14]>>(AlwaysPresent)),
      item02(addNew<ElemBinarySequence<int[7]>>(AlwaysPresent)),
      item03(addNew<ElemBinarySequence<int>>(AlwaysPresent)),
      item04(addNew<ElemBinarySequence<signed char>>(AlwaysPresent)),
      item05(addNew<ArrayOfElemBinarySequences<short, int>>(AlwaysPresent)) {}
