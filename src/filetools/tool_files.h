#pragma once

#include <string>
#include <vector>

#include "base/text_file.h"

namespace tessaril {

// True when both paths name the same existing file.
bool SameFile(const std::string& first, const std::string& second);

// Creates (or empties) a tool's output file. Refused, as a file that cannot be created, when the
// path names one of the tool's input files: emptying it would lose that input before it is read.
bool CreateToolOutput(TextFileWriter& file, const std::string& path,
                      const std::vector<std::string>& inputs);

}  // namespace tessaril
