#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "savegen/MapWorldContent.h"
#include "schema/MapWorld.h"
#include "tests/support/RecordIo.h"

using namespace record_io;

namespace {

std::vector<unsigned char> artifactBytes(std::int32_t count, unsigned char value, const SvgVersion& v) {
    Bytes b;
    if (v.svg_version >= 44) b.i32(count);
    return b.fill(static_cast<std::size_t>(count), value).data;
}

}  // namespace

// --- Saved-game name ----------------------------------------------------------------------

TEST(SavedGameName, RoundTripAndOutputNameReplacesTheName) {
    Rng rng(1);
    for (const SvgVersion& v : {v42, v44s2, v45s3}) {
        SCOPED_TRACE(versionName(v));
        MapPreSmth2Content source = randomMapPreSmth2(rng, v, "campaign one.GM1");
        std::string outputName = "campaign one(converted).GM1";
        SvgMapPreSmth2 record(outputName);
        Bytes in;
        encode(in, source, v);
        ASSERT_EQ(in.size(), 398u);
        EXPECT_EQ(convertNode(record, in, v, v44s3), encoded(withSavedName(source, outputName), v44s3));
    }
}

TEST(SavedGameName, LongOutputNameIsCutTo350Characters) {
    std::string outputName(400, 'x');
    SvgMapPreSmth2 record(outputName);
    Rng rng(2);
    MapPreSmth2Content source = randomMapPreSmth2(rng, v42, "old.GM1");
    Bytes in;
    encode(in, source, v42);
    std::vector<unsigned char> out = convertNode(record, in, v42, v44s3);
    ASSERT_EQ(out.size(), 398u);
    EXPECT_EQ(std::string(out.begin(), out.begin() + 350), std::string(350, 'x'));
    EXPECT_EQ(out[350], 0);
    EXPECT_TRUE(std::equal(out.begin() + 351, out.end(), in.data.begin() + 351));
}

TEST(SavedGameName, ShortNameKeepsTheSourceBytesAfterItsZero) {
    std::string outputName = "a.GM";
    SvgMapPreSmth2 record(outputName);
    MapPreSmth2Content source;
    source.fileNameField = fileNameField("a much longer saved game name.GM1");
    source.fileNameField[200] = 0x5A;  // a stale byte far behind the name
    Bytes in;
    encode(in, source, v44s2);
    std::vector<unsigned char> out = convertNode(record, in, v44s2, v44s3);
    std::vector<unsigned char> expected = in.data;
    std::copy(outputName.begin(), outputName.end(), expected.begin());
    expected[4] = 0;
    EXPECT_EQ(out, expected);
    EXPECT_EQ(std::string(out.begin() + 5, out.begin() + 33), "h longer saved game name.GM1");
    EXPECT_EQ(out[200], 0x5A);
}

// --- Artifacts ----------------------------------------------------------------------------

TEST(Artifacts, BlocksGrowToTheTargetSize) {
    struct Case {
        SvgVersion source;
        std::size_t count;
        SvgVersion target;
        std::int32_t writtenCount;
    };
    const Case cases[] = {
        {v42, 144, v44s3, 163}, {v44s2, 161, v44s3, 163}, {v45s2, 161, v45s3, 163},
        {v44s3, 163, v44s3, 163}, {v44s2, 161, v44s2, 161}, {v42, 144, v42, 144},
    };
    Rng rng(3);
    for (const Case& c : cases) {
        SCOPED_TRACE(versionName(c.source) + " -> " + versionName(c.target));
        ArtifactsContent source = randomArtifacts(rng, c.count);
        Bytes in;
        encode(in, source, c.source);
        SvgArtifacts record;
        std::vector<unsigned char> out = convertNode(record, in, c.source, c.target);
        EXPECT_EQ(out, encoded(convertedArtifacts(source, c.target), c.target));
        // The same, spelled out: count, the bytes read, then entries of value 1.
        Bytes expected;
        if (c.target.svg_version >= 44) expected.i32(c.writtenCount);
        expected.raw(source.bytes).fill(static_cast<std::size_t>(c.writtenCount) - c.count, 1);
        EXPECT_EQ(out, expected.data) << c.source.svg_version << "/" << c.source.svg_subversion;
    }
}

