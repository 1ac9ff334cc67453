#include <gtest/gtest.h>

#include "engine/VersionPolicy.h"
#include "tests/support/RecordIo.h"
#include "tests/support/Releases.h"

namespace {

using record_io::version;

TEST(VersionPolicy, AcceptedSourceVersions) {
    struct Case { std::uint32_t version, subversion, hw; bool accepted; };
    const std::uint32_t unknown = releases::firstUnknownSubversion();
    const Case cases[] = {
        {42, 0, 0, true},  {42, 7, 9, true},   {42, 0xFFFFFFFF, 3, true},
        {44, 2, 0, true},  {44, 3, 0, true},   {45, 2, 7, true},  {45, 3, 0, true},
        {44, 0, 0, false}, {44, 1, 0, false},  {45, 1, 0, false},
        {44, unknown, 0, false}, {45, unknown, 0, false},
        {43, 2, 0, false}, {43, 0, 0, false},  {46, 2, 0, false}, {46, 3, 0, false}, {41, 0, 0, false},
        {0, 0, 0, false},  {0xFFFFFFFF, 3, 0, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(isAcceptedSourceVersion(version(c.version, c.subversion, c.hw)), c.accepted)
            << c.version << "/" << c.subversion << "/" << c.hw;
}

TEST(VersionPolicy, OlderThan) {
    struct Case { SvgVersion target, source; bool older; };
    const Case cases[] = {
        {version(44, 2), version(45, 3), true},
        {version(44, 3), version(45, 3), false},  // only the subversions are compared
        {version(45, 3), version(44, 2), false},
        {version(44, 3), version(42, 0), false},
        {version(45, 2), version(45, 3, 7), true},
        {version(42, 0), version(44, 2), true},
        {version(42, 0), version(42, 0), false},
        {version(42, 5), version(42, 0), false},
        {version(44, 3, 0), version(45, 3, 9), false},  // hw subversion is not compared
    };
    for (const Case& c : cases)
        EXPECT_EQ(isOlderThan(c.target, c.source), c.older)
            << c.target.svg_version << "/" << c.target.svg_subversion << " vs " << c.source.svg_version << "/"
            << c.source.svg_subversion;
}

TEST(VersionPolicy, MessagesListTheTriples) {
    EXPECT_EQ(unknownTargetMessage(version(46, 1, 4)),
              "Error : asked for conversion to unknown savefile version\n"
              "svg_version asked for is 46\n"
              "svg_subversion asked for is 1\n"
              "svg_hw_subversion asked for is 4\n");
    EXPECT_EQ(olderTargetMessage(version(44, 2, 0), version(45, 3, 4000000000u)),
              "Error : asked for conversion to a version older than source version\n"
              "source svg_version is 45\n"
              "source svg_subversion is 3\n"
              "source svg_hw_subversion is 4000000000\n"
              "svg_version asked for is 44\n"
              "svg_subversion asked for is 2\n"
              "svg_hw_subversion asked for is 0\n");
}

}  // namespace
