#pragma once
// Texts on file: a character count, then the characters, one byte each, no terminating zero.

#include "schema_core/ArrayOfBinarySequences.h"
#include "schema_core/ElemBinarySequence.h"

using Text16 = ArrayOfBinarySequences<short, ElemBinarySequence<char>>;         // signed 16-bit count
using Text32 = ArrayOfBinarySequences<unsigned int, ElemBinarySequence<char>>;  // unsigned 32-bit count
