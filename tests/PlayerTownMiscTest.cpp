#include <gtest/gtest.h>

#include <vector>

#include "savegen/PlayerTownMiscContent.h"
#include "schema/PlayerTownMisc.h"
#include "tests/support/RecordIo.h"

using namespace record_io;

// --- ComboArtsMsk -------------------------------------------------------------------------

TEST(ComboArtsMsk, MaskBytesFollowTheBitCount) {
    struct Case {
        std::uint32_t count;
        std::size_t maskBytes;
    };
    Rng rng(20);
    for (Case c : {Case{0, 0}, Case{1, 1}, Case{8, 1}, Case{9, 2}, Case{16, 2}, Case{9999, 1250}}) {
        SCOPED_TRACE("bit count " + std::to_string(c.count));
        ComboMaskContent source = randomComboMask(rng, v44s2, c.count);
        ASSERT_EQ(source.maskBytes.size(), c.maskBytes);
        Bytes in;
        encode(in, source, v44s2);
        ComboArtsMsk record;
        EXPECT_EQ(convertNode(record, in, v44s2, v44s3), in.data) << c.count;
        EXPECT_EQ(record.mask.size(), c.maskBytes);
    }
}

TEST(ComboArtsMsk, CountOf10000IsRefused) {
    for (std::uint32_t count : {10000u, 0xFFFFFFFFu}) {
        Bytes in;
        in.u32(count).fill(2000, 0);
        ComboArtsMsk record;
        EXPECT_THROW(readNode(record, in, v44s3), RecordLimitError) << count;
    }
}

TEST(ComboArtsMsk, OldMaskGainsItsBitCount) {
    Bytes in;
    in.u8(0xA5).u8(0x3C);
    ComboArtsMsk record;
    Bytes expected;
    expected.u32(16).u8(0xA5).u8(0x3C);
    EXPECT_EQ(convertNode(record, in, v42, v44s3), expected.data);
    EXPECT_EQ(convertNode(record, in, v42, v42), in.data);
}

// --- Players, towns, misc -----------------------------------------------------------------

TEST(Player, RoundTripAndConversion) {
    Rng rng(21);
    for (auto [source, target] : {std::pair{v42, v44s3}, std::pair{v44s2, v44s3}, std::pair{v45s3, v45s3}}) {
        SCOPED_TRACE(versionName(source) + " -> " + versionName(target));
        PlayerContent player = randomPlayer(rng, source);
        Bytes in;
        encode(in, player, source);
        SvgPlayer record;
        EXPECT_EQ(convertNode(record, in, source, target), encoded(player, target));
    }
}

TEST(Player, EightPlayersReadOneAfterAnother) {
    Rng rng(22);
    std::vector<PlayerContent> players;
    Bytes in;
    for (int i = 0; i < 8; ++i) {
        players.push_back(randomPlayer(rng, v42));
        encode(in, players.back(), v42);
    }
    ByteInput stream(in.data);
    stream.raiseOnFailure();
    Bytes expected;
    ByteOutput out;
    for (const PlayerContent& player : players) {
        SvgPlayer record;
        record.read(stream, v42);
        record.write(out, v44s3);
        encode(expected, player, v44s3);
    }
    EXPECT_EQ(stream.remaining(), 0u);
    EXPECT_EQ(out.bytes(), expected.data);
}

TEST(Town, TownListRoundTrip) {
    Rng rng(23);
    for (std::size_t count : {0u, 1u, 48u}) {
        SCOPED_TRACE("towns " + std::to_string(count));
        std::vector<TownContent> towns = randomTowns(rng, v44s2, count);
        if (count > 0) towns[0].item13 = "Stonegate";
        Bytes in;
        encodeTowns(in, towns, v44s2);
        ArrayOfBinarySequences<unsigned char, SvgTown> record;
        EXPECT_EQ(convertNode(record, in, v44s2, v44s3), in.data);
    }
}