TEST(Artifacts, CountLimitOnBothSides) {
    SvgArtifacts accepted;
    std::vector<unsigned char> atLimit = artifactBytes(1000000, 1, v44s3);
    EXPECT_EQ(readNode(accepted, atLimit, v44s3), atLimit.size());
    EXPECT_EQ(writeNode(accepted, v44s3), atLimit);

    SvgArtifacts refused;
    EXPECT_THROW(readNode(refused, artifactBytes(1000001, 1, v44s3), v44s3), RecordLimitError);
}

TEST(Artifacts, NegativeCountIsRefused) {
    for (std::int32_t count : {-1, -2147483647 - 1}) {
        SvgArtifacts record;
        Bytes in;
        in.i32(count).fill(200, 1);
        EXPECT_THROW(readNode(record, in, v44s2), RecordLimitError) << count;
    }
}

TEST(Artifacts, CountAboveTheTargetKeepsAllBytesAndItsCount) {
    Rng rng(4);
    ArtifactsContent source = randomArtifacts(rng, 170);
    Bytes in;
    encode(in, source, v44s2);
    SvgArtifacts record;
    EXPECT_EQ(convertNode(record, in, v44s2, v44s3), in.data);
}

TEST(Artifacts, ZeroCountHoldsNothingAndIsPaddedEntirely) {
    SvgArtifacts record;
    Bytes in;
    in.i32(0);
    EXPECT_EQ(convertNode(record, in, v44s3, v44s3), artifactBytes(163, 1, v44s3));
}

TEST(Artifacts, TwoRecordsAreIndependent) {
    Rng rng(5);
    ArtifactsContent first = randomArtifacts(rng, 161), second = randomArtifacts(rng, 150);
    Bytes in;
    encode(in, first, v44s2);
    encode(in, second, v44s2);
    SvgArtifacts a, b;
    ByteInput stream(in.data);
    stream.raiseOnFailure();
    a.read(stream, v44s2);
    b.read(stream, v44s2);
    EXPECT_EQ(stream.remaining(), 0u);
    EXPECT_EQ(writeNode(a, v44s3), encoded(convertedArtifacts(first, v44s3), v44s3));
    EXPECT_EQ(writeNode(b, v44s3), encoded(convertedArtifacts(second, v44s3), v44s3));
}

// --- Rumors -------------------------------------------------------------------------------

TEST(Rumors, RoundTrip) {
    Rng rng(6);
    for (std::size_t count : {0u, 1u, 7u}) {
        SCOPED_TRACE("count " + std::to_string(count));
        RumorsContent source = randomRumors(rng, v44s2, count);
        source.item01 = "the first rumor";
        Bytes in;
        encode(in, source, v44s2);
        SvgRumors record;
        EXPECT_EQ(convertNode(record, in, v44s2, v44s3), in.data);
    }
}

// --- Cells --------------------------------------------------------------------------------

struct MapDimensions {
    unsigned int mapSize;
    unsigned char twoLevels;
};

TEST(Cells, RegionRoundTripsAsOneBlockAndReadStopsAtItsEnd) {
    Rng rng(7);
    for (MapDimensions d : {MapDimensions{1, 0}, MapDimensions{9, 0}, MapDimensions{9, 1}, MapDimensions{36, 1}}) {
        SCOPED_TRACE("map size " + std::to_string(d.mapSize) + (d.twoLevels != 0 ? ", two levels" : ", one level"));
        CellsContent source = randomCells(rng, v44s2, d.mapSize, d.twoLevels != 0);
        Bytes in;
        encode(in, source, v44s2);
        std::size_t regionSize = in.size();
        in.u32(0xDEADBEEF);  // the next record's bytes must be left alone
        SvgCells record(d.mapSize, d.twoLevels);
        EXPECT_EQ(readNode(record, in, v44s2), regionSize);
        EXPECT_EQ(record.cellsSize, static_cast<std::int32_t>(regionSize));
        EXPECT_EQ(writeNode(record, v44s3), std::vector<unsigned char>(in.data.begin(), in.data.begin() + regionSize));
    }
}

TEST(Cells, MapSizeIsLookedUpAtEachRead) {
    unsigned int mapSize = 2;
    unsigned char twoLevels = 0;
    SvgCells record(mapSize, twoLevels);
    Rng rng(8);
    mapSize = 3;
    twoLevels = 1;
    Bytes in;
    encode(in, randomCells(rng, v44s2, 3, true), v44s2);
    EXPECT_EQ(readNode(record, in, v44s2), in.size());
}

