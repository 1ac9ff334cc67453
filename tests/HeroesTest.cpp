#include <gtest/gtest.h>

#include "schema/Heroes.h"
#include "tests/support/HeroesContent.h"

namespace {

SvgVersion makeVersion(std::uint32_t version, std::uint32_t subversion, std::uint32_t hw = 0) {
    SvgVersion v;
    v.svg_version = version;
    v.svg_subversion = subversion;
    v.svg_hw_subversion = hw;
    v.updateFormatLevel();
    return v;
}

// Reads bytes into a record with the source version and writes it with the target version.
std::vector<unsigned char> convert(BinarySequence& record, const std::vector<unsigned char>& bytes,
                                   const SvgVersion& source, const SvgVersion& target) {
    ByteInput in(bytes);
    in.raiseOnFailure();
    record.read(in, source);
    EXPECT_EQ(in.remaining(), 0u);
    ByteOutput out;
    record.write(out, target);
    return out.bytes();
}

}  // namespace

TEST(MovableObject, RoundTripsItsTwentyBytes) {
    SvgVersion v = makeVersion(44, 3);
    Rng rng(1);
    Bytes bytes;
    encode(bytes, randomMovableObject(rng, v), v);
    ASSERT_EQ(bytes.size(), 20u);
    SvgMovableObject object;
    EXPECT_EQ(convert(object, bytes.data, v, v), bytes.data);
}
