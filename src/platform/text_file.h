#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/codepage.h"
#include "platform/text.h"

namespace tessaril {

// Reads a file line by line in text mode, as the program's files were read on Windows: a line
// ends at LF, and a CR directly before that LF belongs to the line end. A last line without LF
// is still a line; lines have no length limit. Reads in large blocks. A UTF-8 byte-order mark at
// the start is skipped. A file of UTF-16 text (known by its byte-order mark, as Notepad and
// spreadsheets save "Unicode") is read as its UTF-8: its lines are the text's lines, without
// the mark.
class TextFileReader {
 public:
  TextFileReader() = default;
  ~TextFileReader();
  TextFileReader(const TextFileReader&) = delete;
  TextFileReader& operator=(const TextFileReader&) = delete;

  bool Open(const std::string& path);
  // Opens the file to read from `offset` bytes on: Position() starts there. Length() is still
  // the whole file's. From an offset past 0 the bytes are read as they are, UTF-16 or not.
  bool Open(const std::string& path, std::uint64_t offset);
  bool IsOpen() const { return fd_ >= 0; }
  // Whether the file is UTF-16 text, read as its UTF-8.
  bool IsUtf16() const { return utf16_.has_value(); }
  void Close();

  // The next line, valid until the next call; false at the end of the file (or on a read error).
  bool Next(std::string_view& line);
  // Whole lines the buffer holds now, taken at once for a caller that splits them itself: up to
  // and including the first LF at or past `up_to` bytes, or the last LF when there is none.
  // Valid until the next call. Empty when the buffer holds no whole line: Next then reads on.
  std::string_view TakeWholeLines(std::size_t up_to);
  // The next piece of the text as read, line ends and all: what the buffer holds once it has
  // read on. Valid until the next call; empty at the end of the file (or on a read error).
  std::string_view NextBlock();
  // Bytes consumed so far, line ends included (of the UTF-8 form of a UTF-16 file).
  std::uint64_t Position() const { return position_; }
  // The file's length, taken once when it was opened; of a UTF-16 file, the length its UTF-8
  // form has when it is ASCII (half the bytes after the mark), as number files are.
  std::uint64_t Length() const { return length_; }
  bool Failed() const { return failed_; }

 private:
  bool Fill();
  // Reads the next block of a UTF-16 file and appends its UTF-8 to the buffer.
  bool FillFromUtf16();

  int fd_ = -1;
  std::optional<Utf16Decoder> utf16_;
  std::string raw_;
  std::vector<char> buffer_;
  size_t begin_ = 0;
  size_t end_ = 0;
  bool eof_ = false;
  bool failed_ = false;
  std::uint64_t position_ = 0;
  std::uint64_t length_ = 0;
};

// Writes a text file in text mode: every LF is stored as CR LF. Every write and the close are
// checked; once a step failed, the writer stays failed.
class TextFileWriter {
 public:
  TextFileWriter() = default;
  // Writes in blocks of `block_size` bytes (1 MiB by default); exports that keep many files open
  // at once use small blocks.
  explicit TextFileWriter(size_t block_size) : block_(block_size) {}
  ~TextFileWriter();
  TextFileWriter(const TextFileWriter&) = delete;
  TextFileWriter& operator=(const TextFileWriter&) = delete;

  // `append` keeps what the file holds and writes after it. Fails on a symbolic link at `path`
  // (never followed) and on anything but a plain file.
  bool Open(const std::string& path, bool append = false);
  bool IsOpen() const { return fd_ >= 0; }

  // Writes `text` with its LFs as CR LF.
  void Write(std::string_view text);
  // Writes `text` and a line end.
  void WriteLine(std::string_view text);
  // Writes the eleven digits of a value below 10^11 and a line end, as WriteLine of its text.
  // Inline: exports write tens of millions of these.
  void WriteNumberLine(std::uint64_t value) {
    if (used_ + 13 > buffer_.size())
      MakeRoom();
    char* at = buffer_.data() + used_;
    FormatElevenDigits(value, at);
    at[11] = '\r';
    at[12] = '\n';
    used_ += 13;
    if (used_ >= block_)
      Flush();
  }
  // Writes these bytes as they are (lines already in text mode).
  void WriteBytes(std::string_view bytes);
  // Flushes and closes; false when any write or the close failed.
  bool Close();
  bool Failed() const { return failed_; }

 private:
  // Past a block the buffer is written out, so a number's line always fits behind it.
  static constexpr size_t kLineRoom = 64;

  void Raw(std::string_view bytes);
  bool Flush();
  // Writes out the buffer and gives it its full size.
  void MakeRoom();

  int fd_ = -1;
  // Its first used_ bytes are waiting to be written.
  std::string buffer_;
  size_t used_ = 0;
  bool failed_ = false;
  size_t block_ = size_t{1} << 20;
};

}  // namespace tessaril
