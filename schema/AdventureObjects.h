#pragma once
// Adventure-object records: the state of the objects placed on the adventure map, one record
// type per kind of object. No field depends on the version; only the count widths of the root
// lists of seer huts, signs and mines do, and those belong to the lists.

#include "schema/Heroes.h"
#include "schema_core/Text.h"
#include "schema_core/ArrayOfBinarySequences.h"
#include "schema_core/ArrayOfElemBinarySequences.h"
#include "schema_core/ConditionnalBinarySequence.h"
#include "schema_core/ElemBinarySequence.h"
#include "schema_core/TagPredicates.h"

// 35 bytes plus the characters of item01.
class SvgTemplate : public BinarySequence {
public:
    using BinarySequence::BinarySequence;

    Text16& item01 = addNew<Text16>();
    Elem<unsigned char[33]>& item02 = addNew<Elem<unsigned char[33]>>();
};

// Tag 0: no guard; any other tag: the tag and 14 signed 32-bit values.
class SvgGuardSetup : public ConditionnalBinarySequence<unsigned char> {
public:
    explicit SvgGuardSetup(VersionPredicate presence = AlwaysPresent) : ConditionnalBinarySequence(presence) {
        if (shareVariantsOf<SvgGuardSetup>()) return;
        addVariant<Elem<int[14]>>(TagIsNot<unsigned char, 0>, AlwaysPresent);
    }
};

// 3 bytes plus the characters of item01, and 56 more when a guard is set.
class SvgGuardedObjectSetup : public BinarySequence {
public:
    using BinarySequence::BinarySequence;

    Text16& item01 = addNew<Text16>();
    SvgGuardSetup& item02 = addNew<SvgGuardSetup>();
};

// Tag 0: nothing follows; any other tag: an SvgGuardedObjectSetup follows.
class SvgGuardedObject : public ConditionnalBinarySequence<unsigned char> {
public:
    explicit SvgGuardedObject(VersionPredicate presence = AlwaysPresent) : ConditionnalBinarySequence(presence) {
        if (shareVariantsOf<SvgGuardedObject>()) return;
        addVariant<SvgGuardedObjectSetup>(TagIsNot<unsigned char, 0>, AlwaysPresent);
    }
};

// The guarded object, then 46 bytes plus the entries of the four lists, which start empty.
class SvgObjectPandoraEvent : public BinarySequence {
public:
    using BinarySequence::BinarySequence;

    SvgGuardedObject& item01 = addNew<SvgGuardedObject>();
    Elem<unsigned int>& item02 = addNew<Elem<unsigned int>>();
    Elem<int>& item03 = addNew<Elem<int>>();
    Elem<signed char>& item04 = addNew<Elem<signed char>>();
    Elem<signed char>& item05 = addNew<Elem<signed char>>();
    Elem<int>& item06 = addNew<Elem<int>>();
    Elem<int>& item07 = addNew<Elem<int>>();
    Elem<int>& item08 = addNew<Elem<int>>();
    Elem<int>& item09 = addNew<Elem<int>>();
    Elem<int>& item10 = addNew<Elem<int>>();
    Elem<int>& item11 = addNew<Elem<int>>();
    Elem<int>& item12 = addNew<Elem<int>>();
    Elem<unsigned char>& item13 = addNew<Elem<unsigned char>>();
    Elem<unsigned char>& item14 = addNew<Elem<unsigned char>>();
    Elem<unsigned char>& item15 = addNew<Elem<unsigned char>>();
    Elem<unsigned char>& item16 = addNew<Elem<unsigned char>>();
    ArrayOfElemBinarySequences<unsigned char, unsigned char[2]>& item17 = addNew<ArrayOfElemBinarySequences<unsigned char, unsigned char[2]>>();
    ArrayOfElemBinarySequences<unsigned char, unsigned char>& item18 = addNew<ArrayOfElemBinarySequences<unsigned char, unsigned char>>();
    ArrayOfElemBinarySequences<unsigned char, unsigned char>& item19 = addNew<ArrayOfElemBinarySequences<unsigned char, unsigned char>>();
    ArrayOfElemBinarySequences<unsigned char, unsigned short[2]>& item20 = addNew<ArrayOfElemBinarySequences<unsigned char, unsigned short[2]>>();
};

