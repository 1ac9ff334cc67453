// The versioned schema framework: every node kind read and written through byte streams.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "savegen/Bytes.h"
#include "schema_core/ArrayOfBinarySequences.h"
#include "schema_core/ArrayOfBinarySequencesWithVariableIntType.h"
#include "schema_core/ArrayOfElemBinarySequences.h"
#include "schema_core/ConditionnalBinarySequence.h"
#include "schema_core/ElemBinarySequence.h"
#include "schema_core/FixedLengthArrayOfElemBinarySequences.h"
#include "schema_core/SvgVersionInfo.h"
#include "schema_core/TagPredicates.h"
#include "schema_core/Text.h"
#include "tests/support/RecordIo.h"
#include "tests/support/Releases.h"

namespace {

using namespace record_io;

using ByteVector = std::vector<unsigned char>;

// The 8-byte signature field: five signature letters and three zero bytes.
Bytes signature(const char* letters) { return Bytes().raw(std::string(letters)).fill(3, 0); }

template <class Node>
void expectRoundTrip(const ByteVector& bytes, const SvgVersion& v = v44s3) {
    Node node;
    EXPECT_EQ(readNode(node, bytes, v), bytes.size());
    EXPECT_EQ(writeNode(node, v), bytes);
}

TEST(ElemBinarySequence, IntegersAreLittleEndianInTheirWidth) {
    expectRoundTrip<ElemBinarySequence<unsigned int>>(Bytes().u32(0x01020304).data);
    expectRoundTrip<ElemBinarySequence<short>>(Bytes().i16(-2).data);
    expectRoundTrip<ElemBinarySequence<signed char>>(Bytes().i8(-1).data);

    ElemBinarySequence<int> value;
    readNode(value, Bytes().i32(-100000).data, v42);
    EXPECT_EQ(value.value, -100000);
    ElemBinarySequence<unsigned short[4]> shorts;
    readNode(shorts, Bytes().u16(1).u16(2).u16(0x0300).u16(0xFFFF).data, v42);
    EXPECT_EQ(shorts.value[2], 0x0300);
    EXPECT_EQ(shorts.value[3], 0xFFFF);
}

TEST(ElemBinarySequence, TwoDimensionalBlockIsOneRunOf3840Bytes) {
    ByteVector bytes(3840);
    for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<unsigned char>(i * 7);
    ElemBinarySequence<unsigned char[48][80]> block;
    EXPECT_EQ(readNode(block, bytes, v45s3), 3840u);
    EXPECT_EQ(block.value[1][0], bytes[80]);
    EXPECT_EQ(writeNode(block, v45s3), bytes);
}

TEST(ElemBinarySequence, AbsentInSourceIsWrittenWithItsInitialValue) {
    ElemBinarySequence<unsigned int> item(0u, FromVersion44);
    EXPECT_EQ(readNode(item, ByteVector{}, v42), 0u);
    EXPECT_EQ(writeNode(item, v44s3), ByteVector(4, 0));

    ElemBinarySequence<unsigned int> seven(7u, OnlySubversion3);
    EXPECT_EQ(writeNode(seven, v44s3), Bytes().u32(7).data);
    EXPECT_TRUE(writeNode(seven, v44s2).empty());
}

TEST(ElemBinarySequence, PresentInSourceAbsentInTargetIsConsumedAndDropped) {
    ElemBinarySequence<unsigned int> item(3u, OnlySubversion2);
    EXPECT_EQ(readNode(item, Bytes().u32(99).data, v44s2), 4u);
    EXPECT_EQ(item.value, 99u);
    EXPECT_TRUE(writeNode(item, v44s3).empty());
}

// A record whose middle field exists from version 44 on: 6 bytes at 42, 7 bytes at 44.
struct ThreeFieldRecord : BinarySequence {
    using BinarySequence::BinarySequence;

