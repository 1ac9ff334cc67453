// Writes the seeds of the record_convert fuzz target: records cut out of generated saves of every
// family, each with the head that picks it (fuzz/RecordPick.h), a few per kind of record.
//
//   make-record-seeds <folder>

#include <cstdio>
#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <typeinfo>
#include <vector>

#include "engine/Q7Svg_impl.h"
#include "fuzz/RecordPick.h"
#include "savegen/FileBytes.h"
#include "savegen/SaveBuilder.h"

namespace {

constexpr std::size_t maxInputBytes = 16384;  // tools/run-fuzz.sh's -max_len
constexpr int seedsPerKind = 3;

BinarySequence& nodeAt(Q7Svg_impl& engine, const RecordPath& path) {
    BinarySequence& top = *engine.getChildren()[path.top];
    return path.child == static_cast<std::size_t>(-1) ? top : *top.getChildren()[path.child];
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2 || argv[1][0] == '-') {  // "--help" is no folder to fill
        std::fprintf(stderr, "usage: make-record-seeds <folder>\n");
        return 2;
    }
    const std::filesystem::path folder = argv[1];
    std::filesystem::create_directories(folder);
    std::map<std::string, std::set<SaveFamily>> taken;  // per kind of record, the families it was cut from
    std::set<std::vector<unsigned char>> written;
    std::size_t files = 0, bytes = 0;
    for (std::uint64_t seed = 1; seed <= 2; ++seed)
        for (SaveFamily family : kAllSaveFamilies) {
            Rng rng(seed);
            const GameStateContent content = randomGameState(family, rng);
            const SvgVersion version = versionOf(family);
            const Bytes body = encodeGameState(content, version);
            Q7Svg_impl engine;
            ByteInput in(body.data);
            in.raiseOnFailure();
            engine.read(in, version);
            for (std::size_t record = 0; record < recordPaths().size(); ++record) {
                BinarySequence& node = nodeAt(engine, recordPaths()[record]);
                std::set<SaveFamily>& families = taken[typeid(node).name()];
                if (!node.isPresent(version) || families.size() >= seedsPerKind || families.count(family) != 0) continue;
                std::vector<unsigned char> input =
                    recordHead(record, version, content.basicParameters.mapSize, content.basicParameters.twoLevels != 0);
                ByteOutput out;
                node.write(out, version);
                input.insert(input.end(), out.bytes().begin(), out.bytes().end());
                if (input.size() > maxInputBytes || !written.insert(input).second) continue;
                families.insert(family);
                writeFileBytes((folder / ("r" + std::to_string(record) + "-" + nameOf(family))).string(), input);
                ++files;
                bytes += input.size();
            }
        }
    std::printf("%zu seeds, %zu bytes\n", files, bytes);
    return 0;
}
