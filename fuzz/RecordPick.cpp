#include "fuzz/RecordPick.h"

#include "savegen/SaveBuilder.h"
#include "savegen/SaveFamilies.h"
#include "schema/ScenarioHeader.h"

namespace {

constexpr std::size_t none = static_cast<std::size_t>(-1);
// A record holding more than this many records from construction on is too dear to build for
// every input and too large for a record-sized one: the hero table, built with its 156 heroes of
// about 1 KB each, is left to the whole-save targets.
constexpr std::size_t cheapChildren = 64;

bool isCheap(const BinarySequence& record) { return record.getChildren().size() <= cheapChildren; }

std::vector<RecordPath> collectPaths() {
    Q7Svg_impl engine;
    std::vector<RecordPath> paths;
    const auto& top = engine.getChildren();
    for (std::size_t i = 0; i < top.size(); ++i)
        if (isCheap(*top[i])) paths.push_back({i, none});
    for (std::size_t i = 0; i < top.size(); ++i)
        if (isCheap(*top[i]))
            for (std::size_t j = 0; j < top[i]->getChildren().size(); ++j) paths.push_back({i, j});
    return paths;
}

// A family's place in the generator's list, and for a later edition its hw subversion on top.
std::uint32_t familyCode(const SvgVersion& v) {
    std::uint32_t index = 0;
    while (index + 1 < kSaveFamilyCount && (kSaveFamilyRows[index].svgVersion != v.svg_version ||
                                            kSaveFamilyRows[index].svgSubversion != v.svg_subversion))
        ++index;
    return index + kSaveFamilyCount * (v.isBrevinHw() ? v.svg_hw_subversion : 0);
}

}  // namespace

const std::vector<RecordPath>& recordPaths() {
    static const std::vector<RecordPath> paths = collectPaths();
    return paths;
}

bool pickRecord(const std::uint8_t* data, std::size_t size, RecordPick& pick) {
    if (size < RecordPick::headBytes) return false;
    pick.record = (static_cast<std::size_t>(data[0]) | static_cast<std::size_t>(data[1]) << 8) % recordPaths().size();
    pick.source = versionOf(kAllSaveFamilies[data[2] % kSaveFamilyCount], data[2] / kSaveFamilyCount);
    pick.mapSize = data[3];
    pick.twoLevels = data[4] & 1;
    pick.bytes = data + RecordPick::headBytes;
    pick.size = size - RecordPick::headBytes;
    return true;
}

std::vector<std::uint8_t> recordHead(std::size_t record, const SvgVersion& source, std::uint32_t mapSize, bool twoLevels) {
    return {static_cast<std::uint8_t>(record), static_cast<std::uint8_t>(record >> 8),
            static_cast<std::uint8_t>(familyCode(source)), static_cast<std::uint8_t>(mapSize),
            static_cast<std::uint8_t>(twoLevels ? 1 : 0)};
}

Q7Svg_impl::OneRecord pickedRecord(const RecordPick& pick) { return {recordPaths()[pick.record].top}; }

BinarySequence& pickedNode(Q7Svg_impl& engine, const RecordPick& pick) {
    // The map records hold references to these two values of the basic parameters, as they
    // would be after reading them; the nodes are the engine's own and not const.
    auto& basic = static_cast<SVG_BASIC_PARAMETERS&>(*engine.getChildren()[0]);
    const_cast<unsigned int&>(basic.mapSize()) = pick.mapSize;
    const_cast<unsigned char&>(basic.twoLevels()) = pick.twoLevels;
    const RecordPath& path = recordPaths()[pick.record];
    BinarySequence& top = *engine.getChildren().back();
    return path.child == none ? top : *top.getChildren()[path.child];
}
