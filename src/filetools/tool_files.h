#pragma once

#include <string>

namespace tessaril {

// True when both paths name the same existing file.
bool SameFile(const std::string& first, const std::string& second);

}  // namespace tessaril
