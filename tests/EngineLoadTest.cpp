// Loading: container checks, gzip decoding and its sound refusals, version acceptance and the
// corrupted-file outcome, each with its code, exact message and resulting engine state.

#include <gtest/gtest.h>
#include <zlib.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <vector>

#include "driver/ConversionEngine.h"
#include "driver/SaveWalk.h"
#include "engine/EngineMessages.h"
#include "platform/Platform.h"
#include "engine/Q7Svg_impl.h"
#include "savegen/Gzip.h"
#include "savegen/SaveBuilder.h"
#include "tests/support/Releases.h"
#include "tests/support/ScratchDir.h"
#include "tests/support/system/System.h"

namespace {

std::string inQuotes(const std::string& path) { return "\"" + path + "\""; }

SvgVersion target44Sub3() {
    SvgVersion v;
    v.svg_version = 44;
    v.svg_subversion = 3;
    v.formatLevel = 12;
    return v;
}

struct Outcome {
    std::uint32_t code;
    std::uint32_t sourceKind;
    std::string message;
};

Outcome loadFile(const std::string& path) {
    Q7Svg_impl engine;
    engine.load(path);
    return {engine.errorCode, engine.sourceKind, engine.errorMessage};
}

std::vector<unsigned char> body(SaveFamily family, std::uint64_t seed = 1) {
    Rng rng(seed);
    return encodeGameState(randomGameState(family, rng), versionOf(family)).data;
}

// One gzip member of `prefix` followed by zero bytes up to `total` bytes, deflated in pieces so
// the content is never held whole.
std::vector<unsigned char> gzipOfPrefixAndZeros(const std::vector<unsigned char>& prefix, std::size_t total) {
    z_stream stream{};
    EXPECT_EQ(deflateInit2(&stream, Z_DEFAULT_COMPRESSION, Z_DEFLATED, 31, 8, Z_DEFAULT_STRATEGY), Z_OK);
    std::vector<unsigned char> zeros(1 << 20, 0), out, chunk(1 << 16);
    auto pump = [&](const unsigned char* data, std::size_t n, int flush) {
        stream.next_in = const_cast<Bytef*>(data);
        stream.avail_in = static_cast<uInt>(n);
        int result;
        do {
            stream.next_out = chunk.data();
            stream.avail_out = static_cast<uInt>(chunk.size());
            result = deflate(&stream, flush);
            out.insert(out.end(), chunk.begin(), chunk.end() - stream.avail_out);
        } while (stream.avail_out == 0 || (flush == Z_FINISH && result != Z_STREAM_END));
    };
    pump(prefix.data(), prefix.size(), Z_NO_FLUSH);
    for (std::size_t done = prefix.size(); done < total;) {
        std::size_t n = std::min(zeros.size(), total - done);
        done += n;
        pump(zeros.data(), n, done == total ? Z_FINISH : Z_NO_FLUSH);
    }
    deflateEnd(&stream);
    return out;
}

TEST(EngineLoad, FreshEngineState) {
    Q7Svg_impl engine;
    EXPECT_EQ(engine.sourceVersion.svg_version, 0u);
    EXPECT_EQ(engine.sourceVersion.svg_subversion, 0u);
    EXPECT_EQ(engine.sourceVersion.svg_hw_subversion, 0u);
    EXPECT_EQ(engine.sourceVersion.formatLevel, 3u);
    EXPECT_EQ(engine.sourceKind, 0u);
    EXPECT_EQ(engine.errorCode, 0u);
    EXPECT_EQ(engine.errorMessage, "");
    EXPECT_EQ(engine.outputBaseName, "");
}

TEST(EngineLoad, SuccessfulLoadsOfBothContainers) {
    ScratchDir dir;
    for (bool gzip : {false, true}) {
        SCOPED_TRACE(gzip ? "gzip" : "raw");
        Q7Svg_impl engine;
        engine.load(dir.put("ok.GM1", makeSaveFile(SaveFamily::Brevin45Sub2, gzip, 5)));
        EXPECT_EQ(engine.errorCode, 0u);
        EXPECT_EQ(engine.errorMessage, "");
        EXPECT_EQ(engine.sourceKind, gzip ? 1u : 2u);
        EXPECT_EQ(engine.sourceVersion.svg_version, 45u);
        EXPECT_EQ(engine.sourceVersion.svg_subversion, 2u);
        EXPECT_EQ(engine.sourceVersion.svg_hw_subversion, 7u);
        EXPECT_EQ(engine.sourceVersion.formatLevel, 11u);
    }
}

TEST(EngineLoad, ContainerFailures) {
    ScratchDir dir;
    std::string missing = dir.file("missing.GM1");
    std::string seven = dir.put("seven.GM1", {'Q', '7', 'S', 'V', 'G', 0, 0});
    std::string empty = dir.put("empty.GM1", {});
    std::string zip = dir.put("zip.GM1", {0x50, 0x4B, 0x03, 0x04, 0x14, 0x00, 0x08, 0x8B});
    std::string lower = dir.put("lower.GM1", {'q', '7', 's', 'v', 'g', 0, 0, 0, 44, 0, 0, 0, 2, 0, 0, 0});
    struct Case { std::string path; std::uint32_t code; std::string message; };
    std::vector<Case> cases = {
        {missing, 1, "Error : cannot open file " + inQuotes(missing) + " for reading\n"},
        {dir.path().string(), 1, "Error : cannot open file " + inQuotes(dir.path().string()) + " for reading\n"},
        {seven, 2, "Error : file " + inQuotes(seven) + " is less than 8 bytes long !\n"},
        {empty, 2, "Error : file " + inQuotes(empty) + " is less than 8 bytes long !\n"},
        {zip, 3, "Error while reading " + inQuotes(zip) +
                     " : unknown file signature\nfirst characters of file are :0x50 0x4b 0x3 0x4 0x14 0x0 0x8 0xffffff8b \n"},
        {lower, 3, "Error while reading " + inQuotes(lower) +
                       " : unknown file signature\nfirst characters of file are :0x71 0x37 0x73 0x76 0x67 0x0 0x0 0x0 \n"},
    };
    // Opening a FIFO would block until a writer came; it is refused without being opened.
    const std::string fifo = dir.file("pipe.GM1");
    if (hasPosixFileFacilities()) {
        ASSERT_TRUE(makeFifo(fifo));
        cases.push_back({fifo, 1, "Error : cannot open file " + inQuotes(fifo) + " for reading\n"});
    }
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        Outcome outcome = loadFile(c.path);
        EXPECT_EQ(outcome.code, c.code) << c.path;
        EXPECT_EQ(outcome.message, c.message);
        EXPECT_EQ(outcome.sourceKind, 0u);
    }
}

