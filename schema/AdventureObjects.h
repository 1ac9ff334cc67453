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

    Text16& item01 = field();
    ElemBinarySequence<unsigned char[33]>& item02 = field();
};

// Tag 0: no guard; any other tag: the tag and 14 signed 32-bit values.
class SvgGuardSetup : public ConditionnalBinarySequence<unsigned char> {
public:
    explicit SvgGuardSetup(VersionPredicate presence = AlwaysPresent) : ConditionnalBinarySequence(presence) {
        if (shareVariantsOf<SvgGuardSetup>()) return;
        addVariant<ElemBinarySequence<int[14]>>(TagIsNot<unsigned char, 0>, AlwaysPresent);
    }
};

// 3 bytes plus the characters of item01, and 56 more when a guard is set.
class SvgGuardedObjectSetup : public BinarySequence {
public:
    using BinarySequence::BinarySequence;

    Text16& item01 = field();
    SvgGuardSetup& item02 = field();
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

    SvgGuardedObject& item01 = field();
    ElemBinarySequence<unsigned int>& item02 = field();
    ElemBinarySequence<int>& item03 = field();
    ElemBinarySequence<signed char>& item04 = field();
    ElemBinarySequence<signed char>& item05 = field();
    ElemBinarySequence<int>& item06 = field();
    ElemBinarySequence<int>& item07 = field();
    ElemBinarySequence<int>& item08 = field();
    ElemBinarySequence<int>& item09 = field();
    ElemBinarySequence<int>& item10 = field();
    ElemBinarySequence<int>& item11 = field();
    ElemBinarySequence<int>& item12 = field();
    ElemBinarySequence<unsigned char>& item13 = field();
    ElemBinarySequence<unsigned char>& item14 = field();
    ElemBinarySequence<unsigned char>& item15 = field();
    ElemBinarySequence<unsigned char>& item16 = field();
    ArrayOfElemBinarySequences<unsigned char, unsigned char[2]>& item17 = field();
    ArrayOfElemBinarySequences<unsigned char, unsigned char>& item18 = field();
    ArrayOfElemBinarySequences<unsigned char, unsigned char>& item19 = field();
    ArrayOfElemBinarySequences<unsigned char, unsigned short[2]>& item20 = field();
};

// 31 bytes plus the characters of item01.
class SvgObjectMonster : public BinarySequence {
public:
    using BinarySequence::BinarySequence;

    Text16& item01 = field();
    ElemBinarySequence<unsigned int[7]>& item02 = field();
    ElemBinarySequence<unsigned char>& item03 = field();
};

// Tag 0: the tag alone. Otherwise the tag, the part that tags 1 to 9 select (none for higher
// tags), then a common tail of two bytes, a 32-bit value and three texts. A tag that several
// variants accept gets their children in the order they are registered, which is file order.
class SvgQuest : public ConditionnalBinarySequence<unsigned char> {
public:
    explicit SvgQuest(VersionPredicate presence = AlwaysPresent) : ConditionnalBinarySequence(presence) {
        if (shareVariantsOf<SvgQuest>()) return;
        using Tag = unsigned char;
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
};

// The quest, then 15 bytes.
class SvgSeerHut : public BinarySequence {
public:
    using BinarySequence::BinarySequence;

    SvgQuest& item01 = field();
    ElemBinarySequence<unsigned char[12]>& item02 = field();
    ElemBinarySequence<unsigned char>& item03 = field();
    ElemBinarySequence<unsigned char>& item04 = field();
    ElemBinarySequence<unsigned char>& item05 = field();
};

// The quest, then one byte.
class SvgQuestGuard : public BinarySequence {
public:
    using BinarySequence::BinarySequence;

    SvgQuest& item01 = field();
    ElemBinarySequence<unsigned char>& item02 = field();
};

// 37 bytes plus the characters of item01. A town event is a global event with three more
// fields, so it extends this record.
class SvgGlobalEvent : public BinarySequence {
public:
    using BinarySequence::BinarySequence;