    ElemBinarySequence<unsigned int>& first = field();
    ElemBinarySequence<unsigned char>& middle = field(0, FromVersion44);
    ElemBinarySequence<unsigned short>& last = field();
};

TEST(BinarySequence, AbsentChildLeavesNoGapAndIsWrittenWithItsConstructorValue) {
    ThreeFieldRecord record;
    ByteVector source = Bytes().u32(0xAABBCCDD).u16(0x1122).data;
    EXPECT_EQ(readNode(record, source, v42), 6u);
    EXPECT_EQ(record.last.value, 0x1122);
    EXPECT_EQ(writeNode(record, v44s3), Bytes().u32(0xAABBCCDD).u8(0).u16(0x1122).data);
    // Writing never changes the tree.
    EXPECT_EQ(writeNode(record, v44s3), writeNode(record, v44s3));
    EXPECT_EQ(writeNode(record, v42), source);
}

TEST(BinarySequence, NodeWithoutChildrenReadsAndWritesNothing) {
    BinarySequence empty;
    EXPECT_EQ(readNode(empty, {1, 2, 3}, v44s3), 0u);
    EXPECT_TRUE(writeNode(empty, v44s3).empty());
}

TEST(BinarySequence, ShortDataRaisesAtTheFieldWhereItRunsOut) {
    ThreeFieldRecord record;
    ByteVector cut = Bytes().u32(5).u8(9).data;  // the 2-byte field has one byte
    ByteInput in(cut);
    in.raiseOnFailure();
    EXPECT_THROW(record.read(in, v44s3), StreamError);
    EXPECT_EQ(record.first.value, 5u);
    EXPECT_EQ(record.middle.value, 9u);
    EXPECT_TRUE(in.failed());
}

TEST(ByteInput, NonRaisingShortReadKeepsTheBytesItHad) {
    ByteVector two = {0x34, 0x12};
    ByteInput in(two);
    std::uint32_t value = 0xAABBCCDD;
    in.read(&value, 4);
    EXPECT_TRUE(in.failed());
    EXPECT_EQ(value, 0xAABB1234u);
    // Switching to raising mode after a failure raises at once.
    EXPECT_THROW(in.raiseOnFailure(), StreamError);
}

TEST(FixedLengthArray, FilledBlockAbsentInSourceIsWrittenAsItsFill) {
    FixedLengthArrayOfElemBinarySequences<unsigned char> block(22, 64, FromVersion44);
    EXPECT_EQ(readNode(block, ByteVector{}, v42), 0u);
    EXPECT_EQ(writeNode(block, v44s3), ByteVector(22, 64));
    EXPECT_TRUE(writeNode(block, v42).empty());
}

TEST(FixedLengthArray, UnfilledBlockRoundTrips) {
    ByteVector bytes(156);
    for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<unsigned char>(i);
    FixedLengthArrayOfElemBinarySequences<unsigned char> block(156, AlwaysPresent);
    EXPECT_EQ(readNode(block, bytes, v42), 156u);
    EXPECT_EQ(writeNode(block, v44s3), bytes);
}

// Two variants for tag 3 and one for any tag other than -1. With shared = true the instances
// share one variant list, registered by the first of them.
template <bool shared>
struct ConditionalRecordOf : ConditionnalBinarySequence<signed char> {
    explicit ConditionalRecordOf(VersionPredicate presence = AlwaysPresent) : ConditionnalBinarySequence(presence) {
        if (shared && shareVariantsOf<ConditionalRecordOf>()) return;
        addVariant<ElemBinarySequence<unsigned char>>(&TagIsNot<signed char, 255>, AlwaysPresent);
        addVariant<ElemBinarySequence<unsigned short>>(&TagIs<signed char, 3>, AlwaysPresent);
        addVariant<Text16>(&TagIs<signed char, 3>, AlwaysPresent);
        addVariant<ElemBinarySequence<unsigned int>>(&TagIs<signed char, 5>, FromVersion45);
    }
    std::size_t childCount() const { return getChildren().size(); }
    std::size_t variantCount() const { return variants->size(); }
};
using ConditionalRecord = ConditionalRecordOf<false>;
using SharedConditionalRecord = ConditionalRecordOf<true>;

template <class Record>
void expectTagSelectsChildrenInRegistrationOrder() {
    struct Case {
        ByteVector bytes;
        std::size_t children;
    };
    const Case cases[] = {
        {Bytes().i8(-1).data, 0},                                  // matches no variant
        {Bytes().i8(0).u8(9).data, 1},                             // only tag != -1
        {Bytes().i8(3).u8(1).u16(0x0203).text16("ab").data, 3},    // two variants share tag 3
        {Bytes().i8(12).u8(4).data, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("tag " + std::to_string(static_cast<signed char>(c.bytes[0])));
        Record record;
        EXPECT_EQ(record.variantCount(), 4u);
        EXPECT_EQ(readNode(record, c.bytes, v44s3), c.bytes.size());
        EXPECT_EQ(record.childCount(), c.children);
        EXPECT_EQ(writeNode(record, v44s3), c.bytes);
    }
}

TEST(ConditionnalBinarySequence, TagSelectsChildrenInRegistrationOrder) {
    expectTagSelectsChildrenInRegistrationOrder<ConditionalRecord>();
}

// Every instance after the first uses the list the first one registered, neither empty nor doubled.
TEST(ConditionnalBinarySequence, SharedVariantListServesEveryInstance) {
    expectTagSelectsChildrenInRegistrationOrder<SharedConditionalRecord>();
    SharedConditionalRecord first, second;
    EXPECT_EQ(first.variantCount(), 4u);
    EXPECT_EQ(second.variantCount(), 4u);
}

template <class Record>
void expectVersionPredicateOfAVariantIsApplied() {
    Record at44;
    EXPECT_EQ(readNode(at44, Bytes().i8(5).u8(1).data, v44s3), 2u);
    Record at45;
    EXPECT_EQ(readNode(at45, Bytes().i8(5).u8(1).u32(8).data, v45s3), 6u);
    Record again44;
    EXPECT_EQ(readNode(again44, Bytes().i8(5).u8(1).data, v44s3), 2u);
}

// Also for shared lists, whose selection per tag must not be kept across versions.
TEST(ConditionnalBinarySequence, VersionPredicateOfAVariantIsApplied) {
    expectVersionPredicateOfAVariantIsApplied<ConditionalRecord>();
    expectVersionPredicateOfAVariantIsApplied<SharedConditionalRecord>();
}

// A record may register more variants than any fixed table would hold, shared or not, with a
// one-byte tag (selection kept per tag) or a wider one (selected on every read).
template <class Tag, bool shared>
struct ManyVariantRecord : ConditionnalBinarySequence<Tag> {
    static constexpr std::size_t variantTotal = 100;
    ManyVariantRecord() {
        if (shared && this->template shareVariantsOf<ManyVariantRecord>()) return;
        for (std::size_t i = 0; i < variantTotal; ++i)
            this->template addVariant<ElemBinarySequence<unsigned char>>(&TagIs<Tag, 1>, AlwaysPresent);
    }
};

template <class Record>
void expectEveryVariantRead(const ByteVector& tag) {
    ByteVector bytes = tag;
    for (std::size_t i = 0; i < Record::variantTotal; ++i) bytes.push_back(static_cast<unsigned char>(i));
    Record record;
    EXPECT_EQ(readNode(record, bytes, v44s3), bytes.size());
    EXPECT_EQ(record.getChildren().size(), Record::variantTotal);
    EXPECT_EQ(writeNode(record, v44s3), bytes);
}

TEST(ConditionnalBinarySequence, ManyVariantsAreAllRead) {
    expectEveryVariantRead<ManyVariantRecord<unsigned char, false>>(Bytes().u8(1).data);
    expectEveryVariantRead<ManyVariantRecord<unsigned char, true>>(Bytes().u8(1).data);
    expectEveryVariantRead<ManyVariantRecord<unsigned short, true>>(Bytes().u16(1).data);
}

TEST(ConditionnalBinarySequence, SecondReadRebuildsTheChildren) {
    ConditionalRecord record;
    readNode(record, Bytes().i8(3).u8(1).u16(2).text16("").data, v44s3);
    EXPECT_EQ(record.childCount(), 3u);
    readNode(record, Bytes().i8(-1).data, v44s3);
    EXPECT_EQ(record.childCount(), 0u);
    EXPECT_EQ(writeNode(record, v44s3), Bytes().i8(-1).data);
}

TEST(ConditionnalBinarySequence, NeverReadWritesItsTagAlone) {
    ConditionalRecord record;
    EXPECT_EQ(writeNode(record, v44s3), ByteVector{0});
}

TEST(TagPredicates, OneByteTagsCompareTheirByte) {
    EXPECT_FALSE((TagIsNot<signed char, 255>(-1)));
    EXPECT_TRUE((TagIsNot<signed char, 255>(127)));
    EXPECT_FALSE((TagIsNot<unsigned char, 255>(255)));
    EXPECT_TRUE((TagIsEither<char, 5, 6>(6)));
    EXPECT_FALSE((TagIsEither<char, 5, 6>(7)));
    EXPECT_TRUE((TagIsNot<unsigned short, 0>(513)));
}

TEST(ArrayOfBinarySequences, TextIsCountThenCharacters) {
    expectRoundTrip<Text16>({0x03, 0x00, 'a', 'b', 'c'});
    expectRoundTrip<Text32>(Bytes().text32("hello").data);
    expectRoundTrip<Text16>({0x00, 0x00});
}

TEST(ArrayOfBinarySequences, CountOf255RecordsIsWrittenBack) {
    Bytes bytes;
    bytes.u8(255);
    for (int i = 0; i < 255; ++i) bytes.i8(-1);
    ArrayOfBinarySequences<unsigned char, ConditionalRecord> records;
    EXPECT_EQ(readNode(records, bytes.data, v44s3), 256u);
    EXPECT_EQ(records.getChildren().size(), 255u);
    EXPECT_EQ(writeNode(records, v44s3), bytes.data);
}

TEST(ArrayOfBinarySequences, CountBeyondTheDataFailsBeforeCreatingRecords) {
    struct Case {
        const char* name;
        ByteVector bytes;
        bool wide;
    };
    const Case cases[] = {
        {"text16 count -1", Bytes().i16(-1).raw("abcdef").data, false},
        {"text32 count 4e9", Bytes().u32(4000000000u).raw("abcdef").data, true},
        {"text16 count one too many", Bytes().i16(4).raw("abc").data, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ByteInput in(c.bytes);
        in.raiseOnFailure();
        if (c.wide) {
            Text32 text;
            EXPECT_THROW(text.read(in, v44s3), StreamError);
            EXPECT_EQ(text.size(), 0u);
            EXPECT_EQ(in.position(), 4u);
        } else {
            Text16 text;
            EXPECT_THROW(text.read(in, v44s3), StreamError);
            EXPECT_EQ(text.size(), 0u);
            EXPECT_EQ(in.position(), 2u);
        }
    }
}

TEST(ArrayOfBinarySequences, AbsentArrayReadsAndWritesNothing) {
    ArrayOfBinarySequences<unsigned char, ThreeFieldRecord> records(FromVersion45);
    EXPECT_EQ(readNode(records, {3, 1, 2}, v44s3), 0u);
    EXPECT_TRUE(writeNode(records, v44s3).empty());
}

using MineLikeList = ArrayOfBinarySequencesWithVariableIntType<unsigned char, unsigned int, ThreeFieldRecord>;
using SignLikeList = ArrayOfBinarySequencesWithVariableIntType<char, unsigned char, ElemBinarySequence<unsigned char>>;

TEST(ArrayWithVariableCountType, CountWidensFromOneByteToFourBytes) {
    Bytes records;
    for (int i = 0; i < 5; ++i) records.u32(i).u8(1).u16(2);
    ByteVector source = Bytes().u8(5).append(records).data;
    MineLikeList mines(FromVersion44Sub3);
    EXPECT_EQ(readNode(mines, source, v44s2), source.size());
    EXPECT_EQ(writeNode(mines, v44s3), Bytes().u32(5).append(records).data);
    EXPECT_EQ(writeNode(mines, v44s2), source);
}

TEST(ArrayWithVariableCountType, SignedCountBeforeVersion44) {
    ByteVector bytes(201, 7);
    bytes[0] = 200;
    SignLikeList at44(FromVersion44);
    EXPECT_EQ(readNode(at44, bytes, v44s3), 201u);
    EXPECT_EQ(at44.getChildren().size(), 200u);

    // The same byte is -56 before 44: 4,294,967,240 records asked for.
    SignLikeList at42(FromVersion44);
    EXPECT_THROW(readNode(at42, bytes, v42), StreamError);
    EXPECT_TRUE(at42.getChildren().empty());
}

TEST(ArrayOfElemBinarySequences, CountThenOneRawBlock) {
    ArrayOfElemBinarySequences<unsigned char, unsigned short[2]> pairs;
    ByteVector bytes = Bytes().u8(3).u16(1).u16(2).u16(3).u16(4).u16(5).u16(6).data;
    EXPECT_EQ(readNode(pairs, bytes, v42), 13u);
    EXPECT_EQ(writeNode(pairs, v44s3), bytes);

    expectRoundTrip<ArrayOfElemBinarySequences<unsigned short, unsigned int>>(Bytes().u16(2).u32(9).u32(10).data);
    expectRoundTrip<ArrayOfElemBinarySequences<unsigned int, char[5]>>(Bytes().u32(1).raw("abcde").data);
    expectRoundTrip<ArrayOfElemBinarySequences<unsigned char, unsigned char>>({0});
}

TEST(ArrayOfElemBinarySequences, NegativeSignedCountHasNoElementsAndIsKept) {
    ArrayOfElemBinarySequences<signed char, int[7]> items;
    EXPECT_EQ(readNode(items, {0xFF, 1, 2, 3}, v42), 1u);
    EXPECT_TRUE(items.elements.empty());
    EXPECT_EQ(writeNode(items, v44s3), ByteVector{0xFF});

    ArrayOfElemBinarySequences<short, int> ints;
    EXPECT_EQ(readNode(ints, Bytes().i16(-3).data, v42), 2u);
    EXPECT_EQ(writeNode(ints, v42), Bytes().i16(-3).data);
}

TEST(ArrayOfElemBinarySequences, BlockBeyondTheDataFailsBeforeAllocating) {
    ArrayOfElemBinarySequences<unsigned short, int[4]> items;
    ByteVector bytes = Bytes().u16(0xFFFF).fill(40, 0).data;
    ByteInput in(bytes);
    in.raiseOnFailure();
    EXPECT_THROW(items.read(in, v44s3), StreamError);
    EXPECT_TRUE(items.elements.empty());
}

TEST(SvgVersionInfo, WritesTheTargetVersionWhateverWasRead) {
    struct Case {
        SvgVersion source;
        ByteVector sourceBytes;
        SvgVersion target;
        ByteVector targetBytes;
    };
    const Case cases[] = {
        {v42, Bytes().u32(42).data, v44s3, Bytes().u32(44).u32(3).data},
        {v44s2, Bytes().u32(44).u32(2).data, v45s3, Bytes().u32(45).u32(7).u32(3).data},
        {version(45, 2, 9), Bytes().u32(45).u32(9).u32(2).data, version(45, 3, 9), Bytes().u32(45).u32(9).u32(3).data},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(versionName(c.source) + " to " + versionName(c.target));
        SvgVersionInfo info;
        EXPECT_EQ(readNode(info, c.sourceBytes, c.source), c.sourceBytes.size());
        EXPECT_EQ(info.svg_version.value, c.source.svg_version);
        EXPECT_EQ(writeNode(info, c.target), c.targetBytes);
    }
}

TEST(Predicates, TruthTable) {
    struct Case {
        SvgVersion v;
        bool from44, from45, from44sub2, from44sub3, only2, only3, fromSub3;
    };
    const Case cases[] = {
        {v42, false, false, false, false, false, false, false},
        {version(42, 3), false, false, false, false, false, true, true},
        {v44s2, true, false, true, false, true, false, false},
        {v44s3, true, false, true, true, false, true, true},
        {version(45, 2, 7), true, true, true, false, true, false, false},
        {v45s3, true, true, true, true, false, true, true},
        {version(46, 1), true, true, false, false, false, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(versionName(c.v));
        EXPECT_TRUE(AlwaysPresent(c.v));
        EXPECT_EQ(FromVersion44(c.v), c.from44);
        EXPECT_EQ(FromVersion45(c.v), c.from45);
        EXPECT_EQ(FromVersion44Sub2(c.v), c.from44sub2);
        EXPECT_EQ(FromVersion44Sub3(c.v), c.from44sub3);
        EXPECT_EQ(OnlySubversion2(c.v), c.only2);
        EXPECT_EQ(OnlySubversion3(c.v), c.only3);
        EXPECT_EQ(FromSubversion3(c.v), c.fromSub3);
    }
}

TEST(SvgVersion, FormatLevel) {
    EXPECT_EQ(v42.formatLevel, 3u);
    EXPECT_EQ(version(42, 3).formatLevel, 3u);
    EXPECT_EQ(v44s2.formatLevel, 11u);
    EXPECT_EQ(version(45, 2).formatLevel, 11u);
    EXPECT_EQ(v44s3.formatLevel, 12u);
    EXPECT_EQ(version(44, 1).formatLevel, 10u);
    EXPECT_EQ(version(45, releases::firstUnknownSubversion()).formatLevel, 10u);
    EXPECT_EQ(SvgVersion().formatLevel, 3u);
}

TEST(ReadVersionHeader, HeaderLengthDependsOnTheVersion) {
    struct Case {
        ByteVector bytes;
        std::uint32_t v, sub, hw, level;
        std::size_t consumed;
    };
    const Case cases[] = {
        {signature("Q7SVG").u32(42).u32(99).data, 42, 0, 0, 3, 12},
        {signature("Q7SVC").u32(44).u32(3).u32(99).data, 44, 3, 0, 12, 16},
        {signature("Q7SVG").u32(45).u32(7).u32(2).u32(99).data, 45, 2, 7, 11, 20},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("version " + std::to_string(c.v));
        ByteInput in(c.bytes);
        SvgVersion v;
        readVersionHeader(in, v);
        EXPECT_EQ(v.svg_version, c.v);
        EXPECT_EQ(v.svg_subversion, c.sub);
        EXPECT_EQ(v.svg_hw_subversion, c.hw);
        EXPECT_EQ(v.formatLevel, c.level);
        EXPECT_EQ(in.position(), c.consumed);
    }
}

TEST(ReadVersionHeader, ShortDataIsNotAFailureAndKeepsFormerBytes) {
    ByteVector ten = {'Q', '7', 'S', 'V', 'G', 0, 0, 0, 0x2C, 0x01};
    ByteInput in(ten);
    SvgVersion v;
    v.svg_version = 0xAABBCCDD;
    readVersionHeader(in, v);
    EXPECT_EQ(v.svg_version, 0xAABB012Cu);
    EXPECT_TRUE(in.failed());

    ByteVector eight = {'Q', '7', 'S', 'V', 'G', 0, 0, 0};
    ByteInput only(eight);
    SvgVersion fresh;
    readVersionHeader(only, fresh);
    EXPECT_EQ(fresh.svg_version, 0u);
}

}  // namespace
