// A folder of the walk that cannot be listed fails the run that reports through its exit status,
// while the rest of the tree is converted; the dialogue passes over it silently. A path longer
// than the system takes cannot be opened even by root, so the test holds under any user.

#include <gtest/gtest.h>

#include <climits>
#include <filesystem>
#include <string>
#include <vector>

#include <fcntl.h>
#include <unistd.h>

#include "savegen/SaveBuilder.h"
#include "tests/support/TempTree.h"
#include "tests/support/system/System.h"

namespace fs = std::filesystem;

namespace {

constexpr int RunTimeoutMs = 20000;
constexpr std::size_t PathLimit = PATH_MAX;

// Folders nested below `parent` through descriptors, as deep as it takes for their path, given
// from `shownParent`, to pass PATH_MAX; a save at the bottom. Removed the same way.
class DeepFolders {
public:
    DeepFolders(const fs::path& parent, const std::string& shownParent) {
        descriptors_.push_back(::open(parent.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
        std::string shown = shownParent;
        while (shown.size() < PathLimit + Name.size()) {
            if (::mkdirat(descriptors_.back(), Name.c_str(), 0755) != 0) return;
            descriptors_.push_back(::openat(descriptors_.back(), Name.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
            shown += "/" + Name;
            if (firstTooLong.empty() && shown.size() >= PathLimit) firstTooLong = shown;
        }
        const std::vector<unsigned char> save = makeSaveFile(SaveFamily::Brevin44Sub2, true, 2);
        const int file = ::openat(descriptors_.back(), "deep.GM1", O_WRONLY | O_CREAT | O_CLOEXEC, 0644);
        complete = file >= 0 && ::write(file, save.data(), save.size()) == static_cast<ssize_t>(save.size());
        if (file >= 0) ::close(file);
    }
    ~DeepFolders() {
        ::unlinkat(descriptors_.back(), "deep.GM1", 0);
        for (std::size_t level = descriptors_.size() - 1; level > 0; --level) {
            ::close(descriptors_[level]);
            ::unlinkat(descriptors_[level - 1], Name.c_str(), AT_REMOVEDIR);
        }
        ::close(descriptors_[0]);
    }
    DeepFolders(const DeepFolders&) = delete;
    DeepFolders& operator=(const DeepFolders&) = delete;

    bool complete = false;
    std::string firstTooLong;  // the shallowest folder whose path the system refuses, as shown

private:
    const std::string Name = std::string(250, 'd');
    std::vector<int> descriptors_;
};

// The text without its blanks and line breaks: what was printed, however the lines were wrapped.
std::string unwrapped(const std::string& text) {
    std::string result;
    for (char c : text)
        if (c != ' ' && c != '\n') result += c;
    return result;
}

TEST(UnlistableFolder, FailsARunWithPathsWhetherMetOrNamedAndStaysSilentInTheDialogue) {
    TempTree tree;
    tree.write("games/a.GM1", makeSaveFile(SaveFamily::Brevin44Sub2, true, 1));
    tree.makeDirectory("work");
    DeepFolders deep(tree.root() / "games", "../games");
    ASSERT_TRUE(deep.complete);

    const ProgramRun scripted =
        runProgram(CONVERTER_EXECUTABLE, tree.root() / "work", "", RunTimeoutMs, {"--no-pause", "../games"});
    ASSERT_FALSE(scripted.timedOut);
    const std::string output = unwrapped(scripted.output);
    EXPECT_NE(output.find(unwrapped(deep.firstTooLong + ": error (cannot list folder)")), std::string::npos)
        << scripted.output.substr(0, 2000);
    EXPECT_NE(output.find("../games/a.GM1:sucessfullyconvertedto:../games/a(converted).GM1"), std::string::npos);
    EXPECT_EQ(output.find("deep.GM1"), std::string::npos);
    EXPECT_NE(output.find("1converted,1failed,0skipped,0alreadycurrent"), std::string::npos);
    EXPECT_EQ(scripted.exitCode, 1);

    // Named itself, it is no file to pass over by its name.
    const ProgramRun named =
        runProgram(CONVERTER_EXECUTABLE, tree.root() / "work", "", RunTimeoutMs, {"--no-pause", deep.firstTooLong});
    ASSERT_FALSE(named.timedOut);
    EXPECT_NE(unwrapped(named.output).find(unwrapped(deep.firstTooLong + ": error (cannot list folder)")),
              std::string::npos)
        << named.output.substr(0, 2000);
    EXPECT_NE(unwrapped(named.output).find("0converted,1failed,0skipped,0alreadycurrent"), std::string::npos);
    EXPECT_EQ(named.exitCode, 1);

    const ProgramRun dialogue = runProgram(CONVERTER_EXECUTABLE, tree.root() / "work", "y\n", RunTimeoutMs);
    ASSERT_FALSE(dialogue.timedOut);
    EXPECT_EQ(dialogue.output.find("cannot list folder"), std::string::npos);
    EXPECT_NE(unwrapped(dialogue.output).find("../games/a.GM1:sucessfullyconvertedto:"), std::string::npos);
    EXPECT_EQ(dialogue.exitCode, 0);
}

}  // namespace
