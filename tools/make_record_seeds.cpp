// Writes the seeds of the record_convert fuzz target: records cut out of generated saves, each with
// the head that names it (fuzz/RecordPick.h): for every kind of record, the first record of that
// kind in each family whose files hold it. A seed is named after its record and its family, and
// the generator's saves of a family stay the same bytes when releases are added, so running the
// tool again after a new release adds the new records' and families' seeds and rewrites none.
//
//   make-record-seeds <folder>

#include <cctype>
#include <cstdio>
#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <typeinfo>
#include <utility>
#include <vector>

#include "engine/Q7Svg_impl.h"
#include "fuzz/RecordPick.h"
#include "savegen/FileBytes.h"
#include "savegen/SaveBuilder.h"

namespace {

constexpr std::size_t maxInputBytes = 16384;  // tools/run-fuzz.sh's -max_len

BinarySequence& nodeAt(Q7Svg_impl& engine, const RecordPath& path) {
    BinarySequence& top = *engine.getChildren()[path.top];
    return path.child == static_cast<std::size_t>(-1) ? top : *top.getChildren()[path.child];
}

// The record's name as a portable file name: letters, digits and '_' kept, '/' as '.', the rest
// as '_'.
std::string fileNameOf(const std::string& record, SaveFamily family) {
    std::string name;
    for (char c : record)
        name += std::isalnum(static_cast<unsigned char>(c)) || c == '_' ? c : c == '/' ? '.' : c == '#' ? '-' : '_';
    return name + "-" + nameOf(family);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2 || argv[1][0] == '-') {  // "--help" is no folder to fill
        std::fprintf(stderr, "usage: make-record-seeds <folder>\n");
        return 2;
    }
    const std::filesystem::path folder = argv[1];
    std::filesystem::create_directories(folder);
    std::set<std::pair<std::string, SaveFamily>> taken;  // kinds of record, with the family cut from
    std::set<std::string> names;
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
                if (!node.isPresent(version) || taken.count({typeid(node).name(), family}) != 0) continue;
                std::vector<unsigned char> input =
                    recordHead(record, version, content.basicParameters.mapSize, content.basicParameters.twoLevels != 0);
                ByteOutput out;
                node.write(out, version);
                input.insert(input.end(), out.bytes().begin(), out.bytes().end());
                if (input.size() > maxInputBytes) continue;
                taken.insert({typeid(node).name(), family});
                const std::string name = fileNameOf(recordPaths()[record].name, family);
                if (!names.insert(name).second) {
                    std::fprintf(stderr, "two records make the seed name %s\n", name.c_str());
                    return 1;
                }
                writeFileBytes((folder / name).string(), input);
                ++files;
                bytes += input.size();
            }
        }
    std::printf("%zu seeds, %zu bytes\n", files, bytes);
    return 0;
}