TEST(Misk, RoundTrip) {
    Rng rng(24);
    Bytes in;
    encode(in, randomMisk(rng, v44s2), v44s2);
    ASSERT_EQ(in.size(), 130u);
    SvgMisk record;
    EXPECT_EQ(convertNode(record, in, v44s2, v44s3), in.data);
}

// --- Replay actions -----------------------------------------------------------------------

TEST(ReplayAct, EveryTagLayoutRoundTrips) {
    struct Case {
        char tag;
        std::size_t bytesWithTag;
        std::size_t children;
    };
    const Case cases[] = {
        {0, 1, 0},   {1, 15, 5},  {2, 15, 5}, {3, 8, 4},  {4, 8, 4},   {5, 9, 6},   {6, 17, 8},
        {7, 18, 5},  {8, 8, 4},   {9, 18, 8}, {10, 3, 2}, {11, 4, 2},  {12, 1, 0},  {-1, 1, 0},
    };
    Rng rng(25);
    for (const Case& c : cases) {
        ReplayActContent act = randomReplayAct(rng, v44s2, c.tag, 0);
        Bytes in;
        encode(in, act, v44s2);
        ASSERT_EQ(in.size(), c.bytesWithTag) << int(c.tag);
        SvgReplayAct record;
        EXPECT_EQ(convertNode(record, in, v44s2, v44s3), in.data) << int(c.tag);
        EXPECT_EQ(record.getChildren().size(), c.children) << int(c.tag);
    }
}

TEST(ReplayAct, Tag6And9FieldsLandInTheirOwnWidths) {
    // Tag 6: four 1-byte fields, two 2-byte fields, two 4-byte fields.
    Bytes in6;
    in6.u8(6).u8(1).u8(2).u8(3).u8(4).u16(0x0605).u16(0x0807).u32(0x0C0B0A09).u32(0x100F0E0D);
    SvgReplayAct six;
    readNode(six, in6, v44s2);
    EXPECT_EQ(static_cast<const ElemBinarySequence<short>&>(*six.getChildren()[5]).value, 0x0807);
    EXPECT_EQ(static_cast<const ElemBinarySequence<unsigned int>&>(*six.getChildren()[7]).value, 0x100F0E0Du);

    // Tag 9: char, int, char, char, then unsigned int, unsigned int, unsigned char, unsigned char.
    Bytes in9;
    in9.u8(9).u8(1).i32(-2).u8(3).u8(4).u32(5).u32(6).u8(7).u8(8);
    SvgReplayAct nine;
    readNode(nine, in9, v44s2);
    EXPECT_EQ(static_cast<const ElemBinarySequence<int>&>(*nine.getChildren()[1]).value, -2);
    EXPECT_EQ(static_cast<const ElemBinarySequence<unsigned int>&>(*nine.getChildren()[5]).value, 6u);
    EXPECT_EQ(static_cast<const ElemBinarySequence<unsigned char>&>(*nine.getChildren()[7]).value, 8);
}

TEST(ReplayAct, Tag11CarriesMapCells) {
    Rng rng(26);
    ReplayActContent act = randomReplayAct(rng, v44s2, 11, 5);
    Bytes in;
    encode(in, act, v44s2);
    ASSERT_EQ(in.size(), 4u + 5 * 8);
    SvgReplayAct record;
    EXPECT_EQ(convertNode(record, in, v44s2, v44s3), in.data);
}

TEST(ReplayAct, LongListOfEveryLayoutRoundTrips) {
    Rng rng(27);
    std::vector<ReplayActContent> acts = randomReplayActs(rng, v42, 300);
    Bytes in;
    encodeReplayActs(in, acts, v42);
    ArrayOfBinarySequences<int, SvgReplayAct> record;
    EXPECT_EQ(convertNode(record, in, v42, v44s3), in.data);
}

// --- AddInfo, HW, HDModeData --------------------------------------------------------------

