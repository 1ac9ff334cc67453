#include "fuzz/RecordPick.h"

#include <cxxabi.h>

#include <cstdlib>
#include <cstring>
#include <map>
#include <typeinfo>

#include "engine/VersionPolicy.h"
#include "savegen/SaveBuilder.h"
#include "savegen/SaveFamilies.h"
#include "schema/ScenarioHeader.h"

namespace {

constexpr std::size_t none = static_cast<std::size_t>(-1);
// A record holding more than this many records from construction on is too dear to build for
// every input and too large for a record-sized one: the hero table, built with its 156 heroes of
// about 1 KB each, is left to the whole-save targets.
constexpr std::size_t cheapChildren = 64;
constexpr std::size_t tripleBytes = 12;
constexpr std::size_t tailBytes = tripleBytes + 2;  // the triple, the map size and its level flag

bool isCheap(const BinarySequence& record) { return record.getChildren().size() <= cheapChildren; }

std::string classOf(const BinarySequence& node) {
    const char* mangled = typeid(node).name();
    int status = 0;
    char* readable = abi::__cxa_demangle(mangled, nullptr, nullptr, &status);
    std::string name = status == 0 && readable != nullptr ? readable : mangled;
    std::free(readable);
    return name;
}

// The names of a record's children: each one's class, numbered among the earlier siblings of the
// same class, so that a field added after them, or of another class, renames none.
std::vector<std::string> childNames(const BinarySequence& parent) {
    std::map<std::string, std::size_t> seen;
    std::vector<std::string> names;
    for (const auto& child : parent.getChildren()) {
        const std::string name = classOf(*child);
        const std::size_t earlier = seen[name]++;
        names.push_back(earlier == 0 ? name : name + "#" + std::to_string(earlier));
    }
    return names;
}

std::vector<RecordPath> collectPaths() {
    Q7Svg_impl engine;
    std::vector<RecordPath> paths;
    const auto& top = engine.getChildren();
    const std::vector<std::string> topNames = childNames(engine);
    for (std::size_t i = 0; i < top.size(); ++i)
        if (isCheap(*top[i])) paths.push_back({i, none, topNames[i]});
    for (std::size_t i = 0; i < top.size(); ++i) {
        if (!isCheap(*top[i])) continue;
        const std::vector<std::string> names = childNames(*top[i]);
        for (std::size_t j = 0; j < names.size(); ++j) paths.push_back({i, j, topNames[i] + "/" + names[j]});
    }
    return paths;
}

std::uint32_t fnv1a(const std::uint8_t* data, std::size_t size) {
    std::uint32_t hash = 2166136261u;
    for (std::size_t i = 0; i < size; ++i) hash = (hash ^ data[i]) * 16777619u;
    return hash;
}

// The record a name names, or one picked by its bytes when it names none.
std::size_t recordNamed(const std::uint8_t* name, std::size_t length, bool& named) {
    static const std::map<std::string, std::size_t> byName = [] {
        std::map<std::string, std::size_t> index;
        for (std::size_t i = 0; i < recordPaths().size(); ++i) index.emplace(recordPaths()[i].name, i);
        return index;
    }();
    const auto found = byName.find(std::string(reinterpret_cast<const char*>(name), length));
    named = found != byName.end();
    return named ? found->second : fnv1a(name, length) % recordPaths().size();
}

std::uint32_t u32At(const std::uint8_t* bytes) {
    return static_cast<std::uint32_t>(bytes[0]) | static_cast<std::uint32_t>(bytes[1]) << 8 |
           static_cast<std::uint32_t>(bytes[2]) << 16 | static_cast<std::uint32_t>(bytes[3]) << 24;
}

void appendU32(std::vector<std::uint8_t>& out, std::uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<std::uint8_t>(value >> shift));
}

// The triple as a save file of an accepted version holds it (the version pre-read leaves the
// members a version has not at 0), or a family of the generator's picked by its bytes.
SvgVersion versionNamed(std::uint32_t version, std::uint32_t subversion, std::uint32_t hw, bool& named) {
    SvgVersion v;
    v.svg_version = version;
    v.svg_subversion = subversion;
    v.svg_hw_subversion = hw;
    v.updateFormatLevel();
    named = isAcceptedSourceVersion(v) && (v.hasBrevinLayout() || subversion == 0) && (v.hasHwSubversion() || hw == 0);
    return named ? v : versionOf(kAllSaveFamilies[(version + subversion) % kSaveFamilyCount], hw);
}

}  // namespace

const std::vector<RecordPath>& recordPaths() {
    static const std::vector<RecordPath> paths = collectPaths();
    return paths;
}

bool pickRecord(const std::uint8_t* data, std::size_t size, RecordPick& pick) {
    const void* end = std::memchr(data, 0, size);
    if (end == nullptr) return false;
    const std::size_t nameLength = static_cast<std::size_t>(static_cast<const std::uint8_t*>(end) - data);
    if (size - nameLength - 1 < tailBytes) return false;
    bool recordIsNamed = false, versionIsNamed = false;
    pick.record = recordNamed(data, nameLength, recordIsNamed);
    const std::uint8_t* tail = data + nameLength + 1;
    pick.source = versionNamed(u32At(tail), u32At(tail + 4), u32At(tail + 8), versionIsNamed);
    pick.named = recordIsNamed && versionIsNamed;
    pick.mapSize = tail[tripleBytes];
    pick.twoLevels = tail[tripleBytes + 1] & 1;
    pick.bytes = tail + tailBytes;
    pick.size = size - nameLength - 1 - tailBytes;
    return true;
}

std::vector<std::uint8_t> recordHead(std::size_t record, const SvgVersion& source, std::uint32_t mapSize, bool twoLevels) {
    const std::string& name = recordPaths()[record].name;
    std::vector<std::uint8_t> head(name.begin(), name.end());
    head.push_back(0);
    appendU32(head, source.svg_version);
    appendU32(head, source.svg_subversion);
    appendU32(head, source.svg_hw_subversion);
    head.push_back(static_cast<std::uint8_t>(mapSize));
    head.push_back(twoLevels ? 1 : 0);
    return head;
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