TEST(Cells, MapSizeLimitOnBothSides) {
    Rng rng(9);
    unsigned int mapSize = 512;
    unsigned char twoLevels = 0;
    SvgCells accepted(mapSize, twoLevels);
    Bytes largest;
    encode(largest, randomCells(rng, v44s2, 512, false, 2), v44s2);
    EXPECT_EQ(readNode(accepted, largest, v44s2), largest.size());

    unsigned int tooLarge = 513;
    SvgCells refused(tooLarge, twoLevels);
    EXPECT_THROW(readNode(refused, largest, v44s2), RecordLimitError);

    unsigned int empty = 0;
    SvgCells none(empty, twoLevels);
    EXPECT_THROW(readNode(none, largest, v44s2), RecordLimitError);
}

TEST(Cells, EntryCountLimitOnBothSides) {
    for (std::uint32_t entries : {238u, 239u}) {
        SCOPED_TRACE("entries " + std::to_string(entries));
        CellsContent source;
        source.cells.resize(4);
        source.cells[2].entries.assign(entries, 0x01020304);
        Bytes in;
        encode(in, source, v44s2);
        unsigned int mapSize = 2;
        unsigned char twoLevels = 0;
        SvgCells record(mapSize, twoLevels);
        if (entries == 238) {
            EXPECT_EQ(readNode(record, in, v44s2), in.size());
            EXPECT_EQ(writeNode(record, v44s3), in.data);
        } else {
            EXPECT_THROW(readNode(record, in, v44s2), RecordLimitError);
        }
    }
}

TEST(Cells, RegionEndingEarlyRaisesTheStreamError) {
    Rng rng(10);
    Bytes in;
    encode(in, randomCells(rng, v44s2, 4, true), v44s2);
    unsigned int mapSize = 4;
    unsigned char twoLevels = 1;
    for (std::size_t cut : {std::size_t{1}, std::size_t{10}, in.size() - 1}) {
        SvgCells record(mapSize, twoLevels);
        std::vector<unsigned char> shortData(in.data.begin(), in.data.end() - static_cast<std::ptrdiff_t>(cut));
        EXPECT_THROW(readNode(record, shortData, v44s2), StreamError) << cut;
    }
}

TEST(CellsParams, BlockSizeFollowsTheMapDimensions) {
    Rng rng(11);
    for (auto [d, size] : {std::pair{MapDimensions{36, 1}, 5184u}, std::pair{MapDimensions{36, 0}, 2592u},
                           std::pair{MapDimensions{1, 0}, 2u}}) {
        SCOPED_TRACE("map size " + std::to_string(d.mapSize) + (d.twoLevels != 0 ? ", two levels" : ", one level"));
        CellsParamsContent source = randomCellsParams(rng, v44s2, d.mapSize, d.twoLevels != 0);
        ASSERT_EQ(source.bytes.size(), size);
        Bytes in;
        encode(in, source, v44s2);
        in.u8(0xAB);
        SvgCellsParams record(d.mapSize, d.twoLevels);
        EXPECT_EQ(readNode(record, in, v44s2), size);
        EXPECT_EQ(writeNode(record, v44s3), source.bytes);
    }
}

TEST(CellsParams, EmptyOrOversizedBlockIsRefused) {
    std::vector<unsigned char> data(64, 0);
    unsigned char twoLevels = 1;
    for (unsigned int mapSize : {0u, 70000u, 4294967295u}) {
        SvgCellsParams record(mapSize, twoLevels);
        EXPECT_THROW(readNode(record, data, v44s2), RecordLimitError) << mapSize;
    }
    unsigned int mapSize = 8;  // 256 bytes wanted, 64 there
    SvgCellsParams shortBlock(mapSize, twoLevels);
    EXPECT_THROW(readNode(shortBlock, data, v44s2), StreamError);
}

// --- Teleporters --------------------------------------------------------------------------

