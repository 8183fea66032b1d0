// The workbook reader: minizip walks the ZIP through the platform's file handles, expat streams
// the XML of each part. Nothing but the shared strings is held: a sheet's cells are handed on as
// they are parsed.
#include <expat.h>
#include <minizip/unzip.h>

#include <charconv>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "acquire/sheet_reader.h"
#include "platform/file_handle.h"

namespace tessaril {
namespace {

// ---- The ZIP, read through the platform's file handles (UTF-8 paths on every system).

struct ZipStream {
  int handle = -1;
  std::uint64_t position = 0;
  std::uint64_t length = 0;
  bool failed = false;
};

voidpf ZipOpen(voidpf, const void* path, int mode) {
  if ((mode & ZLIB_FILEFUNC_MODE_READWRITEFILTER) != ZLIB_FILEFUNC_MODE_READ)
    return nullptr;
  const int handle = OpenFileHandle(*static_cast<const std::string*>(path), FileOpenMode::kRead);
  if (handle < 0)
    return nullptr;
  auto* stream = new ZipStream;
  stream->handle = handle;
  stream->length = RegularFileLength(handle).value_or(0);
  return stream;
}

uLong ZipRead(voidpf, voidpf opaque, void* buffer, uLong size) {
  auto* stream = static_cast<ZipStream*>(opaque);
  uLong done = 0;
  while (done < size) {
    const std::int64_t got =
        ReadFileHandle(stream->handle, static_cast<char*>(buffer) + done, size - done);
    if (got < 0)
      stream->failed = true;
    if (got <= 0)
      break;
    done += static_cast<uLong>(got);
  }
  stream->position += done;
  return done;
}

uLong ZipWrite(voidpf, voidpf, const void*, uLong) {
  return 0;
}

ZPOS64_T ZipTell(voidpf, voidpf opaque) {
  return static_cast<ZipStream*>(opaque)->position;
}

long ZipSeek(voidpf, voidpf opaque, ZPOS64_T offset, int origin) {
  auto* stream = static_cast<ZipStream*>(opaque);
  std::uint64_t to = offset;
  if (origin == ZLIB_FILEFUNC_SEEK_CUR)
    to = stream->position + offset;
  else if (origin == ZLIB_FILEFUNC_SEEK_END)
    to = stream->length + offset;
  if (to > stream->length || !SeekFileHandle(stream->handle, to))
    return -1;
  stream->position = to;
  return 0;
}

int ZipClose(voidpf, voidpf opaque) {
  auto* stream = static_cast<ZipStream*>(opaque);
  const bool closed = CloseFileHandle(stream->handle);
  delete stream;
  return closed ? 0 : -1;
}

int ZipError(voidpf, voidpf opaque) {
  return static_cast<ZipStream*>(opaque)->failed ? 1 : 0;
}

// An open ZIP, closed when it goes.
class Zip {
 public:
  explicit Zip(const std::string& path) : path_(path) {
    zlib_filefunc64_def functions{};
    functions.zopen64_file = ZipOpen;
    functions.zread_file = ZipRead;
    functions.zwrite_file = ZipWrite;
    functions.ztell64_file = ZipTell;
    functions.zseek64_file = ZipSeek;
    functions.zclose_file = ZipClose;
    functions.zerror_file = ZipError;
    zip_ = unzOpen2_64(&path_, &functions);
  }
  ~Zip() {
    if (zip_)
      unzClose(zip_);
  }
  Zip(const Zip&) = delete;
  Zip& operator=(const Zip&) = delete;
  unzFile get() const { return zip_; }

