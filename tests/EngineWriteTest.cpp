// Writing: target checks in their order, the nothing-loaded refusal, output naming, gzip and
// raw output, and the atomic replacement of the output file.

#include <gtest/gtest.h>

#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <algorithm>
#include <filesystem>

#include "engine/Q7Svg_impl.h"
#include "tests/support/Gzip.h"
#include "tests/support/SaveBuilder.h"
#include "tests/support/ScratchDir.h"

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
        EXPECT_EQ(ScratchDir::contents(existing), oldContent);
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
    std::vector<unsigned char> written = ScratchDir::contents(output);
    ASSERT_GE(written.size(), 18u);
    // Magic, deflate method, no flags, modification time 0.
    EXPECT_EQ(std::vector<unsigned char>(written.begin(), written.begin() + 8),
              (std::vector<unsigned char>{0x1F, 0x8B, 8, 0, 0, 0, 0, 0}));
    EXPECT_EQ(gunzipMember(written), encodeGameState(loaded.content, triple(44, 3)).data);
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
    content.hdModeData.resize(1 << 20);
    for (auto& b : content.hdModeData) b = static_cast<unsigned char>(rng.next());
    Bytes body = encodeGameState(content, versionOf(SaveFamily::Brevin44Sub2));
    Q7Svg_impl engine;
    engine.load(dir.put("noise.GM1", gzipMember(body.data)));
    ASSERT_EQ(engine.errorCode, 0u);
    engine.convertAndSave(triple(44, 3), true, dir.file("noise(converted).GM1"));
    ASSERT_EQ(engine.errorCode, 0u);
    std::vector<unsigned char> written = ScratchDir::contents(dir.file("noise(converted).GM1"));
    EXPECT_GT(written.size(), body.size());
    EXPECT_EQ(gunzipMember(written), encodeGameState(content, triple(44, 3)).data);
}

// Lowers the file-size limit so that writing more than `bytes` fails, for one scope.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        previousHandler_ = ::signal(SIGXFSZ, SIG_IGN);
        ::getrlimit(RLIMIT_FSIZE, &previous_);
        rlimit lowered = previous_;
        lowered.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &lowered);
    }
    ~FileSizeLimit() {
        ::setrlimit(RLIMIT_FSIZE, &previous_);
        ::signal(SIGXFSZ, previousHandler_);
    }

private:
    rlimit previous_{};
    void (*previousHandler_)(int);
};

TEST(EngineWrite, FailingWriteLeavesNoFileAndTheOldOutputUntouched) {
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
    EXPECT_EQ(ScratchDir::contents(existing), oldContent);
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
    ScratchDir dir;
    LoadedEngine loaded(dir, SaveFamily::Brevin45Sub2, false);
    std::string target = dir.put("elsewhere.dat", oldContent);
    std::string output = dir.file("out.GM1");
    fs::create_symlink(target, output);
    loaded.engine.convertAndSave(triple(45, 3, 7), false, output);
    ASSERT_EQ(loaded.engine.errorCode, 0u) << loaded.engine.errorMessage;
    EXPECT_FALSE(fs::is_symlink(output));
    EXPECT_EQ(ScratchDir::contents(output), encodeGameState(loaded.content, triple(45, 3, 7)).data);
    EXPECT_EQ(ScratchDir::contents(target), oldContent);
}

TEST(EngineWrite, OutputGetsTheUsualPermissionsOfANewFile) {
    ScratchDir dir;
    LoadedEngine loaded(dir, SaveFamily::Brevin44Sub2, false);
    for (mode_t mask : {mode_t{022}, mode_t{027}, mode_t{077}}) {
        mode_t previous = ::umask(mask);
        std::string output = dir.file("perm.GM1");
        loaded.engine.convertAndSave(triple(44, 3), false, output);
        ::umask(previous);
        ASSERT_EQ(loaded.engine.errorCode, 0u);
        struct stat info {};
        ASSERT_EQ(::stat(output.c_str(), &info), 0);
        EXPECT_EQ(info.st_mode & 0777, 0666 & ~mask) << std::oct << mask;
    }
}

}  // namespace
