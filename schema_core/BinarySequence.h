#pragma once
// Base of every schema node: an ordered list of owned children and a presence predicate.
// Reading and writing walk the children in file order, skipping those absent for the version.

#include <memory>
#include <utility>
#include <vector>

#include "schema_core/ByteStream.h"
#include "schema_core/SvgVersion.h"

class BinarySequence {
public:
    explicit BinarySequence(VersionPredicate presence = AlwaysPresent) : presence(presence) {}
    BinarySequence(const BinarySequence&) = delete;
    BinarySequence& operator=(const BinarySequence&) = delete;

    virtual ~BinarySequence();
    virtual void read(ByteInput& in, const SvgVersion& version);
    virtual void write(ByteOutput& out, const SvgVersion& version) const;
    virtual void addChild(std::unique_ptr<BinarySequence> child);

    // Almost every node is always present; that case needs no call.
    bool isPresent(const SvgVersion& version) const { return presence == AlwaysPresent || presence(version); }
    const std::vector<std::unique_ptr<BinarySequence>>& getChildren() const { return children; }

    // Creates a child, appends it with addChild and returns it, for records that keep a
    // reference to one of their fields.
    template <class Node, class... Args>
    Node& addNew(Args&&... args) {
        auto node = std::make_unique<Node>(std::forward<Args>(args)...);
        Node& ref = *node;
        addChild(std::move(node));
        return ref;
    }

protected:
    void readChildren(ByteInput& in, const SvgVersion& version);
    void writeChildren(ByteOutput& out, const SvgVersion& version) const;
    void clearChildren() { children.clear(); }

    std::vector<std::unique_ptr<BinarySequence>> children;
    const VersionPredicate presence;
};