 private:
  std::string path_;
  unzFile zip_ = nullptr;
};

// ---- XML parts, parsed as they inflate.

// The local part of an element or attribute name ("x:c" gives "c").
std::string_view Local(const XML_Char* name) {
  std::string_view text(name);
  const std::size_t colon = text.rfind(':');
  return colon == std::string_view::npos ? text : text.substr(colon + 1);
}

const XML_Char* Attribute(const XML_Char** attributes, std::string_view local) {
  for (int i = 0; attributes[i]; i += 2) {
    if (Local(attributes[i]) == local)
      return attributes[i + 1];
  }
  return nullptr;
}

// What a part's parse handlers need besides the parser.
class PartHandler {
 public:
  virtual ~PartHandler() = default;
  virtual void Start(std::string_view element, const XML_Char** attributes) = 0;
  virtual void End(std::string_view element) = 0;
  virtual void Text(std::string_view) {}
  // Set by a handler that meets what the part may not hold (a shared string that is not there).
  bool broken = false;
  XML_Parser parser = nullptr;
};

void XMLCALL OnStart(void* data, const XML_Char* name, const XML_Char** attributes) {
  static_cast<PartHandler*>(data)->Start(Local(name), attributes);
}
void XMLCALL OnEnd(void* data, const XML_Char* name) {
  static_cast<PartHandler*>(data)->End(Local(name));
}
void XMLCALL OnText(void* data, const XML_Char* text, int length) {
  static_cast<PartHandler*>(data)->Text(std::string_view(text, static_cast<std::size_t>(length)));
}

// A workbook's parts have no document type: one that declares it (and with it entities) is
// refused before any entity can be expanded.
void XMLCALL OnDoctype(void* data, const XML_Char*, const XML_Char*, const XML_Char*, int) {
  auto* handler = static_cast<PartHandler*>(data);
  handler->broken = true;
  XML_StopParser(handler->parser, XML_FALSE);
}

// Inflates what the whole workbook may inflate to, no more.
class Inflation {
 public:
  Inflation(std::uint64_t cap, const SheetProgress& progress) : cap_(cap), progress_(progress) {}
  // Counts `bytes` more; false past the cap.
  bool Add(std::uint64_t bytes) {
    used_ += bytes;
    done_ += bytes;
    if (progress_ && total_ > 0)
      progress_(std::min(done_, total_), total_);
    return used_ <= cap_;
  }
  // The bytes the progress goes over: the sheets' stated sizes.
  void SetTotal(std::uint64_t total) { total_ = total; }
  void SheetsStart() { done_ = 0; }

