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
    void seek(std::size_t offset) {
        if (offset > size_) return fail("seek past the end of data");
        position_ = offset;
    }

    // From now on every failure raises; a failure already recorded raises at once.
    void raiseOnFailure();
    bool failed() const { return failed_; }
    void clearFailure() { failed_ = false; }

    // Fails with the stream's error unless at least n bytes remain. Used before creating
    // records or buffers for a count read from the file, so a hostile count costs nothing.
    void requireAvailable(std::uint64_t n) {
        if (n > remaining()) raise("count larger than the data left");
    }
    // The next n bytes where they lie, the stream moving past them: a block is copied once into
    // its buffer, never zeroed first. Fails like requireAvailable unless they are all there.
    const unsigned char* take(std::uint64_t n) {
        requireAvailable(n);
        const unsigned char* start = data_ + position_;
        position_ += static_cast<std::size_t>(n);
        return start;
    }

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

// Appends bytes to one growing buffer. A write of a small field is a copy of a known size into
// room already there: the buffer is kept at its full length and only `used` of it is the output,
// so that appending needs no call into the vector.
class ByteOutput {
public:
    void write(const void* source, std::size_t n) {
        if (n > buffer_.size() - used_) makeRoom(n);
        if (n > 0) std::memcpy(buffer_.data() + used_, source, n);
        used_ += n;
    }
    void reserve(std::size_t n);
    // Empties the output and keeps its room for the next writes.
    void clear() { used_ = 0; }

    const unsigned char* data() const { return buffer_.data(); }
    std::size_t size() const { return used_; }
    // The bytes written so far.
    const std::vector<unsigned char>& bytes() const;
    // Hands the bytes written over and leaves the output empty.
    std::vector<unsigned char> take();

private:
    void makeRoom(std::size_t n);

    // Past `used_`, room not yet written (the vector's length is only trimmed to it when asked).
    mutable std::vector<unsigned char> buffer_;
    std::size_t used_ = 0;
};
