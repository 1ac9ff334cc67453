#include <gtest/gtest.h>

#include <type_traits>

#include "driver/Q7Svg.h"
#include "engine/Q7Svg_impl.h"
#include "savegen/SaveBuilder.h"
#include "tests/support/RecordIo.h"
#include "tests/support/Releases.h"
#include "tests/support/ScratchDir.h"

namespace {

std::vector<unsigned char> header(std::uint32_t version, std::vector<std::uint32_t> more = {}) {
    Bytes b;
    b.raw(std::string("Q7SVG\0\0\0", 8)).u32(version);
    for (std::uint32_t v : more) b.u32(v);
    b.fill(8, 0xAA);  // data beyond the header must not be read
    return b.data;
}

TEST(Facade, LibraryVersionAndOwnership) {
    EXPECT_STREQ(Q7Svg::libraryVersion(), "1.00");
    EXPECT_FALSE(std::is_copy_constructible_v<Q7Svg>);
    EXPECT_FALSE(std::is_copy_assignable_v<Q7Svg>);
    Q7Svg facade;
    EXPECT_FALSE(facade.hasError());
    EXPECT_EQ(facade.engine().sourceKind, 0u);
    EXPECT_EQ(facade.engine().errorCode, 0u);
}

TEST(Facade, ClassifiesHeadersAndConsumesOnlyTheHeader) {
    struct Case { const char* name; std::vector<unsigned char> bytes; SavefileClass expected; std::size_t consumed; };
    const std::uint32_t current = releases::currentSubversion();
    const Case cases[] = {
        {"42", header(42, {9, 9}), SavefileClass::OstrelSave, 12},
        {"44/2", header(44, {2}), SavefileClass::OlderBrevinSave, 16},
        {"44/current", header(44, {current}), SavefileClass::CurrentBrevinSave, 16},
        {"45 hw 7 /2", header(45, {7, 2}), SavefileClass::OlderBrevinSave, 20},
        {"45 hw 0 /current", header(45, {0, current}), SavefileClass::CurrentBrevinSave, 20},
        {"43", header(43, {2}), SavefileClass::Unrecognised, 12},
        {"44/1", header(44, {1}), SavefileClass::Unrecognised, 16},
        {"45/unknown", header(45, {7, releases::firstUnknownSubversion()}), SavefileClass::Unrecognised, 20},
        {"46/2", header(46, {0, 2}), SavefileClass::Unrecognised, 20},
    };
    for (const Case& c : cases) {
        ByteInput in(c.bytes);
        EXPECT_EQ(classifySavefile(in), c.expected) << c.name;
        EXPECT_EQ(in.position(), c.consumed) << c.name;
    }
}

TEST(Facade, ClassifiesShortDataAsUnrecognisedOrByThePartialValue) {
    std::vector<unsigned char> signatureOnly{'Q', '7', 'S', 'V', 'G', 0, 0, 0};
    ByteInput empty(signatureOnly);
    EXPECT_EQ(classifySavefile(empty), SavefileClass::Unrecognised);
    std::vector<unsigned char> nothing;
    ByteInput none(nothing);
    EXPECT_EQ(classifySavefile(none), SavefileClass::Unrecognised);
    // A version-44 header without its subversion: the missing member stays 0.
    std::vector<unsigned char> noSubversion{'Q', '7', 'S', 'V', 'G', 0, 0, 0, 44, 0, 0, 0};
    ByteInput cut(noSubversion);
    EXPECT_EQ(classifySavefile(cut), SavefileClass::Unrecognised);
    // Two bytes of svg_version that happen to read as 42.
    std::vector<unsigned char> partial{'Q', '7', 'S', 'V', 'G', 0, 0, 0, 42, 0};
    ByteInput half(partial);
    EXPECT_EQ(classifySavefile(half), SavefileClass::OstrelSave);
}

TEST(Facade, ClassifiesEveryFamilyOfBuiltSaves) {
    for (SaveFamily family : kAllSaveFamilies) {
        const SavefileClass expected = family == SaveFamily::Ostrel42 ? SavefileClass::OstrelSave
                                       : releases::isCurrent(family) ? SavefileClass::CurrentBrevinSave
                                                                     : SavefileClass::OlderBrevinSave;
        std::vector<unsigned char> file = makeSaveFile(family, false, 3);
        ByteInput in(file);
        EXPECT_EQ(classifySavefile(in), expected) << nameOf(family);
    }
}

TEST(Facade, TargetKeepsTheFamilyAndHwSubversion) {
    struct Case { SvgVersion source; std::uint32_t version, hw; };
    using record_io::version;
    const Case cases[] = {
        {version(44, 2, 0), 44, 0},
        {version(45, 2, 7), 45, 7},
        {version(42, 0, 0), 44, 0},
        {version(44, releases::currentSubversion(), 0), 44, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(record_io::versionName(c.source));
        SvgVersion target = Q7Svg::targetFor(c.source);
        EXPECT_EQ(target.svg_version, c.version);
        EXPECT_EQ(target.svg_subversion, releases::currentSubversion());
        EXPECT_EQ(target.svg_hw_subversion, c.hw);
        EXPECT_EQ(target.formatLevel, currentBrevinSubversion().formatLevel);
    }
}

// The generator's family of a release, or nullptr when it builds none.
const SaveFamily* familyOf(std::uint32_t svgVersion, std::uint32_t svgSubversion) {
    for (const SaveFamily& family : kAllSaveFamilies) {
        const SvgVersion v = versionOf(family);
        if (v.svg_version == svgVersion && v.svg_subversion == svgSubversion) return &family;
    }
    return nullptr;
}

// Each row of the release table, in both Brevin families: the generator builds its saves and
// reads its layout at the row's level; the save is classified as older, or as current for the
// last row; it loads at the row's level and converts to the last row, at that row's level.
TEST(Facade, EveryReleaseOfTheTableIsAcceptedClassifiedAndConverted) {
    const BrevinSubversion& current = currentBrevinSubversion();
    for (const BrevinSubversion& row : brevinSubversions) {
        for (std::uint32_t release : {SvgVersion::brevinRelease, SvgVersion::brevinHwRelease}) {
            SCOPED_TRACE(std::to_string(release) + "/" + std::to_string(row.number));
            const SaveFamily* family = familyOf(release, row.number);
            ASSERT_NE(family, nullptr) << "the generator builds no save of this release";
            EXPECT_EQ(versionOf(*family).formatLevel, row.formatLevel);

            ScratchDir dir;
            const std::vector<unsigned char> file = makeSaveFile(*family, false, row.number);
            ByteInput in(file);
            EXPECT_EQ(classifySavefile(in),
                      &row == &current ? SavefileClass::CurrentBrevinSave : SavefileClass::OlderBrevinSave);

            Q7Svg facade;
            facade.load(dir.put("a.GM1", file).c_str());
            ASSERT_FALSE(facade.hasError()) << facade.errorMessage();
            EXPECT_EQ(facade.engine().sourceVersion.formatLevel, row.formatLevel);
            const std::string output = dir.file("a(converted).GM1");
            facade.convertAndSave(output.c_str());
            ASSERT_FALSE(facade.hasError()) << facade.errorMessage();

            Q7Svg converted;
            converted.load(output.c_str());
            ASSERT_FALSE(converted.hasError()) << converted.errorMessage();
            EXPECT_EQ(converted.engine().sourceVersion.svg_version, release);
            EXPECT_EQ(converted.engine().sourceVersion.svg_subversion, current.number);
            EXPECT_EQ(converted.engine().sourceVersion.formatLevel, current.formatLevel);
            EXPECT_EQ(Q7Svg::targetFor(versionOf(*family)).formatLevel, current.formatLevel);
        }
    }
}

TEST(Facade, FailedLoadIsSeenThroughHasError) {
    ScratchDir dir;
    Q7Svg facade;
    facade.load(dir.file("missing.GM1").c_str());
    EXPECT_TRUE(facade.hasError());
    EXPECT_EQ(facade.engine().errorCode, 1u);
}

}  // namespace