TEST(EngineLoad, UnsupportedVersionsAreRefusedWithTheirTriple) {
    ScratchDir dir;
    struct Case { std::vector<unsigned char> content; std::string lines; };
    const std::uint32_t unknown = releases::firstUnknownSubversion();
    Bytes v43, v44sub1, v45unknown, eightBytes;
    v43.raw(std::string("Q7SVG\0\0\0", 8)).u32(43).fill(40, 0);
    v44sub1.raw(std::string("Q7SVC\1\2\3", 8)).u32(44).u32(1).fill(40, 0);
    v45unknown.raw(std::string("Q7SVG\0\0\0", 8)).u32(45).u32(9).u32(unknown).fill(40, 0);
    eightBytes.raw(std::string("Q7SVG\0\0\0", 8));
    const Case cases[] = {
        {v43.data, "svg_version is 43\nsvg_subversion is 0\nsvg_hw_subversion is 0\n"},
        {v44sub1.data, "svg_version is 44\nsvg_subversion is 1\nsvg_hw_subversion is 0\n"},
        {v45unknown.data, "svg_version is 45\nsvg_subversion is " + std::to_string(unknown) + "\nsvg_hw_subversion is 9\n"},
        {eightBytes.data, "svg_version is 0\nsvg_subversion is 0\nsvg_hw_subversion is 0\n"},
    };
    for (const Case& c : cases) {
        for (bool gzip : {false, true}) {
            SCOPED_TRACE(std::string(gzip ? "gzip, " : "raw, ") + c.lines);
            std::string path = dir.put("v.GM1", gzip ? gzipMember(c.content) : c.content);
            Outcome outcome = loadFile(path);
            EXPECT_EQ(outcome.code, 4u);
            EXPECT_EQ(outcome.message, "Error while reading " + inQuotes(path) + " : unsupported savefile version\n" + c.lines);
            EXPECT_EQ(outcome.sourceKind, gzip ? 1u : 2u);
        }
    }
}