// 31 bytes plus the characters of item01.
class SvgObjectMonster : public BinarySequence {
public:
    using BinarySequence::BinarySequence;

    Text16& item01 = addNew<Text16>();
    Elem<unsigned int[7]>& item02 = addNew<Elem<unsigned int[7]>>();
    Elem<unsigned char>& item03 = addNew<Elem<unsigned char>>();
};

// Tag 0: the tag alone. Otherwise the tag, the part that tags 1 to 9 select (none for higher
// tags), then a common tail of two bytes, a 32-bit value and three texts. A tag that several
// variants accept gets their children in the order they are registered, which is file order.
class SvgQuest : public ConditionnalBinarySequence<unsigned char> {
public:
    explicit SvgQuest(VersionPredicate presence = AlwaysPresent) : ConditionnalBinarySequence(presence) {
        if (shareVariantsOf<SvgQuest>()) return;
        using Tag = unsigned char;
        addVariant<Elem<unsigned short>>(TagIs<Tag, 1>, AlwaysPresent);
        addVariant<Elem<unsigned char[4]>>(TagIs<Tag, 2>, AlwaysPresent);
        addVariant<Elem<unsigned short>>(TagIs<Tag, 3>, AlwaysPresent);
        addVariant<Elem<unsigned char>>(TagIs<Tag, 3>, AlwaysPresent);
        addVariant<Elem<unsigned int>>(TagIs<Tag, 4>, AlwaysPresent);
        addVariant<Elem<unsigned short>>(TagIs<Tag, 4>, AlwaysPresent);
        addVariant<Elem<unsigned char>>(TagIs<Tag, 4>, AlwaysPresent);
        addVariant<ArrayOfElemBinarySequences<unsigned char, unsigned short>>(TagIs<Tag, 5>, AlwaysPresent);
        addVariant<ArrayOfElemBinarySequences<unsigned char, char[6]>>(TagIs<Tag, 6>, AlwaysPresent);
        addVariant<Elem<unsigned int[7]>>(TagIs<Tag, 7>, AlwaysPresent);
        addVariant<Elem<unsigned short>>(TagIs<Tag, 8>, AlwaysPresent);
        addVariant<Elem<unsigned char>>(TagIs<Tag, 9>, AlwaysPresent);
        // The common tail of every quest with a non-zero tag.
        addVariant<Elem<unsigned char>>(TagIsNot<Tag, 0>, AlwaysPresent);
        addVariant<Elem<unsigned char>>(TagIsNot<Tag, 0>, AlwaysPresent);
        addVariant<Elem<unsigned int>>(TagIsNot<Tag, 0>, AlwaysPresent);
        addVariant<Text32>(TagIsNot<Tag, 0>, AlwaysPresent);
        addVariant<Text32>(TagIsNot<Tag, 0>, AlwaysPresent);
        addVariant<Text32>(TagIsNot<Tag, 0>, AlwaysPresent);
    }
};

// The quest, then 15 bytes.
class SvgSeerHut : public BinarySequence {
public:
    using BinarySequence::BinarySequence;

    SvgQuest& item01 = addNew<SvgQuest>();
    Elem<unsigned char[12]>& item02 = addNew<Elem<unsigned char[12]>>();
    Elem<unsigned char>& item03 = addNew<Elem<unsigned char>>();
    Elem<unsigned char>& item04 = addNew<Elem<unsigned char>>();
    Elem<unsigned char>& item05 = addNew<Elem<unsigned char>>();
};

// The quest, then one byte.
class SvgQuestGuard : public BinarySequence {
public:
    using BinarySequence::BinarySequence;

    SvgQuest& item01 = addNew<SvgQuest>();
    Elem<unsigned char>& item02 = addNew<Elem<unsigned char>>();
};

// 37 bytes plus the characters of item01. A town event is a global event with three more
// fields, so it extends this record.
class SvgGlobalEvent : public BinarySequence {
public:
    using BinarySequence::BinarySequence;

    Text16& item01 = addNew<Text16>();
    Elem<int[7]>& item02 = addNew<Elem<int[7]>>();
    Elem<unsigned char>& item03 = addNew<Elem<unsigned char>>();
    Elem<unsigned char>& item04 = addNew<Elem<unsigned char>>();
    Elem<unsigned char>& item05 = addNew<Elem<unsigned char>>();
    Elem<unsigned short>& item06 = addNew<Elem<unsigned short>>();
    Elem<unsigned short>& item07 = addNew<Elem<unsigned short>>();
};

