#include "export/sheet_writer.h"

#include <xlsxwriter.h>

#include <algorithm>

#include "platform/codepage.h"
#include "platform/file_system.h"
#include "platform/text_file.h"

namespace tessaril {
namespace {

class XlsxWriter : public SheetWriter {
 public:
  XlsxWriter(const std::string& path, long long columns)
      : folder_(DirectoryPart(path).empty() ? std::string(".") : DirectoryPart(path)),
        columns_(columns) {
    lxw_workbook_options options{};
    options.constant_memory = LXW_TRUE;
    // Temporary files go beside the output: the system's temporary folder may be small, or on
    // Windows not writable.
    options.tmpdir = folder_.data();
    // A worksheet's XML may pass 4 GiB for the longest lists.
    options.use_zip64 = LXW_TRUE;
    workbook_ = workbook_new_opt(path.c_str(), &options);
    if (!workbook_)
      return;
    text_ = workbook_add_format(workbook_);
    format_set_num_format(text_, "@");
    failed_ = !NewSheet();
  }
  ~XlsxWriter() override {
    if (workbook_)
      workbook_close(workbook_);
  }
  bool IsOpen() const { return workbook_ != nullptr; }

  void Cell(std::string_view text) override {
    if (failed_)
      return;
    if (row_ == kSheetRows && !NewSheet())
      return;
    if (column_ >= kSheetColumns) {
      failed_ = true;
      return;
    }
    // XML holds UTF-8 only: a GBK text (a number file's) is converted, as its bytes are meant.
    const std::string utf8 = IsValidUtf8(text) ? std::string(text) : GbkToUtf8(text);
    if (!utf8.empty() && worksheet_write_string(sheet_, static_cast<lxw_row_t>(row_),
                                                static_cast<lxw_col_t>(column_), utf8.c_str(),
                                                nullptr) != LXW_NO_ERROR)
      failed_ = true;
    ++column_;
  }
  void EndRow() override {
    ++row_;
    column_ = 0;
  }
  bool Close() override {
    if (!workbook_)
      return false;
    const lxw_error closed = workbook_close(workbook_);
    workbook_ = nullptr;
    return !failed_ && closed == LXW_NO_ERROR;
  }
  bool Failed() const override { return failed_; }

 private:
  bool NewSheet() {
    ++sheets_;
    const std::string name = sheets_ == 1 ? "号码" : "号码" + std::to_string(sheets_);
    sheet_ = workbook_add_worksheet(workbook_, name.c_str());
    if (!sheet_) {
      failed_ = true;
      return false;
    }
    // Text columns wide enough for a number: a number typed in later stays text too.
    worksheet_set_column(sheet_, 0, static_cast<lxw_col_t>(std::min(columns_, kSheetColumns) - 1),
                         14, text_);
    row_ = 0;
    return true;
  }

  std::string folder_;
  const long long columns_;
  lxw_workbook* workbook_ = nullptr;
  lxw_worksheet* sheet_ = nullptr;
  lxw_format* text_ = nullptr;
  int sheets_ = 0;
  long long row_ = 0;
  long long column_ = 0;
  bool failed_ = false;
};

class CsvWriter : public SheetWriter {
 public:
  explicit CsvWriter(const std::string& path) { file_.Open(path); }
  bool IsOpen() const { return file_.IsOpen(); }

  void Cell(std::string_view text) override {
    if (column_++ > 0)
      line_.push_back(',');
    if (text.find_first_of(",\"\r\n") == std::string_view::npos) {
      line_.append(text);
      return;
    }
    line_.push_back('"');
    for (char c : text) {
      if (c == '"')
        line_.push_back('"');
      line_.push_back(c);
    }
    line_.push_back('"');
  }
  void EndRow() override {
    line_.append("\r\n");
    column_ = 0;
    if (line_.size() >= kBlock) {
      file_.WriteBytes(line_);
      line_.clear();
    }
  }
  bool Close() override {
    file_.WriteBytes(line_);
    line_.clear();
    return file_.Close();
  }
  bool Failed() const override { return file_.Failed(); }

 private:
  static constexpr std::size_t kBlock = std::size_t{1} << 16;
  TextFileWriter file_;
  std::string line_;
  long long column_ = 0;
};

}  // namespace

std::unique_ptr<SheetWriter> OpenSheetWriter(OutputFormat format, const std::string& path,
                                             long long columns) {
  if (format == OutputFormat::kXlsx) {
    auto writer = std::make_unique<XlsxWriter>(path, columns);
    if (writer->IsOpen())
      return writer;
  } else if (format == OutputFormat::kCsv) {
    auto writer = std::make_unique<CsvWriter>(path);
    if (writer->IsOpen())
      return writer;
  }
  return nullptr;
}

}  // namespace tessaril