 private:
  const std::uint64_t cap_;
  const SheetProgress& progress_;
  std::uint64_t used_ = 0;
  std::uint64_t done_ = 0;
  std::uint64_t total_ = 0;
};

// Finds the part `name` (case as the ZIP spells it, or any case) and makes it the current one.
bool LocatePart(unzFile zip, const std::string& name) {
  return unzLocateFile(zip, name.c_str(), 2) == UNZ_OK;
}

// Parses the part `name` with `handler`; kRead when it was parsed whole.
SheetRead ParsePart(unzFile zip, const std::string& name, PartHandler& handler,
                    Inflation& inflation) {
  if (!LocatePart(zip, name))
    return SheetRead::kDamaged;
  unz_file_info64 info{};
  if (unzGetCurrentFileInfo64(zip, &info, nullptr, 0, nullptr, 0, nullptr, 0) != UNZ_OK)
    return SheetRead::kDamaged;
  if (info.flag & 1)
    return SheetRead::kEncrypted;
  if (unzOpenCurrentFile(zip) != UNZ_OK)
    return SheetRead::kDamaged;

  XML_Parser parser = XML_ParserCreate("UTF-8");
  if (!parser) {
    unzCloseCurrentFile(zip);
    return SheetRead::kReadFailed;
  }
  handler.parser = parser;
  XML_SetUserData(parser, &handler);
  XML_SetElementHandler(parser, OnStart, OnEnd);
  XML_SetCharacterDataHandler(parser, OnText);
  XML_SetStartDoctypeDeclHandler(parser, OnDoctype);
  SheetRead result = SheetRead::kRead;
  std::vector<char> buffer(std::size_t{1} << 16);
  for (;;) {
    const int got = unzReadCurrentFile(zip, buffer.data(), static_cast<unsigned>(buffer.size()));
    if (got < 0) {
      result = got == UNZ_ERRNO ? SheetRead::kReadFailed : SheetRead::kDamaged;
      break;
    }
    if (got > 0 && !inflation.Add(static_cast<std::uint64_t>(got))) {
      result = SheetRead::kTooLarge;
      break;
    }
    if (XML_Parse(parser, buffer.data(), got, got == 0) != XML_STATUS_OK || handler.broken) {
      result = SheetRead::kDamaged;
      break;
    }
    if (got == 0)
      break;
  }
  XML_ParserFree(parser);
  handler.parser = nullptr;
  // The close checks the CRC of a part read to its end.
  if (unzCloseCurrentFile(zip) != UNZ_OK && result == SheetRead::kRead)
    result = SheetRead::kDamaged;
  return result;
}

// xl/workbook.xml: the sheets' relationship ids, in the workbook's order.
class WorkbookPart : public PartHandler {
 public:
  std::vector<std::string> sheet_ids;
  void Start(std::string_view element, const XML_Char** attributes) override {
    if (element != "sheet")
      return;
    if (const XML_Char* id = Attribute(attributes, "id"))
      sheet_ids.emplace_back(id);
  }
  void End(std::string_view) override {}
};

// xl/_rels/workbook.xml.rels: where each relationship id points, and the shared strings' part.
class RelationshipsPart : public PartHandler {
 public:
  std::map<std::string, std::string> worksheets;
  std::string shared_strings;
  void Start(std::string_view element, const XML_Char** attributes) override {
    if (element != "Relationship")
      return;
    const XML_Char* id = Attribute(attributes, "Id");
    const XML_Char* target = Attribute(attributes, "Target");
    const XML_Char* type = Attribute(attributes, "Type");
    if (!id || !target || !type)
      return;
    const std::string_view kind(type);
    if (kind.ends_with("/worksheet"))
      worksheets[id] = PartName(target);
    else if (kind.ends_with("/sharedStrings"))
      shared_strings = PartName(target);
  }
  void End(std::string_view) override {}

 private:
  // A target relative to xl/, or absolute from the package's root.
  static std::string PartName(std::string_view target) {
    if (target.starts_with('/'))
      return std::string(target.substr(1));
    return "xl/" + std::string(target);
  }
};

// xl/sharedStrings.xml: the texts of <si>, runs joined, phonetic runs left out.
class SharedStringsPart : public PartHandler {
 public:
  std::vector<std::string> strings;
  void Start(std::string_view element, const XML_Char**) override {
    if (element == "si") {
      strings.emplace_back();
      in_item_ = true;
    } else if (element == "rPh") {
      ++in_phonetic_;
    } else if (element == "t") {
      in_text_ = true;
    }
  }
  void End(std::string_view element) override {
    if (element == "si")
      in_item_ = false;
    else if (element == "rPh")
      --in_phonetic_;
    else if (element == "t")
      in_text_ = false;
  }
  void Text(std::string_view text) override {
    if (in_item_ && in_text_ && in_phonetic_ == 0)
      strings.back().append(text);
  }

 private:
  bool in_item_ = false;
  bool in_text_ = false;
  int in_phonetic_ = 0;
};

// A worksheet: each cell's shown text, handed on when its element ends.
class SheetPart : public PartHandler {
 public:
  SheetPart(const std::vector<std::string>& shared, const SheetEntry& entry)
      : shared_(shared), entry_(entry) {}