TEST(Teleports, GroupsArePaddedToTheTargetCounts) {
    Rng rng(12);
    TeleportsContent source = randomTeleports(rng, v42, 8, 8);
    Bytes in;
    encode(in, source, v42);
    SvgTeleportes_Whirlpools_Gates record;
    std::vector<unsigned char> out = convertNode(record, in, v42, v44s3);
    EXPECT_EQ(out, encoded(convertedTeleports(source, v44s3), v44s3));

    // Spelled out: counts 21 and 12, the 8 lists read plus 13 empty ones, then 8 plus 4.
    Bytes expected;
    expected.u32(21).u32(12);
    for (const auto& list : source.groupOne) encodeTeleportList(expected, list);
    expected.fill(13 * 2, 0);
    for (const auto& list : source.groupTwo) encodeTeleportList(expected, list);
    expected.fill(4 * 2, 0);
    encodeTeleportList(expected, source.item02);
    encodeTeleportList(expected, source.item03);
    encodeTeleportList(expected, source.item04);
    EXPECT_EQ(out, expected.data);
}

TEST(Teleports, CountsByTarget) {
    struct Case {
        SvgVersion source;
        std::size_t groupOne, groupTwo;
        SvgVersion target;
        std::uint32_t writtenOne, writtenTwo;
    };
    const Case cases[] = {
        {v44s2, 25, 14, v44s3, 25, 14}, {v44s2, 17, 12, v44s3, 21, 12}, {v44s2, 3, 0, v44s2, 17, 12},
        {v45s2, 0, 20, v45s3, 21, 20},  {v44s3, 21, 12, v44s3, 21, 12},
    };
    Rng rng(13);
    for (const Case& c : cases) {
        SCOPED_TRACE(versionName(c.source) + " -> " + versionName(c.target) + ", groups " + std::to_string(c.groupOne) +
                     "/" + std::to_string(c.groupTwo));
        TeleportsContent source = randomTeleports(rng, c.source, c.groupOne, c.groupTwo);
        Bytes in;
        encode(in, source, c.source);
        SvgTeleportes_Whirlpools_Gates record;
        std::vector<unsigned char> out = convertNode(record, in, c.source, c.target);
        TeleportsContent expected = convertedTeleports(source, c.target);
        EXPECT_EQ(expected.groupOne.size(), c.writtenOne);
        EXPECT_EQ(expected.groupTwo.size(), c.writtenTwo);
        EXPECT_EQ(out, encoded(expected, c.target)) << c.groupOne << "/" << c.groupTwo;
    }
}

TEST(Teleports, OldLayoutWritesListsWithoutCounts) {
    Rng rng(14);
    TeleportsContent source = randomTeleports(rng, v42, 8, 8);
    Bytes in;
    encode(in, source, v42);
    SvgTeleportes_Whirlpools_Gates record;
    EXPECT_EQ(convertNode(record, in, v42, v42), in.data);
}

TEST(Teleports, HostileGroupCountFailsBeforeCreatingLists) {
    Bytes in;
    in.u32(0xFFFFFFFF).u32(0xFFFFFFFF).fill(16, 0);
    SvgMonolythsArray record;
    EXPECT_THROW(readNode(record, in, v44s2), StreamError);
}

// --- Short reads --------------------------------------------------------------------------

TEST(MapWorldShortReads, RaiseTheStreamError) {
    Rng rng(15);
    std::string name = "x";
    auto check = [](BinarySequence& record, const Bytes& full, const SvgVersion& v) {
        std::vector<unsigned char> shortData(full.data.begin(), full.data.end() - 1);
        EXPECT_THROW(readNode(record, shortData, v), StreamError);
    };
    {
        Bytes b;
        encode(b, randomMapPreSmth2(rng, v44s2), v44s2);
        SvgMapPreSmth2 record(name);
        check(record, b, v44s2);
    }
    {
        Bytes b;
        encode(b, randomArtifacts(rng, v42), v42);
        SvgArtifacts record;
        check(record, b, v42);
    }
    {
        Bytes b;
        encode(b, randomRumors(rng, v44s2, 3), v44s2);
        SvgRumors record;
        check(record, b, v44s2);
    }
    {
        Bytes b;
        encode(b, randomTeleports(rng, v44s2, 17, 12), v44s2);
        SvgTeleportes_Whirlpools_Gates record;
        check(record, b, v44s2);
    }
    {
        Bytes b;
        encode(b, randomOpenMapCell(rng), v44s2);
        OpenMapCell record;
        check(record, b, v44s2);
    }
}
