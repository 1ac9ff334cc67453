#include "savegen/FileBytes.h"

#include <fstream>
#include <iterator>
#include <stdexcept>

std::vector<unsigned char> readFileBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + path.string());
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void writeFileBytes(const std::filesystem::path& path, const unsigned char* data, std::size_t size) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    if (!out.flush()) throw std::runtime_error("cannot write " + path.string());
}

void writeFileBytes(const std::filesystem::path& path, const std::vector<unsigned char>& bytes) {
    writeFileBytes(path, bytes.data(), bytes.size());
}
