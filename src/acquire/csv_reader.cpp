// The CSV reader: RFC 4180 records of fields separated by commas or tabs, quoted fields with
// doubled quotes inside, read in blocks. The bytes of a field stay as they are: UTF-8 and GBK
// both split safely here, since no byte of a GBK character is a quote, comma, tab, CR or LF.
// UTF-16 text ("Unicode text" of a spreadsheet: tab-separated) is read as its UTF-8.
#include <algorithm>
#include <string>

#include "acquire/sheet_reader.h"
#include "platform/text_file.h"

namespace tessaril {
namespace {

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
  // The reader takes off a UTF-8 byte-order mark and turns UTF-16 into UTF-8.
  TextFileReader reader;
  if (!reader.Open(path))
    return SheetRead::kCannotOpen;
  const std::uint64_t length = reader.Length();
  CsvSplitter splitter(entry);
  bool first = true;
  for (std::string_view bytes; !(bytes = reader.NextBlock()).empty();) {
    if (first) {
      first = false;
      splitter.SetSeparator(SeparatorOf(bytes));
    }
    splitter.Feed(bytes);
    if (progress && length > 0)
      progress(std::min(reader.Position(), length), length);
  }
  if (reader.Failed())
    return SheetRead::kReadFailed;
  splitter.Finish();
  return SheetRead::kRead;
}

}  // namespace tessaril
