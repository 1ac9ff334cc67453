#pragma once
// A tag followed by the children that the tag selects. Records derive from it and register
// their variants in their constructors; every read rebuilds the children from the new tag.

#include <memory>
#include <vector>

#include "schema_core/BinarySequence.h"
#include "schema_core/LittleEndian.h"

template <class T>
class ConditionnalBinarySequence : public BinarySequence {
public:
    using TagPredicate = bool (*)(T tag);
    using NodeFactory = std::unique_ptr<BinarySequence> (*)(VersionPredicate presence);

    struct Variant {
        TagPredicate tagTest;
        VersionPredicate versionTest;
        NodeFactory factory;
    };

    explicit ConditionnalBinarySequence(VersionPredicate presence = AlwaysPresent) : BinarySequence(presence) {}

    template <class Child>
    void addVariant(TagPredicate tagTest, VersionPredicate versionTest) {
        variants.push_back({tagTest, versionTest, &makeNode<Child>});
    }

    void read(ByteInput& in, const SvgVersion& version) override {
        readLittleEndian(in, tag);
        clearChildren();
        for (const Variant& variant : variants)
            if (variant.tagTest(tag) && variant.versionTest(version)) addChild(variant.factory(AlwaysPresent));
        readChildren(in, version);
    }

    void write(ByteOutput& out, const SvgVersion& version) const override {
        writeLittleEndian(out, tag);
        writeChildren(out, version);
    }

    T tag{};

protected:
    std::vector<Variant> variants;

private:
    template <class Child>
    static std::unique_ptr<BinarySequence> makeNode(VersionPredicate presence) {
        return std::make_unique<Child>(presence);
    }
};
