// A converted copy is kept only when it reads back: a writer put out of step with the reader
// through the write seam fails its file in the run, with the engine's reason, and leaves nothing.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <sstream>
#include <string>
#include <typeinfo>
#include <vector>

#include "driver/Console.h"
#include "driver/ConversionRun.h"
#include "engine/Q7Svg_impl.h"
#include "engine/WriteSeam.h"
#include "savegen/SaveBuilder.h"
#include "schema/MapWorld.h"
#include "schema_core/ArrayOfElemBinarySequences.h"
#include "schema_core/FixedLengthArrayOfElemBinarySequences.h"
#include "tests/support/ScreenText.h"
#include "tests/support/TempTree.h"

namespace fs = std::filesystem;

namespace {

// The root's record of type Record, counted as the engine's messages count records.
template <class Record>
std::size_t recordOf() {
    Q7Svg_impl engine;
    const auto& records = engine.getChildren();
    for (std::size_t i = 0; i < records.size(); ++i)
        if (typeid(*records[i]) == typeid(Record)) return i;
    ADD_FAILURE() << "no record " << typeid(Record).name();
    return 0;
}

const std::size_t fiveByteArray = recordOf<ArrayOfElemBinarySequences<unsigned int, char[5]>>();
const std::size_t nameRecord = recordOf<SvgMapPreSmth2>();
const std::size_t fixedArray = recordOf<FixedLengthArrayOfElemBinarySequences<unsigned char>>();

std::size_t startOf(std::size_t record, const std::vector<std::size_t>& ends) { return record == 0 ? 0 : ends[record - 1]; }

void countOneHigher(std::vector<unsigned char>& body, const std::vector<std::size_t>& ends) {
    unsigned char* count = body.data() + startOf(fiveByteArray, ends);
    for (int i = 0; i < 4 && ++count[i] == 0; ++i) {
    }
}
void nameChanged(std::vector<unsigned char>& body, const std::vector<std::size_t>& ends) {
    body[startOf(nameRecord, ends)] ^= 0x20;
}
void cutInsideFixedArray(std::vector<unsigned char>& body, const std::vector<std::size_t>& ends) {
    body.resize(ends[fixedArray] - 1);
}
void memberDamaged(std::vector<unsigned char>& member) { member[member.size() / 2] ^= 0xFF; }

struct FaultCase {
    const char* name;
    bool gzip;
    write_seam::Faults faults;
    std::string reason;  // the engine's message after the quoted output name
};

TEST(ConvertedCopyCheck, AWriterOutOfStepWithTheReaderFailsItsFileAndWritesNothing) {
    const std::vector<FaultCase> cases = {
        {"count one higher than its entries", false, {countOneHigher, nullptr},
         " : record " + std::to_string(fiveByteArray) + " of the converted game state reads back to byte "},
        {"saved name not the one written", true, {nameChanged, nullptr},
         " : record " + std::to_string(nameRecord) + " of the converted game state writes back differently"},
        {"body ends inside a record", false, {cutInsideFixedArray, nullptr},
         " : the converted game state does not read back (record " + std::to_string(fixedArray) + ")"},
        {"member does not inflate to the body", true, {nullptr, memberDamaged},
         " : the compressed copy does not inflate back to the converted game state"},
    };
    for (const FaultCase& c : cases) {
        SCOPED_TRACE(c.name);
        TempTree tree;
        tree.write("games/a.GM1", makeSaveFile(SaveFamily::Brevin44Sub2, c.gzip, 3));
        const std::string games = (tree.root() / "games").string();
        RunSettings settings;
        settings.roots = {games};
        settings.rootsChosen = true;
        settings.scripted = true;
        settings.answerYes = true;
        settings.pause = false;
        settings.verbose = true;
        std::istringstream in;
        std::ostringstream out;
        Console console(in, out, false);
        FacadeEngine engine;
        write_seam::faults() = c.faults;
        const int exitCode = runConversion(console, engine, settings);
        write_seam::faults() = {};

        EXPECT_EQ(exitCode, ExitFileFailed);
        const std::string output = collapsed(out.str());
        EXPECT_NE(output.find("a.GM1: failed (error writing converted file)"), std::string::npos) << output;
        const std::string message = "Error while writting \"" + games + "/a(converted).GM1\"" + c.reason;
        EXPECT_NE(engine.failureDetail().find(message), std::string::npos) << engine.failureDetail();
        std::vector<std::string> left;
        for (const auto& entry : fs::directory_iterator(games)) left.push_back(entry.path().filename().string());
        EXPECT_EQ(left, std::vector<std::string>{"a.GM1"});
    }
}

}  // namespace
