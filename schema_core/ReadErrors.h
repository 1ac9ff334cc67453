#pragma once
// The errors a game-state read raises. Each names the stream offset where the read stopped; the
// loader catches them in one place and reports the file as corrupted.

#include <cstddef>
#include <stdexcept>
#include <string>

class ReadError : public std::runtime_error {
public:
    ReadError(const char* what, std::size_t offset)
        : std::runtime_error(std::string(what) + " at offset " + std::to_string(offset)), offset_(offset) {}

    std::size_t offset() const { return offset_; }

private:
    std::size_t offset_;
};

// Raised by a raising input stream when a read comes up short (or a count cannot be satisfied).
class StreamError : public ReadError {
public:
    using ReadError::ReadError;
};

// Raised when a record read meets a value outside the bounds a real save can hold.
class RecordLimitError : public ReadError {
public:
    using ReadError::ReadError;
};
