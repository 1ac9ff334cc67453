#pragma once
// Byte streams the schema reads from and writes to. The input is always an in-memory view of
// the decompressed save body (a raw save is read whole into memory first), so every read is a
// plain copy and the stream always knows how many bytes remain.

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "schema_core/ReadErrors.h"

class ByteInput {
public:
    ByteInput(const unsigned char* data, std::size_t size) : data_(data), size_(size) {}
    explicit ByteInput(const std::vector<unsigned char>& bytes) : ByteInput(bytes.data(), bytes.size()) {}

    // Block read of n bytes. A short read copies what is left, marks the stream failed and,
    // in raising mode, throws StreamError. Inline, so that reading one small field is a plain
    // copy of a known size.
    void read(void* destination, std::size_t n) {
        if (n > remaining()) return readShort(destination, n);
        if (n > 0) std::memcpy(destination, data_ + position_, n);
        position_ += n;
    }

    std::size_t remaining() const { return size_ - position_; }
    std::size_t position() const { return position_; }
    std::size_t size() const { return size_; }
    // Moves to an absolute offset; an offset past the end fails like a short read.
    void seek(std::size_t offset);

    // From now on every failure raises; a failure already recorded raises at once.
    void raiseOnFailure();
    bool failed() const { return failed_; }
    void clearFailure() { failed_ = false; }

    // Fails with the stream's error unless at least n bytes remain. Used before creating
    // records or buffers for a count read from the file, so a hostile count costs nothing.
    void requireAvailable(std::uint64_t n);

private:
    void readShort(void* destination, std::size_t n);
    [[noreturn]] void raise(const char* what);
    void fail(const char* what);

    const unsigned char* data_;
    std::size_t size_;
    std::size_t position_ = 0;
    bool failed_ = false;
    bool raising_ = false;
};

class ByteOutput {
public:
    void write(const void* source, std::size_t n) {
        const auto* bytes = static_cast<const unsigned char*>(source);
        bytes_.insert(bytes_.end(), bytes, bytes + n);
    }
    void reserve(std::size_t n) { bytes_.reserve(n); }
    const std::vector<unsigned char>& bytes() const { return bytes_; }
    std::vector<unsigned char>& bytes() { return bytes_; }
    std::size_t size() const { return bytes_.size(); }

private:
    std::vector<unsigned char> bytes_;
};
