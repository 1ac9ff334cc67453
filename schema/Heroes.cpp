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
