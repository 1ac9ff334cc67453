#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "driver/SaveWalk.h"
#include "tests/support/TempTree.h"
#include "tests/support/system/System.h"

namespace fs = std::filesystem;

namespace {

TEST(SaveNames, RulesSearchTheWholePathFromItsStart) {
    struct Case {
        std::string path;
        bool save, ownOutput, campaign;
    };
    const std::vector<Case> cases = {
        {"x.GM1", true, false, false},
        {"x.GMa", true, false, false},
        {"x.CGM", true, false, true},
        {"../games/x.CGM", true, false, true},
        {"x.gm1", false, false, false},
        {"x.GM", false, false, false},
        {"x.GM12", false, false, false},
        {"x.cgm", false, false, false},
        {"../games/y.GMz/x.GM1", false, false, false},  // the first ".GM" is the directory's
        {"../games/old.GM1/a.GM1", false, false, false},
        {"../games/c.CGM/a.CGM", false, false, false},  // the first ".CGM" is the folder's
        {"x(converted).GM1", true, true, false},
        {"x(converted)1.GM1", true, false, false},
        {"(converted)/x(converted).GM1", true, false, false},
        {"x(converted).CGM", true, true, true},
        {".GM1", true, false, false},
        {"", false, false, false},
        {"GM", false, false, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(isSaveName(c.path), c.save) << c.path;
        EXPECT_EQ(isOwnOutput(c.path), c.ownOutput) << c.path;
        EXPECT_EQ(isCampaignName(c.path), c.campaign) << c.path;
    }
}

TEST(SaveNames, OutputNamePutsTheMarkBeforeTheExtension) {
    EXPECT_EQ(outputName("../games/x.GM1"), "../games/x(converted).GM1");
    EXPECT_EQ(outputName("../games/x.CGM"), "../games/x(converted).CGM");
    EXPECT_EQ(outputName("../games/a b/.GMz"), "../games/a b/(converted).GMz");
}

TEST(SaveWalk, ListsFilesOfADirectoryBeforeItsSubdirectoriesDepthFirst) {
    TempTree tree;
    for (const char* file : {"games/b.GM1", "games/a.GM1", "games/notes.txt", "games/s/c.GM2", "games/s/t/d.GM3",
                             "games/s/t/e.GM4", "games/s/z.GM5", "games/u/f.CGM", "games/.hidden.GM1"})
        tree.write(file, "x");
    tree.makeDirectory("games/empty");
    tree.makeDirectory("games/dir.GM1");

    std::vector<std::string> expected{"kept"};
    for (const std::string& path : walkOrderOf(tree.root() / "games", tree.root().string() + "/games"))
        expected.push_back(path);
    std::vector<std::string> walked{"kept"};  // appended to, never cleared
    ASSERT_EQ(collectFiles(walked, tree.root().string() + "/games"), platform::FolderListing::Listed);
    EXPECT_EQ(walked, expected);
    EXPECT_EQ(walked.size(), 10u);

    // Whatever the enumeration order, the files of a directory precede its subdirectories' files.
    const std::string games = tree.root().string() + "/games/";
    std::size_t lastTopFile = 0, firstNested = walked.size();
    for (std::size_t i = 1; i < walked.size(); ++i) {
        const bool nested = walked[i].find('/', games.size()) != std::string::npos;
        if (nested) firstNested = std::min(firstNested, i);
        else lastTopFile = i;
    }
    EXPECT_LT(lastTopFile, firstNested);
}

TEST(SaveWalk, ReportsAMissingDirectoryAndAcceptsAnEmptyOne) {
    TempTree tree;
    std::vector<std::string> walked{"kept"};
    EXPECT_EQ(collectFiles(walked, (tree.root() / "missing").string()), platform::FolderListing::NotAFolder);
    EXPECT_EQ(collectFiles(walked, tree.write("file.GM1", "x").string()), platform::FolderListing::NotAFolder);
    tree.makeDirectory("games");
    EXPECT_EQ(collectFiles(walked, (tree.root() / "games").string()), platform::FolderListing::Listed);
    EXPECT_EQ(walked, std::vector<std::string>{"kept"});
}

// Folders as a stand-in lister shows them; a path it does not hold is no folder.
struct StandInFolder {
    platform::FolderListing listing;
    std::vector<platform::FolderEntry> entries;
};
std::map<std::string, StandInFolder> standInFolders;

platform::FolderListing listStandIn(const std::string& path, std::vector<platform::FolderEntry>& entries) {
    const auto found = standInFolders.find(path);
    if (found == standInFolders.end()) return platform::FolderListing::NotAFolder;
    if (found->second.listing != platform::FolderListing::CannotList)
        entries.insert(entries.end(), found->second.entries.begin(), found->second.entries.end());
    return found->second.listing;
}

// Every folder that cannot be listed fully is recorded where it stands in the walk, and what
// could be listed of it is walked all the same.
TEST(SaveWalk, FoldersThatCannotBeListedFullyAreRecordedInWalkOrder) {
    using platform::EntryKind;
    using platform::FolderListing;
    struct Case {
        const char* name;
        std::map<std::string, StandInFolder> folders;
        FolderListing result;
        std::vector<std::string> files;
        std::vector<std::pair<std::string, std::size_t>> unlisted;
    };
    const std::vector<Case> cases = {
        {"subfolders refused, cut short and gone",
         {{"r", {FolderListing::Listed, {{"a.GM1", EntryKind::RegularFile}, {"s", EntryKind::Folder},
                                         {"t", EntryKind::Folder}, {"u", EntryKind::Folder}, {"b.GM1", EntryKind::Other}}}},
          {"r/s", {FolderListing::CannotList, {}}},
          {"r/t", {FolderListing::PartlyListed, {{"c.GM1", EntryKind::RegularFile}, {"v", EntryKind::Folder}}}},
          {"r/t/v", {FolderListing::Listed, {{"d.GM1", EntryKind::RegularFile}}}}},
         FolderListing::Listed,
         {"r/a.GM1", "r/b.GM1", "r/t/c.GM1", "r/t/v/d.GM1"},
         {{"r/s", 2}, {"r/t", 2}}},
        {"the folder itself refused", {{"r", {FolderListing::CannotList, {}}}}, FolderListing::CannotList, {}, {{"r", 0}}},
        {"the folder itself cut short",
         {{"r", {FolderListing::PartlyListed, {{"s", EntryKind::Folder}, {"x.GM1", EntryKind::RegularFile}}}},
          {"r/s", {FolderListing::Listed, {{"y.GM2", EntryKind::RegularFile}}}}},
         FolderListing::PartlyListed,
         {"r/x.GM1", "r/s/y.GM2"},
         {{"r", 0}}},
        {"no folder", {}, FolderListing::NotAFolder, {}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        standInFolders = c.folders;
        std::vector<std::string> files;
        std::vector<UnlistedFolder> unlisted;
        EXPECT_EQ(collectFiles(files, "r", &unlisted, listStandIn), c.result);
        EXPECT_EQ(files, c.files);
        std::vector<std::pair<std::string, std::size_t>> recorded;
        for (const UnlistedFolder& folder : unlisted) recorded.emplace_back(folder.path, folder.filesBefore);
        EXPECT_EQ(recorded, c.unlisted);
        // Without a record, the same files.
        std::vector<std::string> unrecorded;
        EXPECT_EQ(collectFiles(unrecorded, "r", nullptr, listStandIn), c.result);
        EXPECT_EQ(unrecorded, c.files);
    }
    standInFolders.clear();
}

TEST(SaveWalk, LinksAndSpecialFilesAreListedNotEntered) {
    if (!hasPosixFileFacilities()) GTEST_SKIP() << PosixOnlyReason;
    TempTree tree;
    tree.write("games/real/a.GM1", "x");
    fs::create_directory_symlink("../games", tree.root() / "games/real/loop");  // would loop if followed
    fs::create_directory_symlink("real", tree.root() / "games/link.GM1");
    fs::create_symlink("nowhere", tree.root() / "games/dangling.GM2");
    ASSERT_TRUE(makeFifo(tree.root() / "games/pipe.GM3"));

    std::vector<std::string> walked;
    const std::string games = tree.root().string() + "/games";
    ASSERT_EQ(collectFiles(walked, games), platform::FolderListing::Listed);
    std::sort(walked.begin(), walked.end());
    EXPECT_EQ(walked, (std::vector<std::string>{games + "/dangling.GM2", games + "/link.GM1", games + "/pipe.GM3",
                                                games + "/real/a.GM1", games + "/real/loop"}));
}

}  // namespace
