#pragma once
// Adventure-object records: the state of the objects placed on the adventure map, one record
// type per kind of object. No field depends on the version; only the count widths of the root
// lists of seer huts, signs and mines do, and those belong to the lists.
//
// Every record but SvgGuardedObjectSetup ignores the presence handed to its constructor and is
// always present; the parameter exists because record arrays and variant factories pass one.

#include "schema/Heroes.h"
#include "schema_core/Text.h"
#include "schema_core/ArrayOfBinarySequences.h"
#include "schema_core/ArrayOfElemBinarySequences.h"
#include "schema_core/ConditionnalBinarySequence.h"
#include "schema_core/ElemBinarySequence.h"

class SvgTemplate : public BinarySequence {
public:
    SvgTemplate();

    Text16& item01;
    ElemBinarySequence<unsigned char[33]>& item02;
};

// Tag 0: no guard; any other tag: the tag and 14 signed 32-bit values.
class SvgGuardSetup : public ConditionnalBinarySequence<unsigned char> {
public:
    SvgGuardSetup();
};

// Unlike the other records, takes its presence from its argument.
class SvgGuardedObjectSetup : public BinarySequence {
public:
    explicit SvgGuardedObjectSetup(VersionPredicate presence = AlwaysPresent);

    Text16& item01;
    SvgGuardSetup& item02;
};

// Tag 0: nothing follows; any other tag: an SvgGuardedObjectSetup follows.
class SvgGuardedObject : public ConditionnalBinarySequence<unsigned char> {
public:
    SvgGuardedObject();
};

class SvgObjectPandoraEvent : public BinarySequence {
public:
    SvgObjectPandoraEvent();

    SvgGuardedObject& item01;
    ElemBinarySequence<unsigned int>& item02;
    ElemBinarySequence<int>& item03;
    ElemBinarySequence<signed char>& item04;
    ElemBinarySequence<signed char>& item05;
    ElemBinarySequence<int>& item06;
    ElemBinarySequence<int>& item07;
    ElemBinarySequence<int>& item08;
    ElemBinarySequence<int>& item09;
    ElemBinarySequence<int>& item10;
    ElemBinarySequence<int>& item11;
    ElemBinarySequence<int>& item12;
    ElemBinarySequence<unsigned char>& item13;
    ElemBinarySequence<unsigned char>& item14;
    ElemBinarySequence<unsigned char>& item15;
    ElemBinarySequence<unsigned char>& item16;
    ArrayOfElemBinarySequences<unsigned char, unsigned char[2]>& item17;
    ArrayOfElemBinarySequences<unsigned char, unsigned char>& item18;
    ArrayOfElemBinarySequences<unsigned char, unsigned char>& item19;
    ArrayOfElemBinarySequences<unsigned char, unsigned short[2]>& item20;
};

class SvgObjectMonster : public BinarySequence {
public:
    SvgObjectMonster();

    Text16& item01;
    ElemBinarySequence<unsigned int[7]>& item02;
    ElemBinarySequence<unsigned char>& item03;
};

// Tag 0: the tag alone. Otherwise the tag, the part that tags 1 to 9 select (none for higher
// tags), then a common tail of two bytes, a 32-bit value and three texts.
class SvgQuest : public ConditionnalBinarySequence<unsigned char> {
public:
    SvgQuest();
};

class SvgSeerHut : public BinarySequence {
public:
    SvgSeerHut();

    SvgQuest& item01;
    ElemBinarySequence<unsigned char[12]>& item02;
    ElemBinarySequence<unsigned char>& item03;
    ElemBinarySequence<unsigned char>& item04;
    ElemBinarySequence<unsigned char>& item05;
};

class SvgQuestGuard : public BinarySequence {
public:
    SvgQuestGuard();

    SvgQuest& item01;
    ElemBinarySequence<unsigned char>& item02;
};

// A town event is a global event with three more fields, so it extends this record.
class SvgGlobalEvent : public BinarySequence {
public:
    SvgGlobalEvent();

    Text16& item01;
    ElemBinarySequence<int[7]>& item02;
    ElemBinarySequence<unsigned char>& item03;
    ElemBinarySequence<unsigned char>& item04;
    ElemBinarySequence<unsigned char>& item05;
    ElemBinarySequence<unsigned short>& item06;
    ElemBinarySequence<unsigned short>& item07;
};

class SvgTownEvent : public SvgGlobalEvent {
public:
    SvgTownEvent();

    ElemBinarySequence<unsigned char>& item08;
    ElemBinarySequence<unsigned char[8]>& item09;
    ElemBinarySequence<unsigned short[7]>& item10;
};

class SvgSign : public BinarySequence {
public:
    SvgSign();

    Text16& item01;
    ElemBinarySequence<unsigned char>& item02;
};

class SvgMine : public BinarySequence {
public:
    SvgMine();

    ElemBinarySequence<signed char>& item01;
    ElemBinarySequence<unsigned char>& item02;
    ElemBinarySequence<unsigned char>& item03;
    ElemBinarySequence<int[14]>& item04;
    ElemBinarySequence<unsigned char[3]>& item05;
};

class SvgDwelling : public BinarySequence {
public:
    SvgDwelling();

    ElemBinarySequence<signed char>& item01;
    ElemBinarySequence<unsigned char>& item02;
    ElemBinarySequence<unsigned char>& item03;
    ElemBinarySequence<unsigned char[4]>& item04;
    ElemBinarySequence<unsigned short[4]>& item05;
    ElemBinarySequence<unsigned char[3]>& item06;
    ElemBinarySequence<int[14]>& item07;
    ElemBinarySequence<unsigned char>& item08;
};

class SvgGarnisson : public BinarySequence {
public:
    SvgGarnisson();

    ElemBinarySequence<unsigned char>& item01;
    ElemBinarySequence<int[14]>& item02;
    ElemBinarySequence<unsigned char[4]>& item03;
};

class SvgBoat : public BinarySequence {
public:
    SvgBoat();

    ElemBinarySequence<unsigned char>& item01;
    ElemBinarySequence<signed char>& item02;
    ElemBinarySequence<signed char>& item03;
    ElemBinarySequence<char>& item04;
    ElemBinarySequence<char>& item05;
    ElemBinarySequence<short>& item06;
    ElemBinarySequence<unsigned char>& item07;
    SvgMovableObject& item08;
};

// A single record at the root, not a list.
class Obelisks : public BinarySequence {
public:
    Obelisks();

    ElemBinarySequence<unsigned char>& item01;
    ElemBinarySequence<unsigned char[48]>& item02;
};

class SvgCrbank : public BinarySequence {
public:
    SvgCrbank();

    ElemBinarySequence<int[14]>& item01;
    ElemBinarySequence<int[7]>& item02;
    ElemBinarySequence<int>& item03;
    ElemBinarySequence<signed char>& item04;
    ArrayOfElemBinarySequences<short, int>& item05;
};