// 60 bytes plus the characters of item01.
class SvgTownEvent : public SvgGlobalEvent {
public:
    using SvgGlobalEvent::SvgGlobalEvent;

    Elem<unsigned char>& item08 = addNew<Elem<unsigned char>>();
    Elem<unsigned char[8]>& item09 = addNew<Elem<unsigned char[8]>>();
    Elem<unsigned short[7]>& item10 = addNew<Elem<unsigned short[7]>>();
};

// 3 bytes plus the characters of item01.
class SvgSign : public BinarySequence {
public:
    using BinarySequence::BinarySequence;

    Text16& item01 = addNew<Text16>();
    Elem<unsigned char>& item02 = addNew<Elem<unsigned char>>();
};

// 62 bytes.
class SvgMine : public BinarySequence {
public:
    using BinarySequence::BinarySequence;

    Elem<signed char>& item01 = addNew<Elem<signed char>>();
    Elem<unsigned char>& item02 = addNew<Elem<unsigned char>>();
    Elem<unsigned char>& item03 = addNew<Elem<unsigned char>>();
    Elem<int[14]>& item04 = addNew<Elem<int[14]>>();
    Elem<unsigned char[3]>& item05 = addNew<Elem<unsigned char[3]>>();
};

// 75 bytes.
class SvgDwelling : public BinarySequence {
public:
    using BinarySequence::BinarySequence;

    Elem<signed char>& item01 = addNew<Elem<signed char>>();
    Elem<unsigned char>& item02 = addNew<Elem<unsigned char>>();
    Elem<unsigned char>& item03 = addNew<Elem<unsigned char>>();
    Elem<unsigned char[4]>& item04 = addNew<Elem<unsigned char[4]>>();
    Elem<unsigned short[4]>& item05 = addNew<Elem<unsigned short[4]>>();
    Elem<unsigned char[3]>& item06 = addNew<Elem<unsigned char[3]>>();
    Elem<int[14]>& item07 = addNew<Elem<int[14]>>();
    Elem<unsigned char>& item08 = addNew<Elem<unsigned char>>();
};

// 61 bytes.
class SvgGarnisson : public BinarySequence {
public:
    using BinarySequence::BinarySequence;

    Elem<unsigned char>& item01 = addNew<Elem<unsigned char>>();
    Elem<int[14]>& item02 = addNew<Elem<int[14]>>();
    Elem<unsigned char[4]>& item03 = addNew<Elem<unsigned char[4]>>();
};

// 28 bytes, the last 20 of them the boat's movable part.
class SvgBoat : public BinarySequence {
public:
    using BinarySequence::BinarySequence;

    Elem<unsigned char>& item01 = addNew<Elem<unsigned char>>();
    Elem<signed char>& item02 = addNew<Elem<signed char>>();
    Elem<signed char>& item03 = addNew<Elem<signed char>>();
    Elem<char>& item04 = addNew<Elem<char>>();
    Elem<char>& item05 = addNew<Elem<char>>();
    Elem<short>& item06 = addNew<Elem<short>>();
    Elem<unsigned char>& item07 = addNew<Elem<unsigned char>>();
    SvgMovableObject& item08 = addNew<SvgMovableObject>();
};

// 49 bytes; a single record at the root, not a list.
class Obelisks : public BinarySequence {
public:
    using BinarySequence::BinarySequence;

    Elem<unsigned char>& item01 = addNew<Elem<unsigned char>>();
    Elem<unsigned char[48]>& item02 = addNew<Elem<unsigned char[48]>>();
};

// 91 bytes plus 4 per entry of item05, which starts empty.
class SvgCrbank : public BinarySequence {
public:
    using BinarySequence::BinarySequence;

    Elem<int[14]>& item01 = addNew<Elem<int[14]>>();
    Elem<int[7]>& item02 = addNew<Elem<int[7]>>();
    Elem<int>& item03 = addNew<Elem<int>>();
    Elem<signed char>& item04 = addNew<Elem<signed char>>();
    ArrayOfElemBinarySequences<short, int>& item05 = addNew<ArrayOfElemBinarySequences<short, int>>();
};
