#pragma once
// Composes little-endian byte sequences field by field, independently of the schema code, so
// tests can state the exact bytes a save or record must have.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

class Bytes {
public:
    Bytes& u8(std::uint8_t v) { return put(v, 1); }
    Bytes& i8(std::int8_t v) { return put(static_cast<std::uint8_t>(v), 1); }
    Bytes& u16(std::uint16_t v) { return put(v, 2); }
    Bytes& i16(std::int16_t v) { return put(static_cast<std::uint16_t>(v), 2); }
    Bytes& u32(std::uint32_t v) { return put(v, 4); }
    Bytes& i32(std::int32_t v) { return put(static_cast<std::uint32_t>(v), 4); }
    Bytes& fill(std::size_t n, std::uint8_t byte) { data.insert(data.end(), n, byte); return *this; }
    Bytes& raw(const std::vector<unsigned char>& bytes) { data.insert(data.end(), bytes.begin(), bytes.end()); return *this; }
    Bytes& raw(const std::string& chars) { data.insert(data.end(), chars.begin(), chars.end()); return *this; }
    Bytes& append(const Bytes& other) { return raw(other.data); }
    // Signed 16-bit character count, then the characters.
    Bytes& text16(const std::string& s) { return i16(static_cast<std::int16_t>(s.size())).raw(s); }
    // Unsigned 32-bit character count, then the characters.
    Bytes& text32(const std::string& s) { return u32(static_cast<std::uint32_t>(s.size())).raw(s); }

    // Every element little-endian in its own width.
    template <class T, std::size_t N>
    Bytes& values(const std::array<T, N>& elements) {
        for (T element : elements) put(static_cast<std::uint64_t>(element), static_cast<int>(sizeof(T)));
        return *this;
    }

    std::size_t size() const { return data.size(); }

    std::vector<unsigned char> data;

private:
    Bytes& put(std::uint64_t v, int width) {
        for (int i = 0; i < width; ++i) data.push_back(static_cast<unsigned char>(v >> (8 * i)));
        return *this;
    }
};
