#pragma once
// std::cout and std::cerr written through the platform's standard streams instead of the C
// runtime, whose console output on Windows arrives in pieces that cut UTF-8 characters apart.
// Text is held until a line ends or the stream is flushed and then handed over whole; a write
// that fills the buffer hands over only whole characters.

#include <cstddef>
#include <streambuf>
#include <string>
#include <string_view>

#include "platform/Platform.h"

// The length of the longest start of `text` that does not end inside a UTF-8 character: a lead
// byte at the end whose sequence is still incomplete stays out, with its continuation bytes.
std::size_t wholeCharactersLength(std::string_view text);

class StandardStreamBuffer : public std::streambuf {
public:
    explicit StandardStreamBuffer(platform::StandardStream stream) : stream_(stream) {}
    ~StandardStreamBuffer() override;
    StandardStreamBuffer(const StandardStreamBuffer&) = delete;
    StandardStreamBuffer& operator=(const StandardStreamBuffer&) = delete;

protected:
    int_type overflow(int_type c) override;
    std::streamsize xsputn(const char* text, std::streamsize n) override;
    int sync() override;

private:
    // Hands over the first n bytes held; false (and nothing held) when the system refuses them.
    bool handOver(std::size_t n);

    platform::StandardStream stream_;
    std::string held_;
};

// For the life of the object, std::cout and std::cerr write through StandardStreamBuffers; the
// previous buffers come back, everything held written, when it goes.
class StandardStreams {
public:
    StandardStreams();
    ~StandardStreams();
    StandardStreams(const StandardStreams&) = delete;
    StandardStreams& operator=(const StandardStreams&) = delete;

private:
    StandardStreamBuffer output_{platform::StandardStream::Output};
    StandardStreamBuffer error_{platform::StandardStream::Error};
    std::streambuf* previousOutput_;
    std::streambuf* previousError_;
};
