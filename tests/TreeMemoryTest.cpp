// Where a tree's memory comes from: texts as one buffer in the tree's memory, and a whole
// engine's tree taken from its upstream resource and given back when the engine goes.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <memory_resource>
#include <new>
#include <string>
#include <vector>

#include "driver/Q7Svg.h"
#include "engine/Q7Svg_impl.h"
#include "engine/TreeArena.h"
#include "savegen/Bytes.h"
#include "savegen/SaveBuilder.h"
#include "schema_core/Text.h"
#include "tests/support/CountingResource.h"
#include "tests/support/RecordIo.h"
#include "tests/support/ScratchDir.h"

namespace {

using namespace record_io;

// Hands out memory until `refusing` is set, then fails like an exhausted machine.
class RefusingResource : public std::pmr::memory_resource {
public:
    bool refusing = false;

private:
    void* do_allocate(std::size_t bytes, std::size_t alignment) override {
        if (refusing) throw std::bad_alloc();
        return std::pmr::new_delete_resource()->allocate(bytes, alignment);
    }
    void do_deallocate(void* p, std::size_t bytes, std::size_t alignment) override {
        std::pmr::new_delete_resource()->deallocate(p, bytes, alignment);
    }
    bool do_is_equal(const std::pmr::memory_resource& other) const noexcept override { return this == &other; }
};

// Replaces the default resource while it lives, to catch memory that bypasses the tree's own.
class DefaultResourceSwap {
public:
    explicit DefaultResourceSwap(std::pmr::memory_resource* r) : previous(std::pmr::set_default_resource(r)) {}
    ~DefaultResourceSwap() { std::pmr::set_default_resource(previous); }

private:
    std::pmr::memory_resource* previous;
};

struct TextCase {
    const char* name;
    std::vector<unsigned char> bytes;
    bool wide;             // Text32, else Text16
    bool fails;            // the count asks for more than the data holds
    std::string expected;  // the characters, when it does not fail
};

template <class Text>
void checkText(const TextCase& c) {
    CountingResource memory;
    auto text = BinarySequence::makeNode<Text>(&memory, AlwaysPresent);
    std::size_t afterBuild = memory.total;
    ByteInput in(c.bytes);
    in.raiseOnFailure();
    if (c.fails) {
        EXPECT_THROW(text->read(in, v44s3), StreamError);
        EXPECT_EQ(memory.total, afterBuild) << "allocated for a count the data cannot hold";
        EXPECT_EQ(text->size(), 0u);
        return;
    }
    text->read(in, v44s3);
    EXPECT_EQ(in.position(), c.bytes.size());
    EXPECT_EQ(text->characters(), c.expected);
    EXPECT_GE(memory.total - afterBuild, c.expected.size()) << "characters outside the tree's memory";
    EXPECT_EQ(writeNode(*text, v44s3), c.bytes);
}

}  // namespace

TEST(TreeMemory, TextsAreOneBufferInTheTreesMemoryAndKeepTheCountRules) {
    const TextCase cases[] = {
        {"text16 empty", Bytes().i16(0).data, false, false, ""},
        {"text32 empty", Bytes().u32(0).data, true, false, ""},
        {"text16 words", Bytes().text16("Old Mill").data, false, false, "Old Mill"},
        {"text32 words", Bytes().text32("Seer's riddle").data, true, false, "Seer's riddle"},
        // 0x8000 is -32768 for a signed count: a huge unsigned count, not 32768.
        {"text16 count 0x8000", Bytes().u16(0x8000).fill(40000, 'x').data, false, true, ""},
        {"text16 count -1", Bytes().i16(-1).raw("abc").data, false, true, ""},
        {"text32 count 0x80000000", Bytes().u32(0x80000000u).raw("abc").data, true, true, ""},
        {"text32 one too many", Bytes().u32(4).raw("abc").data, true, true, ""},
    };
    for (const TextCase& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.wide)
            checkText<Text32>(c);
        else
            checkText<Text16>(c);
    }
}

