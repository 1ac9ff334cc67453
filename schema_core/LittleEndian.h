#pragma once
// Values on file are little-endian in their declared width, arrays element by element in index
// order, whatever the host. On a little-endian host the bytes are copied as they are.

#include <bit>
#include <cstddef>
#include <cstring>
#include <type_traits>

#include "schema_core/ByteStream.h"

namespace little_endian_detail {

template <class T>
using Element = std::remove_all_extents_t<T>;

template <class E>
E swapBytes(E value) {
    unsigned char bytes[sizeof(E)];
    std::memcpy(bytes, &value, sizeof(E));
    for (std::size_t i = 0; i < sizeof(E) / 2; ++i) {
        unsigned char t = bytes[i];
        bytes[i] = bytes[sizeof(E) - 1 - i];
        bytes[sizeof(E) - 1 - i] = t;
    }
    std::memcpy(&value, bytes, sizeof(E));
    return value;
}

// Converts every element of a value between host order and file order, in place.
template <class T>
void swapElements(T& value) {
    using E = Element<T>;
    if constexpr (sizeof(E) > 1) {
        auto* bytes = reinterpret_cast<unsigned char*>(&value);
        for (std::size_t offset = 0; offset < sizeof(T); offset += sizeof(E)) {
            E element;
            std::memcpy(&element, bytes + offset, sizeof(E));
            element = swapBytes(element);
            std::memcpy(bytes + offset, &element, sizeof(E));
        }
    }
}

}  // namespace little_endian_detail

// Reads sizeof(T) bytes into value. On a short, non-raising read the bytes that were there
// replace the low-order bytes of value and the others keep what value held.
template <class T>
void readLittleEndian(ByteInput& in, T& value) {
    static_assert(std::is_trivially_copyable_v<T>);
    if constexpr (std::endian::native == std::endian::little) {
        in.read(&value, sizeof(T));
    } else {
        little_endian_detail::swapElements(value);
        in.read(&value, sizeof(T));
        little_endian_detail::swapElements(value);
    }
}

template <class T>
void writeLittleEndian(ByteOutput& out, const T& value) {
    static_assert(std::is_trivially_copyable_v<T>);
    if constexpr (std::endian::native == std::endian::little) {
        out.write(&value, sizeof(T));
    } else {
        T copy;
        std::memcpy(&copy, &value, sizeof(T));
        little_endian_detail::swapElements(copy);
        out.write(&copy, sizeof(T));
    }
}
