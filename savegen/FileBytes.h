#pragma once
// Whole files as raw bytes, for the tools, the benchmark and the tests. Both throw
// std::runtime_error naming the path when the file system refuses. The converter's own durable
// write (temporary file, sync, rename) is the platform layer's and does not come here.

#include <cstddef>
#include <filesystem>
#include <vector>

std::vector<unsigned char> readFileBytes(const std::filesystem::path& path);

// Creates or truncates the file; the folder must exist.
void writeFileBytes(const std::filesystem::path& path, const unsigned char* data, std::size_t size);
void writeFileBytes(const std::filesystem::path& path, const std::vector<unsigned char>& bytes);
