#include "platform/text_file.h"

#include <cstring>

#include "platform/file_handle.h"
#include "platform/text.h"

namespace tessaril {
namespace {
constexpr size_t kBlock = 1 << 20;

// Most lines are numbers of eleven bytes: scanning them inline costs less than a call.
bool HasLineFeed(std::string_view text) {
  if (text.size() > 32)
    return text.find('\n') != std::string_view::npos;
  for (char c : text) {
    if (c == '\n')
      return true;
  }
  return false;
}

}  // namespace

TextFileReader::~TextFileReader() {
  Close();
}

bool TextFileReader::Open(const std::string& path) {
  Close();
  fd_ = OpenFileHandle(path, FileOpenMode::kRead);
  if (fd_ < 0)
    return false;
  std::optional<std::uint64_t> length = RegularFileLength(fd_);
  if (!length) {
    Close();
    return false;
  }
  length_ = *length;
  buffer_.resize(kBlock);
  begin_ = end_ = 0;
  eof_ = failed_ = false;
  position_ = 0;
  utf16_.reset();
  // The first bytes tell UTF-16 text, or UTF-8 with its mark; any others start the text.
  const std::int64_t got = ReadFileHandle(fd_, buffer_.data(), kUtf8Mark.size());
  if (got < 0) {
    failed_ = eof_ = true;
    return true;
  }
  const std::string_view start(buffer_.data(), static_cast<size_t>(got));
  if (const Utf16Order order = Utf16OrderOf(start); order != Utf16Order::kNone) {
    utf16_.emplace(order);
    length_ = (length_ - 2) / 2;
    const std::string text = utf16_->Decode(start.substr(2));
    std::memcpy(buffer_.data(), text.data(), text.size());
    end_ = text.size();
  } else if (start == kUtf8Mark) {
    // The mark is no part of the first line: "\xEF\xBB\xBF13800138000" would be no number.
    position_ = kUtf8Mark.size();
  } else {
    end_ = start.size();
  }
  return true;
}

bool TextFileReader::Open(const std::string& path, std::uint64_t offset) {
  if (!Open(path))
    return false;
  if (offset == 0)
    return true;
  if (!SeekFileHandle(fd_, offset)) {
    Close();
    return false;
  }
  utf16_.reset();
  length_ = RegularFileLength(fd_).value_or(0);
  begin_ = end_ = 0;
  position_ = offset;
  return true;
}

void TextFileReader::Close() {
  if (fd_ >= 0)
    CloseFileHandle(fd_);
  fd_ = -1;
}

bool TextFileReader::Fill() {
  if (eof_ || fd_ < 0)
    return false;
  if (begin_ > 0) {
    std::memmove(buffer_.data(), buffer_.data() + begin_, end_ - begin_);
    end_ -= begin_;
    begin_ = 0;
  }
  if (end_ == buffer_.size())
    buffer_.resize(buffer_.size() * 2);  // a very long line
  if (utf16_)
    return FillFromUtf16();
  std::int64_t got = ReadFileHandle(fd_, buffer_.data() + end_, buffer_.size() - end_);
  if (got < 0)
    failed_ = true;
  if (got <= 0) {
    eof_ = true;
    return false;
  }
  end_ += static_cast<size_t>(got);
  return true;
}

bool TextFileReader::FillFromUtf16() {
  raw_.resize(kBlock);
  const std::int64_t got = ReadFileHandle(fd_, raw_.data(), raw_.size());
  if (got < 0)
    failed_ = true;
  if (got <= 0)
    eof_ = true;
  // At the end, what is left of the text: an odd byte, a surrogate without its pair.
  const std::string text =
      got > 0 ? utf16_->Decode(std::string_view(raw_.data(), static_cast<size_t>(got)))
              : utf16_->Finish();
  if (buffer_.size() - end_ < text.size())
    buffer_.resize(end_ + text.size());
  std::memcpy(buffer_.data() + end_, text.data(), text.size());
  end_ += text.size();
  return !text.empty() || !eof_;
}

std::string_view TextFileReader::NextBlock() {
  // On again while nothing came: a UTF-16 block may end in half a character.
  while (Fill() && begin_ == end_) {
  }
  const std::string_view block(buffer_.data() + begin_, end_ - begin_);
  position_ += block.size();
  begin_ = end_;
  return block;
}

std::string_view TextFileReader::TakeWholeLines(std::size_t up_to) {
  const char* const first = buffer_.data() + begin_;
  const char* last = buffer_.data() + end_;
  const std::size_t held = end_ - begin_;
  const void* lf = up_to > 0 && up_to <= held
                       ? std::memchr(first + up_to - 1, '\n', held - (up_to - 1))
                       : nullptr;
  if (lf) {
    last = static_cast<const char*>(lf) + 1;
  } else {
    // Back over the unfinished line at the end, if any.
    while (last != first && last[-1] != '\n')
      --last;
  }
  const size_t taken = static_cast<size_t>(last - first);
  begin_ += taken;
  position_ += taken;
  return std::string_view(first, taken);
}

bool TextFileReader::Next(std::string_view& line) {
  size_t scanned = begin_;
  for (;;) {
    const char* start = buffer_.data() + scanned;
    const void* lf = std::memchr(start, '\n', end_ - scanned);
    if (lf) {
      size_t at = static_cast<const char*>(lf) - buffer_.data();
      size_t length = at - begin_;
      if (length > 0 && buffer_[at - 1] == '\r')
        --length;
      line = std::string_view(buffer_.data() + begin_, length);
      position_ += at + 1 - begin_;
      begin_ = at + 1;
      return true;
    }
    scanned = end_ - begin_;
    if (!Fill())
      break;
    // Fill moved the pending bytes to the front of the buffer.
    scanned = begin_ + scanned;
  }
  if (begin_ == end_)
    return false;
  // The last line has no line end.
  line = std::string_view(buffer_.data() + begin_, end_ - begin_);
  position_ += end_ - begin_;
  begin_ = end_;
  return true;
}

TextFileWriter::~TextFileWriter() {
  if (fd_ >= 0)
    Close();
}

bool TextFileWriter::Open(const std::string& path, bool append) {
  if (fd_ >= 0)
    Close();
  fd_ = OpenFileHandle(path, append ? FileOpenMode::kAppend : FileOpenMode::kTruncate);
  failed_ = fd_ < 0;
  used_ = 0;
  if (buffer_.size() < block_ + kLineRoom)
    buffer_.resize(block_ + kLineRoom);
  return fd_ >= 0;
}

void TextFileWriter::MakeRoom() {
  Flush();
  if (buffer_.size() < block_ + kLineRoom)
    buffer_.resize(block_ + kLineRoom);
}

void TextFileWriter::Raw(std::string_view bytes) {
  if (used_ + bytes.size() > buffer_.size()) {
    MakeRoom();
    if (bytes.size() > buffer_.size()) {
      // A text longer than the buffer goes out as it is.
      if (!failed_ && fd_ >= 0 && !WriteFileHandle(fd_, bytes.data(), bytes.size()))
        failed_ = true;
      return;
    }
  }
  std::memcpy(buffer_.data() + used_, bytes.data(), bytes.size());
  used_ += bytes.size();
  if (used_ >= block_)
    Flush();
}

void TextFileWriter::Write(std::string_view text) {
  size_t from = 0;
  for (;;) {
    size_t lf = text.find('\n', from);
    if (lf == std::string_view::npos) {
      Raw(text.substr(from));
      return;
    }
    Raw(text.substr(from, lf - from));
    Raw("\r\n");
    from = lf + 1;
  }
}

void TextFileWriter::WriteLine(std::string_view text) {
  if (!HasLineFeed(text)) {
    Raw(text);
    Raw("\r\n");
    return;
  }
  Write(text);
  Raw("\r\n");
}

void TextFileWriter::WriteBytes(std::string_view bytes) {
  // Written straight from the caller's memory when the buffer would only copy them.
  if (bytes.size() < block_) {
    Raw(bytes);
    return;
  }
  Flush();
  if (!failed_ && fd_ >= 0 && !WriteFileHandle(fd_, bytes.data(), bytes.size()))
    failed_ = true;
}

bool TextFileWriter::Flush() {
  if (used_ > 0 && !failed_ && fd_ >= 0 && !WriteFileHandle(fd_, buffer_.data(), used_))
    failed_ = true;
  used_ = 0;
  return !failed_;
}

bool TextFileWriter::Close() {
  if (fd_ < 0)
    return !failed_;
  Flush();
  if (!CloseFileHandle(fd_))
    failed_ = true;
  fd_ = -1;
  return !failed_;
}

}  // namespace tessaril
