#include "schema_core/ByteStream.h"

#include <algorithm>
#include <cstring>
#include <utility>

void ByteInput::readShort(void* destination, std::size_t n) {
    std::size_t available = remaining();
    if (available > 0 && n > 0) std::memcpy(destination, data_ + position_, available);
    position_ = size_;
    fail("unexpected end of data");
}

void ByteInput::raiseOnFailure() {
    raising_ = true;
    if (failed_) raise("stream failed before reading");
}

void ByteInput::raise(const char* what) {
    failed_ = true;
    throw StreamError(what, position_);
}

void ByteInput::fail(const char* what) {
    failed_ = true;
    if (raising_) raise(what);
}

void ByteOutput::reserve(std::size_t n) { buffer_.reserve(n); }

void ByteOutput::makeRoom(std::size_t n) {
    // Room the vector already holds is opened a step at a time, so that the zeroing of the new
    // length is done just before the bytes are written over it, while it is in the cache; past
    // it, the output doubles.
    constexpr std::size_t step = std::size_t{64} << 10;
    constexpr std::size_t smallest = 256;
    const std::size_t needed = used_ + n;
    if (needed <= buffer_.capacity())
        buffer_.resize(std::max(needed, std::min(used_ + step, buffer_.capacity())));
    else
        buffer_.resize(std::max({needed, 2 * used_, smallest}));
}

const std::vector<unsigned char>& ByteOutput::bytes() const {
    buffer_.resize(used_);
    return buffer_;
}

std::vector<unsigned char> ByteOutput::take() {
    buffer_.resize(used_);
    used_ = 0;
    return std::exchange(buffer_, {});
}