TEST(EngineLoad, BodyEndingInsideARecordIsCorrupted) {
    ScratchDir dir;
    std::vector<unsigned char> full = body(SaveFamily::Brevin44Sub2);
    for (std::size_t cut : {std::size_t{20}, std::size_t{100}, full.size() - 60}) {
        std::vector<unsigned char> content(full.begin(), full.begin() + static_cast<std::ptrdiff_t>(cut));
        for (bool gzip : {false, true}) {
            SCOPED_TRACE("cut at " + std::to_string(cut) + (gzip ? ", gzip" : ", raw"));
            std::string path = dir.put("cut.GM1", gzip ? gzipMember(content) : content);
            Q7Svg_impl engine;
            engine.load(path);
            EXPECT_EQ(engine.errorCode, 7u) << "cut at " << cut;
            EXPECT_EQ(engine.errorMessage, "Error while reading " + inQuotes(path) + " : corrupted file\n");
            EXPECT_EQ(engine.sourceKind, 0u);
            // Nothing of a partly read tree is ever written.
            engine.convertAndSave(target44Sub3(), false, dir.file("out.GM1"));
            EXPECT_EQ(engine.errorCode, 8u);
            EXPECT_FALSE(std::filesystem::exists(dir.file("out.GM1")));
        }
    }
}

TEST(EngineLoad, ShortVersionFieldWhosePartialValueIsAcceptedIsCorrupted) {
    ScratchDir dir;
    std::string path = dir.put("short.GM1", {'Q', '7', 'S', 'V', 'G', 0, 0, 0, 42, 0});
    Outcome outcome = loadFile(path);
    EXPECT_EQ(outcome.code, 7u);
    EXPECT_EQ(outcome.message, "Error while reading " + inQuotes(path) + " : corrupted file\n");
    EXPECT_EQ(outcome.sourceKind, 0u);
}

TEST(EngineLoad, BothSignaturesLoadAlike) {
    ScratchDir dir;
    std::vector<unsigned char> g = body(SaveFamily::Ostrel42, 4);
    std::vector<unsigned char> c = g;
    g[4] = 'G';
    c[4] = 'C';
    for (const auto& content : {g, c}) {
        SCOPED_TRACE(std::string("signature Q7SV") + static_cast<char>(content[4]));
        Q7Svg_impl engine;
        engine.load(dir.put("sig.GM1", content));
        EXPECT_EQ(engine.errorCode, 0u) << engine.errorMessage;
        EXPECT_EQ(engine.sourceKind, 2u);
        engine.convertAndSave(target44Sub3(), false, dir.file("sig(converted).GM1"));
        std::vector<unsigned char> written = readFileBytes(dir.file("sig(converted).GM1"));
        ASSERT_GE(written.size(), 8u);
        EXPECT_EQ(std::vector<unsigned char>(written.begin(), written.begin() + 8),
                  std::vector<unsigned char>(content.begin(), content.begin() + 8));
    }
}

