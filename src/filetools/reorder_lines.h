#pragma once

#include <random>
#include <string>

#include "interface/progress.h"

namespace tessaril {

enum class LineOrder { kSorted, kShuffled };

// Rewrites a finished output with its lines in ascending byte order or in a random order
// (Fisher-Yates from the end, drawing from `random`), each line followed by CR LF; a line is what
// the text-mode reader gives. The new content replaces the file only once it is completely
// written. A line of eleven digits is held as its value in one word (two while sorting); any
// other line as its bytes and three words.
// Progress: 80 + position × 10 / length while reading, then the writing of line i of n at
// i × 20 / n + 80 (sorted) or i × 10 / n + 90 (shuffled). False when the file could not be read
// or written (the file is then as it was).
bool ReorderLines(const std::string& path, LineOrder order, std::mt19937_64& random,
                  ProgressReporter& progress);

}  // namespace tessaril
