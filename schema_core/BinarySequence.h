#pragma once
// Base of every schema node: an ordered list of owned children and a presence predicate.
// Reading and writing walk the children in file order, skipping those absent for the version.
// Presence is the parent's question, asked in that walk only: no node asks it of itself, array
// elements are always present, and the engine reads and writes the root without asking.
//
// Memory: every node belongs to the memory resource of its tree (the engine's arena). A node and
// everything it allocates (its child list, its byte buffers, the children it creates) come from
// the resource that was current when it was built; nodes built outside any tree use the default
// resource. Ownership stays with the parent as before; on an arena, releasing is free and the
// arena returns the whole tree's memory at once.

#include <cstddef>
#include <memory>
#include <memory_resource>
#include <tuple>
#include <utility>
#include <vector>

#include "schema_core/ByteStream.h"
#include "schema_core/SvgVersion.h"

// A node's byte field, in the memory of its tree.
using NodeBytes = std::pmr::vector<unsigned char>;

class BinarySequence {
public:
    explicit BinarySequence(VersionPredicate presence = AlwaysPresent);
    BinarySequence(const BinarySequence&) = delete;
    BinarySequence& operator=(const BinarySequence&) = delete;

    virtual ~BinarySequence();
    virtual void read(ByteInput& in, const SvgVersion& version);
    virtual void write(ByteOutput& out, const SvgVersion& version) const;
    virtual void addChild(std::unique_ptr<BinarySequence> child);

    // Nodes are allocated from the current build resource; each remembers where it came from,
    // so that deleting it through any pointer returns it there.
    static void* operator new(std::size_t size);
    static constexpr std::size_t nodeAlignment = alignof(void*);
    static void operator delete(void* node, std::size_t size) noexcept;

    // Whether the node is in the file of `version`; almost every node is always present, and that
    // case needs no call.
    bool isPresent(const SvgVersion& version) const { return presence == AlwaysPresent || presence(version); }
    const std::pmr::vector<std::unique_ptr<BinarySequence>>& getChildren() const { return children; }
    std::pmr::memory_resource* memory() const { return children.get_allocator().resource(); }

    // Room for n more children, up to what the data left could hold: a hostile count costs no
    // more than the bytes that remain.
    void reserveChildren(std::size_t n, const ByteInput& in);

    // Creates a node of type Node in `memory`; the nodes it builds itself go there too.
    template <class Node, class... Args>
    static std::unique_ptr<Node> makeNode(std::pmr::memory_resource* memory, Args&&... args);

    // Creates a child in this node's memory, appends it with addChild and returns it.
    template <class Node, class... Args>
    Node& addNew(Args&&... args) {
        auto node = makeNode<Node>(memory(), std::forward<Args>(args)...);
        Node& ref = *node;
        addChild(std::move(node));
        return ref;
    }

protected:
    template <class... Args>
    class FieldRow;

    // One field of a record, declared as a row of its table:
    //     ElemBinarySequence<unsigned int>& item56 = field(0u, FromVersion44Sub2);
    // creates the child of the declared type from the arguments (an initial value and a presence,
    // a length, ...) and appends it. Members are initialised in declaration order, so the rows
    // of a record are its fields in file order.
    template <class... Args>
    FieldRow<Args...> field(Args... args) {
        return FieldRow<Args...>(*this, args...);
    }

    // For a root that owns the memory of its tree.
    BinarySequence(VersionPredicate presence, std::pmr::memory_resource* memory);

    void readChildren(ByteInput& in, const SvgVersion& version);
    void writeChildren(ByteOutput& out, const SvgVersion& version) const;
    void clearChildren() { children.clear(); }
    // For a root whose whole tree lives in an arena that is released right after: lets go of the
    // tree without destroying it node by node. Only valid when no node holds anything but
    // memory of that arena.
    void abandonTreeToArena();

    std::pmr::vector<std::unique_ptr<BinarySequence>> children;
    const VersionPredicate presence;
};

// What `field` returns: becomes the new child when bound to the reference the row declares.
template <class... Args>
class BinarySequence::FieldRow {
public:
    FieldRow(BinarySequence& record, Args... args) : record(record), args(args...) {}

    template <class Node>
    operator Node&() && {
        return std::apply([this](Args... a) -> Node& { return record.addNew<Node>(a...); }, args);
    }

private:
    BinarySequence& record;
    std::tuple<Args...> args;
};

// Makes `memory` the resource of the nodes built while the scope lasts.
class NodeBuildScope {
public:
    explicit NodeBuildScope(std::pmr::memory_resource* memory);
    ~NodeBuildScope();
    NodeBuildScope(const NodeBuildScope&) = delete;
    NodeBuildScope& operator=(const NodeBuildScope&) = delete;

    // The resource of the innermost scope, or the default resource outside any.
    static std::pmr::memory_resource* current();

private:
    std::pmr::memory_resource* previous;
};

template <class Node, class... Args>
std::unique_ptr<Node> BinarySequence::makeNode(std::pmr::memory_resource* memory, Args&&... args) {
    static_assert(alignof(Node) <= nodeAlignment, "node memory is aligned for pointers only");
    NodeBuildScope scope(memory);
    return std::unique_ptr<Node>(new Node(std::forward<Args>(args)...));
}
