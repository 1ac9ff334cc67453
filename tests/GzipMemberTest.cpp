// The one-call gzip path: members written as zlib frames them (platform byte 3), no larger than
// zlib's level 6, and damaged members reported exactly as the streaming path reports them.

#include <gtest/gtest.h>
#include <zlib.h>

#include <string>
#include <vector>

#include "engine/EngineMessages.h"
#include "engine/GzipMember.h"
#include "engine/Q7Svg_impl.h"
#include "savegen/Gzip.h"
#include "savegen/SaveBuilder.h"
#include "tests/support/ScratchDir.h"

namespace {

using ByteVector = std::vector<unsigned char>;

ByteVector body(const SaveSize& size, std::uint64_t seed) {
    Rng rng(seed);
    return encodeGameState(randomGameState(SaveFamily::Brevin44Sub2, rng, size), versionOf(SaveFamily::Brevin44Sub2)).data;
}

// A member with the header CRC flag and the 2-byte CRC of the header inserted after it.
ByteVector withHeaderCrc(ByteVector member, bool damaged) {
    member[3] |= 0x02;
    std::uint32_t crc = static_cast<std::uint32_t>(crc32(0, member.data(), 10));
    if (damaged) crc ^= 1;
    member.insert(member.begin() + 10, {static_cast<unsigned char>(crc), static_cast<unsigned char>(crc >> 8)});
    return member;
}

}  // namespace

TEST(GzipMember, WrittenMemberIsFramedAsZlibDoesAndNoLargerThanLevel6) {
    // Below about 250 kB the two level-6 outputs are within 0.3 % of each other either way (and
    // an empty body is a stored block here), so the size is compared from the medium save on.
    const struct {
        const char* name;
        ByteVector content;
        bool compareSize;
    } cases[] = {
        {"empty", {}, false},
        {"small save", body(SaveSize::small(), 1), false},
        {"medium save", body(SaveSize::medium(), 2), true},
        {"medium save, other seed", body(SaveSize::medium(), 3), true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ByteVector zlibMember = gzipMember(c.content, 6);
        ByteVector member;
        ASSERT_EQ(gzip_member::deflateWhole(c.content, member), gzip_member::DeflateResult::Done);
        ByteVector zlibHeader(zlibMember.begin(), zlibMember.begin() + 10);
        zlibHeader[9] = 3;  // the platform byte is pinned for every build
        EXPECT_EQ(ByteVector(member.begin(), member.begin() + 10), zlibHeader);
        EXPECT_EQ(gunzipMember(member), c.content);
        if (c.compareSize) {
            EXPECT_LE(member.size(), zlibMember.size());
        }

        // The one-call inflate takes zlib's member, and only at its exact size.
        ByteVector content(c.content.size() + 1);
        EXPECT_TRUE(gzip_member::inflateWhole(zlibMember.data(), zlibMember.size(), content.data(), c.content.size()));
        EXPECT_TRUE(std::equal(c.content.begin(), c.content.end(), content.begin()));
        EXPECT_FALSE(gzip_member::inflateWhole(zlibMember.data(), zlibMember.size(), content.data(), c.content.size() + 1));
        if (!c.content.empty()) {
            EXPECT_FALSE(gzip_member::inflateWhole(zlibMember.data(), zlibMember.size(), content.data(), c.content.size() - 1));
        }
    }
}

TEST(GzipMember, MembersTheOneCallInflateRefusesGetTheStreamingPathsOutcome) {
    ScratchDir dir;
    ByteVector content = body(SaveSize::small(), 3);
    ByteVector member = gzipMember(content);
    auto expectedSize = static_cast<std::uint32_t>(content.size());

    ByteVector lengthDamaged = member;  // the member's own length is wrong, the file's last 4 bytes right
    lengthDamaged[lengthDamaged.size() - 4] ^= 0x01;
    lengthDamaged.insert(lengthDamaged.end(), member.end() - 4, member.end());
    ByteVector reservedFlag = member;
    reservedFlag[3] |= 0x20;

    const struct {
        const char* name;
        ByteVector file;
        std::uint32_t code;
        std::string (*message)(const std::string& path, std::uint32_t expectedSize);
    } cases[] = {
        {"level 0", gzipMember(content, 0), 0, nullptr},
        {"level 1", gzipMember(content, 1), 0, nullptr},
        {"level 9", gzipMember(content, 9), 0, nullptr},
        {"sound header CRC", withHeaderCrc(member, false), 0, nullptr},
        {"damaged header CRC", withHeaderCrc(member, true), 6,
         [](const std::string& path, std::uint32_t size) { return engine_messages::sizeMismatch(path, 0, size); }},
        {"reserved header flag", reservedFlag, 6,
         [](const std::string& path, std::uint32_t size) { return engine_messages::sizeMismatch(path, 0, size); }},
        {"member length damaged", lengthDamaged, 6,
         [](const std::string& path, std::uint32_t) { return engine_messages::inflateDataError(path); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::string path = dir.put("m.GM1", c.file);
        Q7Svg_impl engine;
        engine.load(path);
        EXPECT_EQ(engine.errorCode, c.code);
        EXPECT_EQ(engine.errorMessage, c.message ? c.message(path, expectedSize) : "");
        EXPECT_EQ(engine.sourceKind, c.code == 0 ? 1u : 0u);
    }
}
