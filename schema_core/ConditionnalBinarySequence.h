#pragma once
// A tag followed by the children that the tag selects. Records derive from it and register
// their variants in their constructors; every read rebuilds the children from the new tag.

#include <cstddef>
#include <memory>
#include <memory_resource>
#include <stdexcept>
#include <vector>

#include "schema_core/BinarySequence.h"
#include "schema_core/LittleEndian.h"

template <class T>
class ConditionnalBinarySequence : public BinarySequence {
public:
    using TagPredicate = bool (*)(T tag);
    using NodeFactory = std::unique_ptr<BinarySequence> (*)(std::pmr::memory_resource* memory, VersionPredicate presence);

    struct Variant {
        TagPredicate tagTest;
        VersionPredicate versionTest;
        NodeFactory factory;
    };

    explicit ConditionnalBinarySequence(VersionPredicate presence = AlwaysPresent) : BinarySequence(presence) {}

    // More than any record registers (the replay action has 38).
    static constexpr std::size_t maxVariants = 64;

    template <class Child>
    void addVariant(TagPredicate tagTest, VersionPredicate versionTest) {
        if (variants->size() == maxVariants) throw std::length_error("too many variants for one record");
        variants->push_back({tagTest, versionTest, &makeChild<Child>});
    }

    void read(ByteInput& in, const SvgVersion& version) override {
        readLittleEndian(in, tag);
        clearChildren();
        // Each variant is tested once; the selected factories are kept on the stack while the
        // child list is sized for them.
        NodeFactory selected[maxVariants];
        std::size_t count = 0;
        for (const Variant& variant : *variants)
            if (variant.tagTest(tag) && variant.versionTest(version)) selected[count++] = variant.factory;
        children.reserve(count);
        for (std::size_t i = 0; i < count; ++i) addChild(selected[i](memory(), AlwaysPresent));
        readChildren(in, version);
    }

    void write(ByteOutput& out, const SvgVersion& version) const override {
        writeLittleEndian(out, tag);
        writeChildren(out, version);
    }

    T tag{};

protected:
    // Every instance of a record class registers the same variants. A record that a save holds
    // many times calls this first in its constructor, naming its own class: the first instance
    // registers into a list kept for the class, later instances share that list and skip their
    // registration (the call then returns true). This spares each instance its own copy.
    template <class Record>
    bool shareVariantsOf() {
        // Kept for the program's life, outside any tree.
        static std::pmr::vector<Variant> shared{std::pmr::new_delete_resource()};
        static bool registered = false;
        variants = &shared;
        bool alreadyRegistered = registered;
        registered = true;
        return alreadyRegistered;
    }

    std::pmr::vector<Variant> ownVariants{memory()};
    std::pmr::vector<Variant>* variants = &ownVariants;

private:
    template <class Child>
    static std::unique_ptr<BinarySequence> makeChild(std::pmr::memory_resource* memory, VersionPredicate presence) {
        return makeNode<Child>(memory, presence);
    }
};
