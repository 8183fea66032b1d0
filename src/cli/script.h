#pragma once

#include <optional>
#include <string>
#include <vector>

namespace tessaril::cli {

// Splits one script line into words: blanks separate words, a word in double quotes may hold
// blanks, and inside quotes \" and \\ stand for " and \. Nothing for a line that is empty or a
// comment; `error` is set for an unterminated quote.
std::optional<std::vector<std::string>> SplitScriptLine(const std::string& line,
                                                        std::string& error);

}  // namespace tessaril::cli
