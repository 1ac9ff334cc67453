#include "schema_core/ByteStream.h"

#include <cstring>

void ByteInput::readShort(void* destination, std::size_t n) {
    std::size_t available = remaining();
    if (available > 0 && n > 0) std::memcpy(destination, data_ + position_, available);
    position_ = size_;
    fail("unexpected end of data");
}

void ByteInput::seek(std::size_t offset) {
    if (offset > size_) {
        fail("seek past the end of data");
        return;
    }
    position_ = offset;
}

void ByteInput::raiseOnFailure() {
    raising_ = true;
    if (failed_) raise("stream failed before reading");
}

void ByteInput::requireAvailable(std::uint64_t n) {
    if (n > remaining()) raise("count larger than the data left");
}

void ByteInput::raise(const char* what) {
    failed_ = true;
    throw StreamError(what, position_);
}

void ByteInput::fail(const char* what) {
    failed_ = true;
    if (raising_) raise(what);
}

