#pragma once
// Windows only: the system's wide calls take UTF-16, the program holds UTF-8.

#include <string>

namespace platform {

std::wstring toWide(const std::string& utf8);

}  // namespace platform
