#include "engine/GzipMember.h"

#include <libdeflate.h>

#include <cstdint>
#include <cstring>
#include <memory>

namespace gzip_member {

namespace {

constexpr unsigned char headerCrcFlag = 0x02;
constexpr int compressionLevel = 6;
constexpr std::size_t trailerBytes = 8;

struct DecompressorFree {
    void operator()(libdeflate_decompressor* d) const { libdeflate_free_decompressor(d); }
};
struct CompressorFree {
    void operator()(libdeflate_compressor* c) const { libdeflate_free_compressor(c); }
};

void putLittleEndian32(unsigned char* at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) at[i] = static_cast<unsigned char>(value >> (8 * i));
}

}  // namespace

bool inflateWhole(const unsigned char* file, std::size_t fileSize, unsigned char* content, std::size_t contentSize) {
    if (fileSize < sizeof header || (file[3] & headerCrcFlag) != 0) return false;
    std::unique_ptr<libdeflate_decompressor, DecompressorFree> decompressor(libdeflate_alloc_decompressor());
    if (!decompressor) return false;
    std::size_t consumed = 0;
    std::size_t produced = 0;
    libdeflate_result result = libdeflate_gzip_decompress_ex(decompressor.get(), file, fileSize, content, contentSize,
                                                             &consumed, &produced);
    return result == LIBDEFLATE_SUCCESS && produced == contentSize;
}

DeflateResult deflateWhole(const std::vector<unsigned char>& content, std::vector<unsigned char>& member) {
    std::unique_ptr<libdeflate_compressor, CompressorFree> compressor(libdeflate_alloc_compressor(compressionLevel));
    if (!compressor) return DeflateResult::NoCompressor;
    // The bound is about the content's size, several times what is produced: the room is left
    // untouched, and only the member itself is copied out.
    std::size_t bound = libdeflate_deflate_compress_bound(compressor.get(), content.size());
    auto deflated = std::make_unique_for_overwrite<unsigned char[]>(bound);
    std::size_t size = libdeflate_deflate_compress(compressor.get(), content.data(), content.size(), deflated.get(), bound);
    if (size == 0) return DeflateResult::Failed;
    member.resize(sizeof header + size + trailerBytes);
    std::memcpy(member.data(), header, sizeof header);
    std::memcpy(member.data() + sizeof header, deflated.get(), size);
    unsigned char* trailer = member.data() + sizeof header + size;
    putLittleEndian32(trailer, libdeflate_crc32(0, content.data(), content.size()));
    putLittleEndian32(trailer + 4, static_cast<std::uint32_t>(content.size()));  // modulo 2^32
    return DeflateResult::Done;
}

}  // namespace gzip_member