TEST(EngineLoad, AlteredTrailerSizeIsAMismatch) {
    ScratchDir dir;
    std::vector<unsigned char> content = body(SaveFamily::Brevin44Sub2);
    std::vector<unsigned char> member = gzipMember(content);
    member[member.size() - 4] ^= 0x01;
    std::uint32_t expected = static_cast<std::uint32_t>(content.size() ^ 0x01);
    std::string path = dir.put("size.GM1", member);
    Outcome outcome = loadFile(path);
    EXPECT_EQ(outcome.code, 6u);
    EXPECT_EQ(outcome.message, "Error while reading " + inQuotes(path) +
                                   " : the size of the unzipped file doesn't match the one indicated in the last 4 "
                                   "bytes of the gzip file\nUncompressed size is " +
                                   std::to_string(content.size()) + "\nexpected size was " + std::to_string(expected) + "\n");
    EXPECT_EQ(outcome.sourceKind, 0u);
}

TEST(EngineLoad, DataAfterTheFirstMemberIsIgnoredButTheLastFourBytesAreChecked) {
    ScratchDir dir;
    std::vector<unsigned char> content = body(SaveFamily::Brevin45Sub3);
    std::vector<unsigned char> member = gzipMember(content);
    std::vector<unsigned char> matching = member;
    Bytes sizeTail;
    sizeTail.raw(std::string("junk")).u32(static_cast<std::uint32_t>(content.size()));
    matching.insert(matching.end(), sizeTail.data.begin(), sizeTail.data.end());
    EXPECT_EQ(loadFile(dir.put("tail.GM1", matching)).code, 0u);

    std::vector<unsigned char> secondMember = member;
    std::vector<unsigned char> other = gzipMember({1, 2, 3});
    secondMember.insert(secondMember.end(), other.begin(), other.end());
    Outcome outcome = loadFile(dir.put("two.GM1", secondMember));
    EXPECT_EQ(outcome.code, 6u);
    EXPECT_NE(outcome.message.find("expected size was 3\n"), std::string::npos) << outcome.message;
}

TEST(EngineLoad, DamagedChecksumIsRefused) {
    ScratchDir dir;
    std::vector<unsigned char> member = gzipMember(body(SaveFamily::Brevin44Sub2));
    member[member.size() - 8] ^= 0xFF;  // first CRC-32 byte; the size still matches
    std::string path = dir.put("crc.GM1", member);
    Outcome outcome = loadFile(path);
    EXPECT_EQ(outcome.code, 6u);
    EXPECT_EQ(outcome.message, engine_messages::inflateDataError(path));
    EXPECT_EQ(outcome.message,
              "Error while reading " + inQuotes(path) + " : zlib function inflate produced error flag Z_DATA_ERROR\n");
    EXPECT_EQ(outcome.sourceKind, 0u);
}

TEST(EngineLoad, CutShortMemberIsRefusedEvenWhenItsLastBytesMatch) {
    ScratchDir dir;
    std::vector<unsigned char> member = gzipMember(body(SaveFamily::Brevin44Sub2));
    std::vector<unsigned char> half(member.begin(), member.begin() + static_cast<std::ptrdiff_t>(member.size() / 2));
    EXPECT_EQ(loadFile(dir.put("half.GM1", half)).code, 6u);

    // Stored (uncompressed) deflate data cut after 60 content bytes whose last four read as 60.
    std::vector<unsigned char> content = body(SaveFamily::Brevin44Sub2);
    content.resize(100);
    content[56] = 60;
    content[57] = content[58] = content[59] = 0;
    std::vector<unsigned char> stored = gzipMember(content, 0);
    const std::size_t gzipHeader = 10, storedBlockHeader = 5;
    stored.resize(gzipHeader + storedBlockHeader + 60);
    std::string path = dir.put("cut.GM1", stored);
    Outcome outcome = loadFile(path);
    EXPECT_EQ(outcome.code, 6u);
    EXPECT_EQ(outcome.message, "Error while reading " + inQuotes(path) +
                                   " : zlib function inflate did not reach the end of the gzip data\n");
    EXPECT_EQ(outcome.sourceKind, 0u);
}