  void Start(std::string_view element, const XML_Char** attributes) override {
    if (element == "c") {
      const XML_Char* type = Attribute(attributes, "t");
      type_ = type ? type : "n";
      value_.clear();
      in_cell_ = true;
    } else if (in_cell_ && element == "v") {
      collect_ = true;
    } else if (in_cell_ && element == "t") {
      collect_ = in_phonetic_ == 0;  // the text of an inline string
    } else if (element == "rPh") {
      ++in_phonetic_;
    }
  }
  void End(std::string_view element) override {
    if (element == "v" || element == "t") {
      collect_ = false;
    } else if (element == "rPh") {
      --in_phonetic_;
    } else if (element == "c" && in_cell_) {
      in_cell_ = false;
      Deliver();
    }
  }
  void Text(std::string_view text) override {
    if (collect_)
      value_.append(text);
  }

 private:
  void Deliver() {
    if (value_.empty())
      return;
    if (type_ == "s") {
      std::size_t index = 0;
      const auto [end, error] =
          std::from_chars(value_.data(), value_.data() + value_.size(), index);
      if (error != std::errc() || end != value_.data() + value_.size() || index >= shared_.size()) {
        broken = true;
        return;
      }
      CellEntries(shared_[index], entry_);
    } else if (type_ == "b") {
      CellEntries(value_ == "1" ? "TRUE" : "FALSE", entry_);
    } else if (type_ == "n") {
      CellEntries(NumberCellText(value_), entry_);
    } else {
      // inlineStr, str (a formula's text), e (an error's text), d (a date's text).
      CellEntries(value_, entry_);
    }
  }

  const std::vector<std::string>& shared_;
  const SheetEntry& entry_;
  std::string type_;
  std::string value_;
  bool in_cell_ = false;
  bool collect_ = false;
  int in_phonetic_ = 0;
};

// The stated inflated size of the part `name`, 0 when it is not there.
std::uint64_t PartSize(unzFile zip, const std::string& name) {
  unz_file_info64 info{};
  if (!LocatePart(zip, name) ||
      unzGetCurrentFileInfo64(zip, &info, nullptr, 0, nullptr, 0, nullptr, 0) != UNZ_OK)
    return 0;
  return info.uncompressed_size;
}

}  // namespace

bool ZipHoldsWorkbook(const std::string& path) {
  Zip zip(path);
  return zip.get() && LocatePart(zip.get(), "xl/workbook.xml");
}

SheetRead ReadWorkbook(const std::string& path, std::uint64_t cap, const SheetEntry& entry,
                       const SheetProgress& progress) {
  Zip zip(path);
  if (!zip.get()) {
    const int handle = OpenFileHandle(path, FileOpenMode::kRead);
    if (handle < 0)
      return SheetRead::kCannotOpen;
    CloseFileHandle(handle);
    return SheetRead::kDamaged;
  }
  Inflation inflation(cap, progress);

  WorkbookPart workbook;
  if (SheetRead read = ParsePart(zip.get(), "xl/workbook.xml", workbook, inflation);
      read != SheetRead::kRead)
    return read;
  RelationshipsPart relationships;
  if (SheetRead read = ParsePart(zip.get(), "xl/_rels/workbook.xml.rels", relationships, inflation);
      read != SheetRead::kRead)
    return read;

  SharedStringsPart shared;
  if (!relationships.shared_strings.empty()) {
    if (SheetRead read = ParsePart(zip.get(), relationships.shared_strings, shared, inflation);
        read != SheetRead::kRead)
      return read;
  }

  std::vector<std::string> sheets;
  std::uint64_t total = 0;
  for (const std::string& id : workbook.sheet_ids) {
    auto found = relationships.worksheets.find(id);
    if (found == relationships.worksheets.end())
      continue;  // a chart sheet holds no cells
    sheets.push_back(found->second);
    total += PartSize(zip.get(), found->second);
  }
  inflation.SetTotal(total);
  inflation.SheetsStart();
  for (const std::string& name : sheets) {
    SheetPart sheet(shared.strings, entry);
    if (SheetRead read = ParsePart(zip.get(), name, sheet, inflation); read != SheetRead::kRead)
      return read;
  }
  return SheetRead::kRead;
}

}  // namespace tessaril