    Text16& item01 = field();
    ElemBinarySequence<int[7]>& item02 = field();
    ElemBinarySequence<unsigned char>& item03 = field();
    ElemBinarySequence<unsigned char>& item04 = field();
    ElemBinarySequence<unsigned char>& item05 = field();
    ElemBinarySequence<unsigned short>& item06 = field();
    ElemBinarySequence<unsigned short>& item07 = field();
};

// 60 bytes plus the characters of item01.
class SvgTownEvent : public SvgGlobalEvent {
public:
    using SvgGlobalEvent::SvgGlobalEvent;

    ElemBinarySequence<unsigned char>& item08 = field();
    ElemBinarySequence<unsigned char[8]>& item09 = field();
    ElemBinarySequence<unsigned short[7]>& item10 = field();
};

// 3 bytes plus the characters of item01.
class SvgSign : public BinarySequence {
public:
    using BinarySequence::BinarySequence;

    Text16& item01 = field();
    ElemBinarySequence<unsigned char>& item02 = field();
};

// 62 bytes.
class SvgMine : public BinarySequence {
public:
    using BinarySequence::BinarySequence;

    ElemBinarySequence<signed char>& item01 = field();
    ElemBinarySequence<unsigned char>& item02 = field();
    ElemBinarySequence<unsigned char>& item03 = field();
    ElemBinarySequence<int[14]>& item04 = field();
    ElemBinarySequence<unsigned char[3]>& item05 = field();
};

// 75 bytes.
class SvgDwelling : public BinarySequence {
public:
    using BinarySequence::BinarySequence;

    ElemBinarySequence<signed char>& item01 = field();
    ElemBinarySequence<unsigned char>& item02 = field();
    ElemBinarySequence<unsigned char>& item03 = field();
    ElemBinarySequence<unsigned char[4]>& item04 = field();
    ElemBinarySequence<unsigned short[4]>& item05 = field();
    ElemBinarySequence<unsigned char[3]>& item06 = field();
    ElemBinarySequence<int[14]>& item07 = field();
    ElemBinarySequence<unsigned char>& item08 = field();
};

// 61 bytes.
class SvgGarnisson : public BinarySequence {
public:
    using BinarySequence::BinarySequence;

    ElemBinarySequence<unsigned char>& item01 = field();
    ElemBinarySequence<int[14]>& item02 = field();
    ElemBinarySequence<unsigned char[4]>& item03 = field();
};

// 28 bytes, the last 20 of them the boat's movable part.
class SvgBoat : public BinarySequence {
public:
    using BinarySequence::BinarySequence;

    ElemBinarySequence<unsigned char>& item01 = field();
    ElemBinarySequence<signed char>& item02 = field();
    ElemBinarySequence<signed char>& item03 = field();
    ElemBinarySequence<char>& item04 = field();
    ElemBinarySequence<char>& item05 = field();
    ElemBinarySequence<short>& item06 = field();
    ElemBinarySequence<unsigned char>& item07 = field();
    SvgMovableObject& item08 = field();
};

// 49 bytes; a single record at the root, not a list.
class Obelisks : public BinarySequence {
public:
    using BinarySequence::BinarySequence;

    ElemBinarySequence<unsigned char>& item01 = field();
    ElemBinarySequence<unsigned char[48]>& item02 = field();
};

// 91 bytes plus 4 per entry of item05, which starts empty.
class SvgCrbank : public BinarySequence {
public:
    using BinarySequence::BinarySequence;

    ElemBinarySequence<int[14]>& item01 = field();
    ElemBinarySequence<int[7]>& item02 = field();
    ElemBinarySequence<int>& item03 = field();
    ElemBinarySequence<signed char>& item04 = field();
    ArrayOfElemBinarySequences<short, int>& item05 = field();
};
