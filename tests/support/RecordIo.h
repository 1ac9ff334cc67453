#pragma once
// Record-level read and write helpers for the record tests: versions, reading a node from bytes
// with a raising stream, writing it, and the builder's bytes for content.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "savegen/Bytes.h"
#include "schema_core/BinarySequence.h"

namespace record_io {

inline SvgVersion version(std::uint32_t v, std::uint32_t sub = 0, std::uint32_t hw = 0) {
    SvgVersion version;
    version.svg_version = v;
    version.svg_subversion = sub;
    version.svg_hw_subversion = hw;
    version.updateFormatLevel();
    return version;
}

// A version as a failing case names it: svg_version/svg_subversion/svg_hw_subversion.
inline std::string versionName(const SvgVersion& v) {
    return std::to_string(v.svg_version) + "/" + std::to_string(v.svg_subversion) + "/" +
           std::to_string(v.svg_hw_subversion);
}

inline const SvgVersion v42 = version(42);
inline const SvgVersion v44s2 = version(44, 2);
inline const SvgVersion v44s3 = version(44, 3);
inline const SvgVersion v45s2 = version(45, 2, 7);
inline const SvgVersion v45s3 = version(45, 3, 7);

// Reads the node from `bytes` with a raising stream, as its parent would: not at all where it is
// absent for the version. Returns the number of bytes consumed.
inline std::size_t readNode(BinarySequence& node, const std::vector<unsigned char>& bytes, const SvgVersion& v) {
    ByteInput in(bytes);
    in.raiseOnFailure();
    if (node.isPresent(v)) node.read(in, v);
    return in.position();
}

inline std::size_t readNode(BinarySequence& node, const Bytes& bytes, const SvgVersion& v) {
    return readNode(node, bytes.data, v);
}

// Writes the node as its parent would: nothing where it is absent for the version.
inline std::vector<unsigned char> writeNode(const BinarySequence& node, const SvgVersion& v) {
    ByteOutput out;
    if (node.isPresent(v)) node.write(out, v);
    return out.bytes();
}

// Reads the whole of `bytes` with the source version and returns what the node writes for the target.
inline std::vector<unsigned char> convertNode(BinarySequence& node, const std::vector<unsigned char>& bytes,
                                              const SvgVersion& source, const SvgVersion& target) {
    EXPECT_EQ(readNode(node, bytes, source), bytes.size()) << "the read must consume the record exactly";
    return writeNode(node, target);
}

inline std::vector<unsigned char> convertNode(BinarySequence& node, const Bytes& bytes, const SvgVersion& source,
                                              const SvgVersion& target) {
    return convertNode(node, bytes.data, source, target);
}

template <class Content>
Bytes encodedBytes(const Content& c, const SvgVersion& v) {
    Bytes out;
    encode(out, c, v);
    return out;
}

template <class Content>
std::vector<unsigned char> encoded(const Content& c, const SvgVersion& v) {
    return encodedBytes(c, v).data;
}

}  // namespace record_io