// The arena hands out aligned pieces that never overlap, in blocks of its upstream: a piece larger
// than the next block gets a block of its own, and release gives every block back and starts
// again at the first block's size.
TEST(TreeMemory, ArenaPiecesAreAlignedApartAndGoBackWithTheirBlocks) {
    struct Piece {
        std::size_t bytes;
        std::size_t alignment;
    };
    const std::vector<Piece> pieces = {{24, 8}, {0, 8}, {1, 1}, {7, 16}, {64, 64}, {1000, 8},
                                       {3000, 8}, {20000, 8}, {8, 8}, {5, 4096}, {0, 1}, {48, 8}};
    constexpr std::size_t firstBlock = 4096;
    CountingResource upstream;
    TreeArena arena(firstBlock, &upstream);
    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE(round);
        std::vector<std::pair<std::uintptr_t, std::uintptr_t>> taken;
        for (const Piece& piece : pieces) {
            auto* start = static_cast<unsigned char*>(arena.allocate(piece.bytes, piece.alignment));
            ASSERT_NE(start, nullptr);
            std::fill(start, start + piece.bytes, static_cast<unsigned char>(0xA5));
            auto address = reinterpret_cast<std::uintptr_t>(start);
            EXPECT_EQ(address % piece.alignment, 0u) << piece.bytes << " bytes";
            taken.emplace_back(address, address + std::max<std::size_t>(piece.bytes, 1));
        }
        std::sort(taken.begin(), taken.end());
        for (std::size_t i = 1; i < taken.size(); ++i) EXPECT_LE(taken[i - 1].second, taken[i].first) << "pieces overlap";
        EXPECT_GE(upstream.outstanding, 20000u);
        arena.deallocate(reinterpret_cast<void*>(taken[0].first), 1, 1);  // a no-op
        arena.release();
        EXPECT_EQ(upstream.outstanding, 0u);
        std::size_t before = upstream.total;
        (void)arena.allocate(8, 8);
        EXPECT_EQ(upstream.total - before, firstBlock) << "the first block after release";
        arena.release();
    }
}

TEST(TreeMemory, EngineTreeComesFromItsUpstreamAndIsReleasedWithTheEngine) {
    ScratchDir dir;
    CountingResource stray;
    DefaultResourceSwap swap(&stray);
    for (bool gzip : {false, true}) {
        SCOPED_TRACE(gzip ? "gzip" : "raw");
        std::string source = dir.put(gzip ? "a.GM1" : "b.GM1", makeSaveFile(SaveFamily::Brevin44Sub2, gzip, 3));
        CountingResource upstream;
        {
            Q7Svg_impl engine(&upstream);
            EXPECT_EQ(engine.upstream(), &upstream);
            std::size_t built = upstream.total;
            EXPECT_GT(built, 0u);
            engine.load(source);
            ASSERT_EQ(engine.errorCode, 0u) << engine.errorMessage;
            EXPECT_GT(upstream.total, built) << "records read into memory other than the arena";
            engine.convertAndSave(Q7Svg::targetFor(engine.sourceVersion), gzip, dir.file("out.GM1"));
            ASSERT_EQ(engine.errorCode, 0u) << engine.errorMessage;
            EXPECT_GT(upstream.outstanding, 0u);
        }
        EXPECT_EQ(upstream.outstanding, 0u);
    }
    EXPECT_EQ(stray.total, 0u) << "tree memory taken from the default resource";
}

// Both fail as a corrupted file; only the engine's recorded reason tells a damaged file from a
// machine that ran out of memory.
TEST(TreeMemory, OutOfMemoryIsToldApartFromCorruption) {
    struct Case {
        const char* name;
        bool cut;
        bool refuse;
        ReadFailure reason;
    };
    const Case cases[] = {
        {"sound save", false, false, ReadFailure::None},
        {"cut save", true, false, ReadFailure::Corrupted},
        {"sound save, memory refused", false, true, ReadFailure::OutOfMemory},
    };
    ScratchDir dir;
    std::vector<unsigned char> full = makeSaveFile(SaveFamily::Brevin44Sub2, false, 3);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<unsigned char> bytes = full;
        if (c.cut) bytes.resize(bytes.size() / 2);
        std::string path = dir.put("a.GM1", bytes);
        RefusingResource upstream;
        Q7Svg_impl engine(&upstream);
        upstream.refusing = c.refuse;
        engine.load(path);
        EXPECT_EQ(engine.errorCode, c.reason == ReadFailure::None ? 0u : 7u);
        EXPECT_EQ(engine.readFailure, c.reason);
    }
}
