#pragma once

#include <string>
#include <string_view>

namespace tessaril {

// The group label of an entry in the export by segment: its first `length` bytes, made fit for
// a UTF-8 file name. The cut never falls inside a character (it moves back to the character's
// start), and an entry that is not valid UTF-8 is read as GBK, the encoding of the data files,
// and its label converted to UTF-8.
std::string SegmentLabel(std::string_view entry, size_t length);

}  // namespace tessaril
