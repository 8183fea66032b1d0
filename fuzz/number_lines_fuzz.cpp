// The number-line reader: a number file read by the import, line by line under the line rule,
// into a number list; then the list's sort and repeat removal. The list must hold exactly the
// trimmed non-empty lines, whatever bytes they are (after a UTF-8 mark; of the UTF-8 form of a
// UTF-16 file).
#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include "acquire/import_files.h"
#include "cli/cli_frontend.h"
#include "fuzz_support.h"
#include "lists/number_list.h"
#include "platform/codepage.h"
#include "platform/text.h"

using namespace tessaril;

namespace {

// The lines as the rule defines them, worked out the plain way.
std::vector<std::string> ExpectedLines(std::string_view bytes) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < bytes.size()) {
    size_t end = bytes.find('\n', start);
    const size_t next = end == std::string_view::npos ? bytes.size() : end + 1;
    if (end == std::string_view::npos)
      end = bytes.size();
    const std::string_view trimmed = TrimNumberText(bytes.substr(start, end - start));
    if (!trimmed.empty())
      lines.emplace_back(trimmed);
    start = next;
  }
  return lines;
}

std::vector<std::string> Entries(const NumberList& list) {
  std::vector<std::string> entries;
  for (int i = 0; i < list.Count(); ++i)
    entries.push_back(list.At(i));
  return entries;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes = fuzz::AsText(data, size);
  const std::string path = fuzz::WriteScratchFile("numbers.txt", bytes);

  std::ostringstream sink;
  cli::CliFrontend frontend(sink);
  NumberList list;
  fuzz::Check(AppendNumberFile(list, frontend, path) == AppendResult::kAppended,
              "the number file did not open or read");

  // A UTF-8 mark at the start is no part of the text; a UTF-16 file is read as its UTF-8.
  std::string text(bytes);
  if (const Utf16Order order = Utf16OrderOf(text); order != Utf16Order::kNone) {
    Utf16Decoder decoder(order);
    text = decoder.Decode(bytes.substr(2));
    text += decoder.Finish();
  } else if (text.starts_with("\xEF\xBB\xBF")) {
    text.erase(0, 3);
  }
  std::vector<std::string> expected = ExpectedLines(text);
  fuzz::Check(Entries(list) == expected, "the list differs from the file's lines");
  for (const std::string& line : expected) {
    fuzz::Check(list.CountOf(line) == std::count(expected.begin(), expected.end(), line),
                "a count differs from the entries");
  }

  list.SortEntries();
  std::sort(expected.begin(), expected.end());
  fuzz::Check(Entries(list) == expected, "the sort differs from a byte-order sort");
  list.RemoveRepeats();
  expected.erase(std::unique(expected.begin(), expected.end()), expected.end());
  fuzz::Check(Entries(list) == expected, "the repeat removal differs");
  fuzz::Check(list.DistinctCount() == static_cast<int>(expected.size()),
              "the distinct count differs");
  return 0;
}
