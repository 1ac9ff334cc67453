#pragma once
// A count of integer type N, then that many records of type T created while reading.
// Text is ArrayOfBinarySequences<short or unsigned int, ElemBinarySequence<char>>.

#include <string_view>

#include "schema_core/ArrayCounts.h"
#include "schema_core/ElemBinarySequence.h"

template <class N, class T>
class ArrayOfBinarySequences : public BinarySequence {
public:
    explicit ArrayOfBinarySequences(VersionPredicate presence = AlwaysPresent) : BinarySequence(presence) {}

    void read(ByteInput& in, const SvgVersion& version) override {
        array_counts::readRecords<T>(*this, in, version, array_counts::readCount<N>(in));
    }

    void write(ByteOutput& out, const SvgVersion& version) const override {
        array_counts::writeCount<N>(out, children.size());
        for (const auto& child : children) child->write(out, version);
    }
};

// A text: the same count rules as any record array, but its characters are one-byte records with
// nothing else to them, so they are held in one buffer and read and written as one block.
template <class N>
class ArrayOfBinarySequences<N, ElemBinarySequence<char>> : public BinarySequence {
public:
    explicit ArrayOfBinarySequences(VersionPredicate presence = AlwaysPresent) : BinarySequence(presence) {}

    void read(ByteInput& in, const SvgVersion&) override {
        std::uint32_t count = array_counts::readCount<N>(in);
        // A tree is read once; like record arrays, a text appends to what it holds.
        const auto* characters = reinterpret_cast<const char*>(in.take(count));
        text.insert(text.end(), characters, characters + count);
    }

    void write(ByteOutput& out, const SvgVersion&) const override {
        array_counts::writeCount<N>(out, text.size());
        out.write(text.data(), text.size());
    }

    std::string_view characters() const { return {text.data(), text.size()}; }
    std::size_t size() const { return text.size(); }

private:
    std::pmr::vector<char> text{memory()};
};
