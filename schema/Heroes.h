#pragma once
// Hero records: the movable part shared by heroes and boats, the hero record itself, the fixed
// hero table of the game state and the two one-byte-per-hero tables that follow it.

#include "schema_core/ElemBinarySequence.h"

// Position and movement state of anything that moves on the map; 20 bytes in every version.
class SvgMovableObject : public BinarySequence {
public:
    explicit SvgMovableObject(VersionPredicate presence = AlwaysPresent);

    ElemBinarySequence<short>& item01;
    ElemBinarySequence<short>& item02;
    ElemBinarySequence<short>& item03;
    ElemBinarySequence<unsigned char>& item04;
    ElemBinarySequence<unsigned int>& item05;
    ElemBinarySequence<unsigned int>& item06;
    ElemBinarySequence<unsigned char>& item07;
    ElemBinarySequence<unsigned int>& item08;
};
