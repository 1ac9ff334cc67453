// Writing: target checks in their order, the nothing-loaded refusal, output naming, gzip and
// raw output, and the atomic replacement of the output file.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "engine/Q7Svg_impl.h"
#include "savegen/Gzip.h"
#include "savegen/SaveBuilder.h"
#include "tests/support/ScratchDir.h"
#include "tests/support/system/System.h"

namespace {

namespace fs = std::filesystem;

SvgVersion triple(std::uint32_t version, std::uint32_t subversion, std::uint32_t hw = 0) {
    SvgVersion v;
    v.svg_version = version;
    v.svg_subversion = subversion;
    v.svg_hw_subversion = hw;
    v.formatLevel = 12;
    return v;
}

const std::vector<unsigned char> oldContent{'o', 'l', 'd'};

// An engine loaded from a built save of the family.
struct LoadedEngine {
    LoadedEngine(const ScratchDir& dir, SaveFamily family, bool gzip, std::uint64_t seed = 1) {
        Rng rng(seed);
        content = randomGameState(family, rng);
        Bytes body = encodeGameState(content, versionOf(family));
        engine.load(dir.put("source.GM1", gzip ? gzipMember(body.data) : body.data));
        EXPECT_EQ(engine.errorCode, 0u) << engine.errorMessage;
    }
    // The body a conversion to `target` named outputBaseName must write.
    std::vector<unsigned char> expectedBody(const SvgVersion& target, const std::string& outputBaseName) const {
        return encodeGameState(convertedContent(content, engine.sourceVersion, target, outputBaseName), target).data;
    }
    GameStateContent content;
    Q7Svg_impl engine;
};

TEST(EngineWrite, NothingLoadedIsRefusedWithoutCreatingTheFile) {
    ScratchDir dir;
    Q7Svg_impl engine;
    engine.convertAndSave(triple(44, 3), false, dir.file("out.GM1"));
    EXPECT_EQ(engine.errorCode, 8u);
    EXPECT_EQ(engine.errorMessage, "Error : trying to write save file but no data has been loaded yet");
    EXPECT_FALSE(fs::exists(dir.file("out.GM1")));
    EXPECT_EQ(engine.outputBaseName, "out.GM1");
}

TEST(EngineWrite, TargetChecksComeFirstAndTouchNoFile) {
    ScratchDir dir;
    std::string existing = dir.put("out.GM1", oldContent);
    struct Case { SvgVersion target; bool loaded; std::uint32_t code; std::string message; };
    const Case cases[] = {
        {triple(46, 3, 2), false, 4,
         "Error : asked for conversion to unknown savefile version\nsvg_version asked for is 46\n"
         "svg_subversion asked for is 3\nsvg_hw_subversion asked for is 2\n"},
        {triple(44, 1), true, 4,
         "Error : asked for conversion to unknown savefile version\nsvg_version asked for is 44\n"
         "svg_subversion asked for is 1\nsvg_hw_subversion asked for is 0\n"},
        {triple(44, 2), true, 9,
         "Error : asked for conversion to a version older than source version\nsource svg_version is 45\n"
         "source svg_subversion is 3\nsource svg_hw_subversion is 7\nsvg_version asked for is 44\n"
         "svg_subversion asked for is 2\nsvg_hw_subversion asked for is 0\n"},
        {triple(42, 0), true, 9,
         "Error : asked for conversion to a version older than source version\nsource svg_version is 45\n"
         "source svg_subversion is 3\nsource svg_hw_subversion is 7\nsvg_version asked for is 42\n"
         "svg_subversion asked for is 0\nsvg_hw_subversion asked for is 0\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        std::unique_ptr<LoadedEngine> loaded;
        Q7Svg_impl fresh;
        Q7Svg_impl* engine = &fresh;
        if (c.loaded) {
            loaded = std::make_unique<LoadedEngine>(dir, SaveFamily::Brevin45Sub3, false);
            engine = &loaded->engine;
        }
        engine->convertAndSave(c.target, true, existing);
        EXPECT_EQ(engine->errorCode, c.code);
        EXPECT_EQ(engine->errorMessage, c.message);
        EXPECT_EQ(readFileBytes(existing), oldContent);
    }
}

TEST(EngineWrite, OutputBaseNameFollowsTheLastSeparatorOfEitherKind) {
    const std::pair<std::string, std::string> cases[] = {
        {"name(converted).GM1", "name(converted).GM1"},
        {"../games/camp/a(converted).GM1", "a(converted).GM1"},
        {"dir\\sub/x.GM2", "x.GM2"},
        {"dir/sub\\y.GM3", "y.GM3"},
        {"trailing/", ""},
    };
    for (const auto& [path, expected] : cases) {
        Q7Svg_impl engine;
        engine.convertAndSave(triple(44, 3), false, path);  // nothing loaded: fails, name still stored
        EXPECT_EQ(engine.outputBaseName, expected) << path;
    }
}

TEST(EngineWrite, OutputInAMissingDirectoryCannotBeOpened) {
    ScratchDir dir;
    LoadedEngine loaded(dir, SaveFamily::Brevin44Sub2, false);
    std::string output = dir.file("no/such/dir/out.GM1");
    loaded.engine.convertAndSave(triple(44, 3), false, output);
    EXPECT_EQ(loaded.engine.errorCode, 1u);
    EXPECT_EQ(loaded.engine.errorMessage, "Error : cannot open \"" + output + "\" for writting\n");
}

TEST(EngineWrite, GzipOutputIsOneMemberWithTheDefaultHeader) {
    ScratchDir dir;
    LoadedEngine loaded(dir, SaveFamily::Brevin44Sub2, true);
    std::string output = dir.file("out.GM1");
    loaded.engine.convertAndSave(triple(44, 3), true, output);
    ASSERT_EQ(loaded.engine.errorCode, 0u) << loaded.engine.errorMessage;
    EXPECT_EQ(loaded.engine.errorMessage, "");
    std::vector<unsigned char> written = readFileBytes(output);
    ASSERT_GE(written.size(), 18u);
    // Magic, deflate method, no flags, modification time 0, no extra flags at the default
    // level, and the system byte of Unix on every system, so that every build writes the same.
    EXPECT_EQ(std::vector<unsigned char>(written.begin(), written.begin() + 10),
              (std::vector<unsigned char>{0x1F, 0x8B, 8, 0, 0, 0, 0, 0, 0, 3}));
    EXPECT_EQ(gunzipMember(written), loaded.expectedBody(triple(44, 3), "out.GM1"));
    std::vector<std::string> entries = dir.entries();
    std::sort(entries.begin(), entries.end());
    EXPECT_EQ(entries, (std::vector<std::string>{"out.GM1", "source.GM1"}));  // no temporary left
    // The source's state is unchanged by the write.
    EXPECT_EQ(loaded.engine.sourceKind, 1u);
    EXPECT_EQ(loaded.engine.sourceVersion.svg_subversion, 2u);
}

TEST(EngineWrite, IncompressibleContentIsCompressedCompletely) {
    ScratchDir dir;
    Rng rng(17);
    GameStateContent content = randomGameState(SaveFamily::Brevin44Sub2, rng);
    content.hdModeData.bytes.resize(1 << 20);
    for (auto& b : content.hdModeData.bytes) b = static_cast<unsigned char>(rng.next());
    Bytes body = encodeGameState(content, versionOf(SaveFamily::Brevin44Sub2));
    Q7Svg_impl engine;
    engine.load(dir.put("noise.GM1", gzipMember(body.data)));
    ASSERT_EQ(engine.errorCode, 0u);
    engine.convertAndSave(triple(44, 3), true, dir.file("noise(converted).GM1"));
    ASSERT_EQ(engine.errorCode, 0u);
    std::vector<unsigned char> written = readFileBytes(dir.file("noise(converted).GM1"));
    // The noise cannot be compressed, so a complete stream is at least that large.
    EXPECT_GT(written.size(), content.hdModeData.bytes.size());
    SvgVersion source = versionOf(SaveFamily::Brevin44Sub2);
    EXPECT_EQ(gunzipMember(written),
              encodeGameState(convertedContent(content, source, triple(44, 3), "noise(converted).GM1"), triple(44, 3)).data);
}

TEST(EngineWrite, FailingWriteLeavesNoFileAndTheOldOutputUntouched) {
    if (!hasPosixFileFacilities()) GTEST_SKIP() << PosixOnlyReason;
    ScratchDir dir;
    LoadedEngine loaded(dir, SaveFamily::Brevin44Sub2, false);
    std::string existing = dir.put("old.GM1", oldContent);
    std::string fresh = dir.file("fresh.GM1");
    {
        FileSizeLimit limit(64);
        loaded.engine.convertAndSave(triple(44, 3), false, existing);
        EXPECT_EQ(loaded.engine.errorCode, 1u);
        EXPECT_EQ(loaded.engine.errorMessage.rfind("Error while writting \"" + existing + "\" : ", 0), 0u)
            << loaded.engine.errorMessage;
        loaded.engine.convertAndSave(triple(44, 3), true, fresh);
        EXPECT_EQ(loaded.engine.errorCode, 1u);
    }
    EXPECT_EQ(readFileBytes(existing), oldContent);
    EXPECT_FALSE(fs::exists(fresh));
    std::vector<std::string> entries = dir.entries();
    std::sort(entries.begin(), entries.end());
    EXPECT_EQ(entries, (std::vector<std::string>{"old.GM1", "source.GM1"}));
}

TEST(EngineWrite, OutputNameThatIsADirectoryFailsAndLeavesNoTemporary) {
    ScratchDir dir;
    LoadedEngine loaded(dir, SaveFamily::Brevin44Sub2, false);
    fs::create_directory(dir.file("taken.GM1"));
    loaded.engine.convertAndSave(triple(44, 3), false, dir.file("taken.GM1"));
    EXPECT_EQ(loaded.engine.errorCode, 1u);
    EXPECT_TRUE(fs::is_directory(dir.file("taken.GM1")));
    EXPECT_EQ(dir.entries().size(), 2u);
}

TEST(EngineWrite, SymbolicLinkAtTheOutputIsReplacedNotFollowed) {
    if (!hasPosixFileFacilities()) GTEST_SKIP() << "symbolic links are made freely only on POSIX systems";
    ScratchDir dir;
    LoadedEngine loaded(dir, SaveFamily::Brevin45Sub2, false);
    std::string target = dir.put("elsewhere.dat", oldContent);
    std::string output = dir.file("out.GM1");
    fs::create_symlink(target, output);
    loaded.engine.convertAndSave(triple(45, 3, 7), false, output);
    ASSERT_EQ(loaded.engine.errorCode, 0u) << loaded.engine.errorMessage;
    EXPECT_FALSE(fs::is_symlink(output));
    EXPECT_EQ(readFileBytes(output), loaded.expectedBody(triple(45, 3, 7), "out.GM1"));
    EXPECT_EQ(readFileBytes(target), oldContent);
}

TEST(EngineWrite, OutputGetsTheUsualPermissionsOfANewFile) {
    if (!hasPosixFileFacilities()) GTEST_SKIP() << PosixOnlyReason;
    ScratchDir dir;
    LoadedEngine loaded(dir, SaveFamily::Brevin44Sub2, false);
    for (unsigned mask : {022u, 027u, 077u}) {
        SCOPED_TRACE(testing::Message() << "umask 0" << std::oct << mask);
        unsigned previous = setCreationMask(mask);
        std::string output = dir.file("perm.GM1");
        loaded.engine.convertAndSave(triple(44, 3), false, output);
        setCreationMask(previous);
        ASSERT_EQ(loaded.engine.errorCode, 0u);
        EXPECT_EQ(permissionsOf(output) & 0777, 0666 & ~mask) << std::oct << mask;
    }
}

}  // namespace
