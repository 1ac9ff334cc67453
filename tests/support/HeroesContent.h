#pragma once
// Content and byte composition of the hero records (movable part, hero, hero table and the two
// per-hero byte tables), written from the record layout alone.

#include <cstdint>

#include "schema_core/SvgVersion.h"
#include "tests/support/Bytes.h"
#include "tests/support/Rng.h"

struct MovableObjectContent {
    std::int16_t item01 = 0;
    std::int16_t item02 = 0;
    std::int16_t item03 = 0;
    std::uint8_t item04 = 0;
    std::uint32_t item05 = 0;
    std::uint32_t item06 = 0;
    std::uint8_t item07 = 0;
    std::uint32_t item08 = 0;
};

// 20 bytes in every version.
void encode(Bytes& out, const MovableObjectContent& c, const SvgVersion& v);
MovableObjectContent randomMovableObject(Rng& rng, const SvgVersion& source);
