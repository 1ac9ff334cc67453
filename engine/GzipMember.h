#pragma once
// One gzip member decoded or encoded in one call over whole buffers.

#include <cstddef>
#include <vector>

namespace gzip_member {

// The header every converted file starts with: deflate, no flags, time 0, no extra flags (as
// zlib writes at the default level), and the platform byte 3 on every build.
inline constexpr unsigned char header[10] = {0x1F, 0x8B, 8, 0, 0, 0, 0, 0, 0, 3};

// Inflates the gzip member at the start of `file` into exactly `contentSize` bytes at `content`,
// checking its CRC-32 and length; bytes after the member are ignored. False on anything else:
// damage, another size, or a header CRC (which this decoder would not check).
bool inflateWhole(const unsigned char* file, std::size_t fileSize, unsigned char* content, std::size_t contentSize);

enum class DeflateResult { Done, NoCompressor, Failed };

// Replaces `member` with one gzip member of `content`: the header above, the deflate stream at
// level 6 and the CRC-32/length trailer.
DeflateResult deflateWhole(const std::vector<unsigned char>& content, std::vector<unsigned char>& member);

}  // namespace gzip_member
