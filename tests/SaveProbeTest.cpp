#include <gtest/gtest.h>

#include <zlib.h>

#include <filesystem>
#include <string>
#include <vector>


#include "driver/SaveProbe.h"
#include "savegen/Bytes.h"
#include "savegen/Gzip.h"
#include "tests/support/TempTree.h"
#include "tests/support/system/System.h"

namespace fs = std::filesystem;

namespace {

std::vector<unsigned char> counting(std::size_t n) {
    std::vector<unsigned char> bytes(n);
    for (std::size_t i = 0; i < n; ++i) bytes[i] = static_cast<unsigned char>(i * 7 + 1);
    return bytes;
}

std::vector<unsigned char> prefix(const std::vector<unsigned char>& bytes, std::size_t n) {
    return {bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(std::min(n, bytes.size()))};
}

// A gzip member whose header carries a file name of `nameLength` bytes, so that its content
// starts beyond the first read chunk of the probe.
std::vector<unsigned char> gzipWithLongName(const std::vector<unsigned char>& content, std::size_t nameLength) {
    z_stream stream{};
    EXPECT_EQ(deflateInit2(&stream, Z_DEFAULT_COMPRESSION, Z_DEFLATED, 31, 8, Z_DEFAULT_STRATEGY), Z_OK);
    std::string name(nameLength, 'n');
    gz_header header{};
    header.name = reinterpret_cast<Bytef*>(name.data());
    header.os = 3;
    EXPECT_EQ(deflateSetHeader(&stream, &header), Z_OK);
    std::vector<unsigned char> out(deflateBound(&stream, content.size()) + nameLength + 64);
    stream.next_in = const_cast<Bytef*>(content.data());
    stream.avail_in = static_cast<uInt>(content.size());
    stream.next_out = out.data();
    stream.avail_out = static_cast<uInt>(out.size());
    EXPECT_EQ(deflate(&stream, Z_FINISH), Z_STREAM_END);
    out.resize(stream.total_out);
    deflateEnd(&stream);
    return out;
}

struct ProbeCase {
    const char* name;
    std::vector<unsigned char> file;
    SaveProbeStatus status;
    std::vector<unsigned char> content;
};

TEST(SaveProbe, ReadsTheStartOfTheContentOrNamesTheProblem) {
    const std::vector<unsigned char> raw = Bytes().raw(std::string("Q7SVG\0\0\0", 8)).u32(44).u32(2).raw(counting(100)).data;
    const std::vector<unsigned char> campaign = Bytes().raw(std::string("Q7SVC\0\0\0", 8)).u32(42).data;
    const std::vector<unsigned char> content = counting(5000);
    std::vector<unsigned char> damaged = gzipMember(content);
    for (std::size_t i = 10; i < damaged.size(); ++i) damaged[i] = 0xFF;  // the deflate data is garbage

    const std::vector<ProbeCase> cases = {
        {"raw save: its first 32 bytes", raw, SaveProbeStatus::ContentRead, prefix(raw, 32)},
        {"short raw save: what it has", campaign, SaveProbeStatus::ContentRead, campaign},
        {"8-byte raw save", prefix(raw, 8), SaveProbeStatus::ContentRead, prefix(raw, 8)},
        {"7 bytes", prefix(raw, 7), SaveProbeStatus::CannotReadFirstBytes, {}},
        {"empty file", {}, SaveProbeStatus::CannotReadFirstBytes, {}},
        {"unknown signature", Bytes().raw("Q7SVX and more").data, SaveProbeStatus::NoSignature, {}},
        {"gzip save: first 32 content bytes", gzipMember(content), SaveProbeStatus::ContentRead, prefix(content, 32)},
        {"gzip content of exactly 32 bytes", gzipMember(counting(32)), SaveProbeStatus::ContentRead, counting(32)},
        {"gzip content of 31 bytes", gzipMember(counting(31)), SaveProbeStatus::CannotUnzip, {}},
        {"gzip content starting after the first chunk", gzipWithLongName(content, 20000), SaveProbeStatus::ContentRead,
         prefix(content, 32)},
        {"damaged gzip", damaged, SaveProbeStatus::CannotUnzip, {}},
        {"gzip magic only", prefix(gzipMember(content), 9), SaveProbeStatus::CannotUnzip, {}},
    };
    TempTree tree;
    for (const ProbeCase& c : cases) {
        const fs::path path = tree.write("save.GM1", c.file);
        const SaveProbe probe = probeSaveFile(path.string());
        EXPECT_EQ(probe.status, c.status) << c.name;
        if (c.status == SaveProbeStatus::ContentRead) {
            EXPECT_EQ(probe.content, c.content) << c.name;
        }
        EXPECT_FALSE(probe.readError) << c.name;
    }
}

TEST(SaveProbe, OpensOnlyRegularFilesAfterFollowingLinks) {
    if (!hasPosixFileFacilities()) GTEST_SKIP() << PosixOnlyReason;
    TempTree tree;
    const std::vector<unsigned char> raw = Bytes().raw(std::string("Q7SVG\0\0\0", 8)).u32(45).u32(7).u32(2).data;
    tree.write("games/real.GM1", raw);
    tree.makeDirectory("games/folder");
    const fs::path games = tree.root() / "games";
    fs::create_symlink("real.GM1", games / "link.GM2");
    fs::create_symlink("folder", games / "dirlink.GM3");
    fs::create_symlink("missing", games / "dangling.GM4");
    ASSERT_TRUE(makeFifo(games / "pipe.GM5"));  // opening it for reading would block
    fs::create_symlink("pipe.GM5", games / "pipelink.GM6");

    const SaveProbe linked = probeSaveFile((games / "link.GM2").string());
    EXPECT_EQ(linked.status, SaveProbeStatus::ContentRead);
    EXPECT_EQ(linked.content, raw);
    for (const char* name : {"dirlink.GM3", "dangling.GM4", "pipe.GM5", "pipelink.GM6", "absent.GM7", "folder"})
        EXPECT_EQ(probeSaveFile((games / name).string()).status, SaveProbeStatus::CannotOpen) << name;
}

}  // namespace
