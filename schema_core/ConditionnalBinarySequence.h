#pragma once
// A tag followed by the children that the tag selects. Records derive from it and register
// their variants in their constructors; every read rebuilds the children from the new tag.

#include <array>
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
        if (const std::vector<NodeFactory>* cached = cachedSelection()) {
            addChildren(cached->data(), cached->size());
        } else {
            NodeFactory selected[maxVariants];
            addChildren(selected, select(version, selected));
        }
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
    //
    // With a one-byte tag the class also keeps what each tag value selects, so that a record
    // read tests the variants only the first time its tag value is seen.
    template <class Record>
    bool shareVariantsOf() {
        // Kept for the program's life, outside any tree.
        static std::pmr::vector<Variant> shared{std::pmr::new_delete_resource()};
        static bool registered = false;
        variants = &shared;
        if constexpr (sizeof(T) == 1) {
            static SelectionCache cache;
            selectionCache = &cache;
        }
        bool alreadyRegistered = registered;
        registered = true;
        return alreadyRegistered;
    }

    std::pmr::vector<Variant> ownVariants{memory()};
    std::pmr::vector<Variant>* variants = &ownVariants;

private:
    // The factories selected per tag value, for variants that all hold in every version.
    struct SelectionCache {
        std::array<std::vector<NodeFactory>, 256> byTag;
        std::array<bool, 256> known{};
    };

    // Each variant is tested once; returns how many factories were put into `selected`.
    std::size_t select(const SvgVersion& version, NodeFactory* selected) const {
        std::size_t count = 0;
        for (const Variant& variant : *variants)
            if (variant.tagTest(tag) && variant.versionTest(version)) selected[count++] = variant.factory;
        return count;
    }

    const std::vector<NodeFactory>* cachedSelection() {
        if (selectionCache == nullptr) return nullptr;
        auto index = static_cast<unsigned char>(tag);
        if (!selectionCache->known[index]) {
            for (const Variant& variant : *variants)
                if (variant.versionTest != AlwaysPresent) {
                    selectionCache = nullptr;  // the version would take part in the choice
                    return nullptr;
                }
            NodeFactory selected[maxVariants];
            SvgVersion anyVersion;
            std::size_t count = select(anyVersion, selected);
            selectionCache->byTag[index].assign(selected, selected + count);
            selectionCache->known[index] = true;
        }
        return &selectionCache->byTag[index];
    }

    void addChildren(const NodeFactory* factories, std::size_t count) {
        children.reserve(count);
        for (std::size_t i = 0; i < count; ++i) addChild(factories[i](memory(), AlwaysPresent));
    }

    SelectionCache* selectionCache = nullptr;

    template <class Child>
    static std::unique_ptr<BinarySequence> makeChild(std::pmr::memory_resource* memory, VersionPredicate presence) {
        return makeNode<Child>(memory, presence);
    }
};
