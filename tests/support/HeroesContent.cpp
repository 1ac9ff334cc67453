#include "tests/support/HeroesContent.h"

void encode(Bytes& out, const MovableObjectContent& c, const SvgVersion&) {
    out.i16(c.item01).i16(c.item02).i16(c.item03).u8(c.item04);
    out.u32(c.item05).u32(c.item06).u8(c.item07).u32(c.item08);
}

MovableObjectContent randomMovableObject(Rng& rng, const SvgVersion&) {
    MovableObjectContent c;
    c.item01 = static_cast<std::int16_t>(rng.below(144));
    c.item02 = static_cast<std::int16_t>(rng.below(144));
    c.item03 = static_cast<std::int16_t>(rng.below(2));
    c.item04 = static_cast<std::uint8_t>(rng.gameValue());
    c.item05 = rng.gameValue();
    c.item06 = rng.gameValue();
    c.item07 = static_cast<std::uint8_t>(rng.gameValue());
    c.item08 = rng.gameValue();
    return c;
}