TEST(AddInfo, Subversion2ToSubversion3) {
    Rng rng(28);
    AddInfoContent source = randomAddInfo(rng, v44s2);
    source.item01 = 0x11223344;
    source.item05 = 0x55;
    Bytes in;
    encode(in, source, v44s2);
    ASSERT_EQ(in.size(), 21u);
    AddInfo record;
    std::vector<unsigned char> out = convertNode(record, in, v44s2, v44s3);
    Bytes expected;
    expected.u32(7).raw(source.item03).raw(source.item04).u8(0x55).fill(4, 0);
    EXPECT_EQ(out, expected.data);
}

TEST(AddInfo, AbsentInTheSourceIsWrittenWithItsInitialValues) {
    AddInfo record;  // a version-42 source has no such record: it is never read
    Bytes expected;
    expected.u32(7).fill(8, 0).fill(8, 0).u8(0).fill(4, 0);
    EXPECT_EQ(writeNode(record, v44s3), expected.data);
    EXPECT_EQ(writeNode(record, v44s3), encoded(AddInfoContent{}, v44s3));
}

TEST(AddInfo, RoundTripInBothSubversions) {
    Rng rng(29);
    for (const SvgVersion& v : {v44s2, v44s3, v45s2, v45s3}) {
        SCOPED_TRACE(versionName(v));
        AddInfoContent source = randomAddInfo(rng, v);
        Bytes in;
        encode(in, source, v);
        EXPECT_EQ(in.size(), v.svg_subversion == 2 ? 21u : 25u);
        AddInfo record;
        EXPECT_EQ(convertNode(record, in, v, v), in.data);
    }
}

TEST(HW, RoundTripOf4086Bytes) {
    Rng rng(30);
    HWContent source = randomHW(rng, v45s2);
    Bytes in;
    encode(in, source, v45s2);
    ASSERT_EQ(in.size(), 4086u);
    HW record(FromVersion45);
    EXPECT_EQ(convertNode(record, in, v45s2, v45s3), in.data);
    // item08 starts after 4 * 4 + 32 + 2 + 192 bytes; its last byte is row 47, column 79.
    EXPECT_EQ(record.item08.value[0][0], source.bytes[242]);
    EXPECT_EQ(record.item08.value[47][79], source.bytes[242 + 3839]);
}

TEST(HDModeData, TailIsCopiedUnchanged) {
    Rng rng(31);
    for (std::size_t length : {0u, 1u, 5000u}) {
        SCOPED_TRACE("tail length " + std::to_string(length));
        Bytes in;
        encode(in, randomHDModeTail(rng, length), v45s3);
        HDModeData record;
        EXPECT_EQ(convertNode(record, in, v45s2, v45s3), in.data);
        EXPECT_EQ(record.length, static_cast<int>(length));
    }
}

// --- Short reads --------------------------------------------------------------------------

TEST(PlayerTownMiscShortReads, RaiseTheStreamError) {
    Rng rng(32);
    auto check = [](BinarySequence&& record, const Bytes& full, const SvgVersion& v) {
        std::vector<unsigned char> shortData(full.data.begin(), full.data.end() - 1);
        EXPECT_THROW(readNode(record, shortData, v), StreamError);
    };
    Bytes player, town, misk, act, cellAct, addInfo, hw;
    encode(player, randomPlayer(rng, v44s2), v44s2);
    encode(town, randomTown(rng, v44s2), v44s2);
    encode(misk, randomMisk(rng, v44s2), v44s2);
    encode(act, randomReplayAct(rng, v44s2, 7), v44s2);
    encode(cellAct, randomReplayAct(rng, v44s2, 11, 3), v44s2);
    encode(addInfo, randomAddInfo(rng, v44s3), v44s3);
    encode(hw, randomHW(rng, v45s3), v45s3);
    check(SvgPlayer(), player, v44s2);
    check(SvgTown(), town, v44s2);
    check(SvgMisk(), misk, v44s2);
    check(SvgReplayAct(), act, v44s2);
    check(SvgReplayAct(), cellAct, v44s2);
    check(AddInfo(), addInfo, v44s3);
    check(HW(), hw, v45s3);
}
