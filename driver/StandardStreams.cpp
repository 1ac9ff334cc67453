#include "driver/StandardStreams.h"

#include <iostream>

#include "driver/TextColumns.h"

namespace {

// Beyond this much held text a write hands over what it has, whole characters only.
constexpr std::size_t HeldLimit = 1 << 16;

bool isContinuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

}  // namespace

std::size_t wholeCharactersLength(std::string_view text) {
    // A character is at most 4 bytes: only the last 3 can belong to an incomplete one.
    std::size_t start = text.size();
    for (std::size_t back = 1; back <= 3 && back <= text.size(); ++back) {
        const auto byte = static_cast<unsigned char>(text[text.size() - back]);
        if (isContinuation(byte)) continue;
        start = text.size() - back;
        break;
    }
    if (start == text.size()) return text.size();
    const std::size_t length = sequenceLength(static_cast<unsigned char>(text[start]));
    return length > text.size() - start ? start : text.size();
}

StandardStreamBuffer::~StandardStreamBuffer() { sync(); }

StandardStreamBuffer::int_type StandardStreamBuffer::overflow(int_type c) {
    if (traits_type::eq_int_type(c, traits_type::eof())) return sync() == 0 ? traits_type::not_eof(c) : c;
    const char byte = traits_type::to_char_type(c);
    return xsputn(&byte, 1) == 1 ? c : traits_type::eof();
}

std::streamsize StandardStreamBuffer::xsputn(const char* text, std::streamsize n) {
    held_.append(text, static_cast<std::size_t>(n));
    const std::size_t lineEnd = held_.rfind('\n');
    bool written = true;
    if (held_.size() >= HeldLimit)
        written = handOver(wholeCharactersLength(held_));
    else if (lineEnd != std::string::npos)
        written = handOver(lineEnd + 1);
    return written ? n : 0;
}

int StandardStreamBuffer::sync() { return handOver(held_.size()) ? 0 : -1; }

bool StandardStreamBuffer::handOver(std::size_t n) {
    if (n == 0) return true;
    const bool written = platform::writeStandard(stream_, std::string_view(held_).substr(0, n));
    if (!written) {
        held_.clear();
        return false;
    }
    held_.erase(0, n);
    return true;
}

StandardStreams::StandardStreams()
    : previousOutput_(std::cout.rdbuf(&output_)), previousError_(std::cerr.rdbuf(&error_)) {}

StandardStreams::~StandardStreams() {
    std::cout.flush();
    std::cerr.flush();
    std::cout.rdbuf(previousOutput_);
    std::cerr.rdbuf(previousError_);
}
