#include "schema_core/BinarySequence.h"

#include <algorithm>
#include <cstring>

namespace {

thread_local std::pmr::memory_resource* buildMemory = nullptr;

// Each node block starts with the resource it came from. Nodes hold pointers and integers only
// (makeNode checks it), so the header keeps them aligned.
constexpr std::size_t blockAlignment = BinarySequence::nodeAlignment;
constexpr std::size_t headerBytes = sizeof(std::pmr::memory_resource*);
static_assert(headerBytes % blockAlignment == 0);

}  // namespace

NodeBuildScope::NodeBuildScope(std::pmr::memory_resource* memory) : previous(buildMemory) { buildMemory = memory; }

NodeBuildScope::~NodeBuildScope() { buildMemory = previous; }

std::pmr::memory_resource* NodeBuildScope::current() {
    return buildMemory != nullptr ? buildMemory : std::pmr::get_default_resource();
}

void* BinarySequence::operator new(std::size_t size) {
    std::pmr::memory_resource* memory = NodeBuildScope::current();
    auto* block = static_cast<unsigned char*>(memory->allocate(headerBytes + size, blockAlignment));
    std::memcpy(block, &memory, sizeof memory);
    return block + headerBytes;
}

void BinarySequence::operator delete(void* node, std::size_t size) noexcept {
    auto* block = static_cast<unsigned char*>(node) - headerBytes;
    std::pmr::memory_resource* memory = nullptr;
    std::memcpy(&memory, block, sizeof memory);
    memory->deallocate(block, headerBytes + size, blockAlignment);
}

BinarySequence::BinarySequence(VersionPredicate presence) : BinarySequence(presence, NodeBuildScope::current()) {}

BinarySequence::BinarySequence(VersionPredicate presence, std::pmr::memory_resource* memory)
    : children(memory), presence(presence) {}

BinarySequence::~BinarySequence() {
    // Children go in list order.
    for (auto& child : children) child.reset();
}

void BinarySequence::abandonTreeToArena() {
    for (auto& child : children) static_cast<void>(child.release());
    children.clear();
}

void BinarySequence::read(ByteInput& in, const SvgVersion& version) { readChildren(in, version); }

void BinarySequence::write(ByteOutput& out, const SvgVersion& version) const { writeChildren(out, version); }

void BinarySequence::addChild(std::unique_ptr<BinarySequence> child) {
    // Records add their fields one by one; starting at a few slots spares the smallest steps of
    // the list's growth, each of which would leave a dead block in the arena.
    constexpr std::size_t firstCapacity = 8;
    if (children.capacity() == 0) children.reserve(firstCapacity);
    children.push_back(std::move(child));
}

void BinarySequence::reserveChildren(std::size_t n, const ByteInput& in) {
    std::size_t affordable = in.remaining() / sizeof(children[0]);
    children.reserve(children.size() + std::min(n, affordable));
}

void BinarySequence::readChildren(ByteInput& in, const SvgVersion& version) {
    for (auto& child : children)
        if (child->isPresent(version)) child->read(in, version);
}

void BinarySequence::writeChildren(ByteOutput& out, const SvgVersion& version) const {
    for (const auto& child : children)
        if (child->isPresent(version)) child->write(out, version);
}
