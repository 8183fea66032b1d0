// The CSV reader: RFC 4180 records of fields separated by commas or tabs, quoted fields with
// doubled quotes inside, read in blocks. The bytes of a field stay as they are: UTF-8 and GBK
// both split safely here, since no byte of a GBK character is a quote, comma, tab, CR or LF.
// UTF-16 text ("Unicode text" of a spreadsheet: tab-separated) is turned into UTF-8 first.
#include <optional>
#include <string>
#include <vector>

#include "acquire/sheet_reader.h"
#include "platform/codepage.h"
#include "platform/file_handle.h"

namespace tessaril {
namespace {

constexpr std::string_view kUtf8Mark("\xEF\xBB\xBF", 3);

// The separator of a file: a tab when its first record holds more tabs than commas outside
// quotes, else a comma.
char SeparatorOf(std::string_view start) {
  int commas = 0;
  int tabs = 0;
  bool quoted = false;
  for (char c : start) {
    if (c == '"')
      quoted = !quoted;
    else if (!quoted && c == '\n')
      break;
    else if (!quoted && c == ',')
      ++commas;
    else if (!quoted && c == '\t')
      ++tabs;
  }
  return tabs > commas ? '\t' : ',';
}

// Splits the bytes into fields as they come, block after block.
class CsvSplitter {
 public:
  explicit CsvSplitter(const SheetEntry& entry) : entry_(entry) {}
  void SetSeparator(char separator) { separator_ = separator; }

  void Feed(std::string_view bytes) {
    for (std::size_t i = 0; i < bytes.size(); ++i) {
      const char c = bytes[i];
      switch (state_) {
        case State::kFieldStart:
          if (c == '"') {
            state_ = State::kQuoted;
            break;
          }
          state_ = State::kPlain;
          [[fallthrough]];
        case State::kPlain: {
          // The rest of a plain field in one step.
          std::size_t end = i;
          while (end < bytes.size() && bytes[end] != separator_ && bytes[end] != '\n')
            ++end;
          field_.append(bytes.substr(i, end - i));
          i = end;
          if (i < bytes.size())
            EndField();
          break;
        }
        case State::kQuoted:
          if (c == '"')
            state_ = State::kQuoteInQuoted;
          else
            field_.push_back(c);
          break;
        case State::kQuoteInQuoted:
          if (c == '"') {
            field_.push_back('"');
            state_ = State::kQuoted;
          } else if (c == separator_ || c == '\n') {
            EndField();
          } else {
            // Text after a closing quote is kept, as spreadsheets keep it.
            field_.push_back(c);
            state_ = State::kPlain;
          }
          break;
      }
    }
  }
  // The last field of a file without a line end at its end.
  void Finish() {
    if (state_ != State::kFieldStart || !field_.empty())
      EndField();
  }

 private:
  enum class State { kFieldStart, kPlain, kQuoted, kQuoteInQuoted };

  void EndField() {
    CellEntries(field_, entry_);
    field_.clear();
    state_ = State::kFieldStart;
  }

  const SheetEntry& entry_;
  char separator_ = ',';
  State state_ = State::kFieldStart;
  std::string field_;
};

}  // namespace

SheetRead ReadCsvFile(const std::string& path, const SheetEntry& entry,
                      const SheetProgress& progress) {
  const int handle = OpenFileHandle(path, FileOpenMode::kRead);
  if (handle < 0)
    return SheetRead::kCannotOpen;
  const std::uint64_t length = RegularFileLength(handle).value_or(0);
  std::vector<char> buffer(std::size_t{1} << 20);
  CsvSplitter splitter(entry);
  std::uint64_t done = 0;
  bool first = true;
  std::optional<Utf16Decoder> utf16;
  std::string decoded;
  for (;;) {
    const std::int64_t got = ReadFileHandle(handle, buffer.data(), buffer.size());
    if (got < 0) {
      CloseFileHandle(handle);
      return SheetRead::kReadFailed;
    }
    if (got == 0)
      break;
    std::string_view bytes(buffer.data(), static_cast<std::size_t>(got));
    done += bytes.size();
    if (first && Utf16OrderOf(bytes) != Utf16Order::kNone)
      utf16.emplace(Utf16OrderOf(bytes));
    if (utf16) {
      // Its byte-order mark comes out as UTF-8's, and goes as that one does.
      decoded = utf16->Decode(bytes);
      bytes = decoded;
    }
    if (first) {
      first = false;
      if (bytes.starts_with(kUtf8Mark))
        bytes.remove_prefix(kUtf8Mark.size());
      splitter.SetSeparator(SeparatorOf(bytes));
    }
    splitter.Feed(bytes);
    if (progress && length > 0)
      progress(std::min(done, length), length);
  }
  CloseFileHandle(handle);
  if (utf16)
    splitter.Feed(utf16->Finish());
  splitter.Finish();
  return SheetRead::kRead;
}

}  // namespace tessaril