TEST(EngineLoad, InflationPastTheBoundIsStopped) {
    ScratchDir dir;
    std::vector<unsigned char> head = body(SaveFamily::Brevin44Sub2);
    std::string path = dir.put("big.GM1", gzipOfPrefixAndZeros(head, Q7Svg_impl::maxContentBytes + 1));
    Outcome outcome = loadFile(path);
    EXPECT_EQ(outcome.code, 6u);
    EXPECT_EQ(outcome.message,
              "Error while reading " + inQuotes(path) + " : the unzipped file is larger than 134217728 bytes\n");
    EXPECT_EQ(outcome.sourceKind, 0u);
}

TEST(EngineLoad, RawFilePastTheBoundIsCorrupted) {
    ScratchDir dir;
    std::string path = dir.put("big.GM1", body(SaveFamily::Brevin44Sub2));
    std::filesystem::resize_file(path, Q7Svg_impl::maxContentBytes + 1);  // sparse: nothing is written
    Outcome outcome = loadFile(path);
    EXPECT_EQ(outcome.code, 7u);
    EXPECT_EQ(outcome.message, "Error while reading " + inQuotes(path) + " : corrupted file\n");
    EXPECT_EQ(outcome.sourceKind, 0u);
}

// The file a test changes in the middle of a load, and how.
std::filesystem::path fileToChange;
void (*changeFile)(const std::filesystem::path&) = nullptr;

// The game may be writing a save while it is read: rewriting it in place (same size, a later
// write time) or making it grow. Either way the load fails with the cause named, and no copy is
// written from what was read.
TEST(EngineLoad, ASaveThatChangesWhileItIsReadFails) {
    struct Case {
        const char* name;
        bool gzip;
        void (*change)(const std::filesystem::path&);
    };
    const Case cases[] = {
        {"raw, rewritten in place",
         false,
         [](const std::filesystem::path& path) {
             std::filesystem::last_write_time(path, std::filesystem::last_write_time(path) + std::chrono::seconds(2));
         }},
        {"gzip, grown", true,
         [](const std::filesystem::path& path) { std::ofstream(path, std::ios::binary | std::ios::app).put('\0'); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScratchDir dir;
        const std::string path = dir.put("a.GM1", makeSaveFile(SaveFamily::Brevin44Sub2, c.gzip, 3));
        fileToChange = path;
        changeFile = c.change;
        // Once, after the first read of the load.
        platform::InputFile::afterRead = [] {
            platform::InputFile::afterRead = nullptr;
            changeFile(fileToChange);
        };
        FacadeEngine engine;
        const ConversionOutcome outcome = engine.convert(path, outputName(path));
        platform::InputFile::afterRead = nullptr;
        EXPECT_EQ(outcome, ConversionOutcome::LoadFailed);
        EXPECT_EQ(engine.failureDetail(),
                  "Error while reading " + inQuotes(path) + " : the file changed while it was being read\n");
        EXPECT_FALSE(std::filesystem::exists(outputName(path)));
        EXPECT_EQ(dir.entries().size(), 1u);
    }
}

// These zlib failures cannot be provoked through the installed library; their texts are fixed.
TEST(EngineLoad, ZlibFailureTexts) {
    EXPECT_EQ(engine_messages::inflateInitFailed("a/b.GM1"),
              "Error while reading \"a/b.GM1\" : zlib function inflateInit2() failed\n");
    EXPECT_EQ(engine_messages::inflateErrorFlag("a/b.GM1"),
              "Error while reading \"a/b.GM1\" : zlib function inflate produced error flag Z_NEED_DICT or Z_MEM_ERROR\n");
    EXPECT_EQ(engine_messages::deflateInitFailed(), "Error in zlib : deflateInit2 failed\n");
}

}  // namespace
