#pragma once
// Wraps bytes in one gzip member (zlib's default header), as the game writes its saves.

#include <vector>

std::vector<unsigned char> gzipMember(const std::vector<unsigned char>& content, int level = -1);
// Inflates the first gzip member; throws std::runtime_error when the data is not a complete member.
std::vector<unsigned char> gunzipMember(const std::vector<unsigned char>& member);
