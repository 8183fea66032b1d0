#include "export/segment_label.h"

#include "platform/codepage.h"

namespace tessaril {

std::string SegmentLabel(std::string_view entry, size_t length) {
  std::string_view cut = entry.substr(0, length);
  // Numbers and other ASCII texts: an ASCII byte always ends a character, in UTF-8 and in GBK.
  bool ascii = true;
  for (char c : cut)
    ascii = ascii && static_cast<unsigned char>(c) < 0x80;
  if (ascii)
    return std::string(cut);
  if (IsValidUtf8(entry)) {
    size_t end = cut.size();
    while (end < entry.size() && end > 0 && (static_cast<unsigned char>(entry[end]) & 0xC0) == 0x80)
      --end;
    return std::string(entry.substr(0, end));
  }
  // GBK: a byte from 0x81 on leads a character of two bytes.
  size_t end = 0;
  while (end < cut.size()) {
    const size_t step = static_cast<unsigned char>(entry[end]) >= 0x81 ? 2 : 1;
    if (end + step > cut.size())
      break;
    end += step;
  }
  return GbkToUtf8(entry.substr(0, end));
}

}  // namespace tessaril
