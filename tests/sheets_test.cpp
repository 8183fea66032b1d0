// Spreadsheets in and out: the cell rules of the reader, workbooks made part by part (shared and
// inline strings, formulas, empty cells, hostile parts), the refusals that leave the list as it
// was, and the exports' sheets read back by the reader.
#include <gtest/gtest.h>
#include <minizip/unzip.h>
#include <minizip/zip.h>

#include <filesystem>

#include "acquire/import_files.h"
#include "acquire/sheet_import.h"
#include "acquire/sheet_reader.h"
#include "export/export_all.h"
#include "export/export_batches.h"
#include "export/export_by_carrier.h"
#include "export/grouped_files.h"
#include "export/output_files.h"
#include "interface/messages.h"
#include "platform/file_system.h"
#include "support/cli_script_test.h"
#include "support/temp_dir.h"

namespace tessaril {
namespace {

using Strings = std::vector<std::string>;
using SheetsTest = testing::CommandTest;

// A ZIP of these parts, written with minizip.
void WriteZip(const std::string& path,
              const std::vector<std::pair<std::string, std::string>>& parts,
              bool encrypted = false) {
  zipFile zip = zipOpen64(path.c_str(), 0);
  ASSERT_NE(zip, nullptr);
  for (const auto& [name, content] : parts) {
    zip_fileinfo info{};
    ASSERT_EQ(zipOpenNewFileInZip3_64(zip, name.c_str(), &info, nullptr, 0, nullptr, 0, nullptr,
                                      Z_DEFLATED, 6, 0, -MAX_WBITS, DEF_MEM_LEVEL,
                                      Z_DEFAULT_STRATEGY, encrypted ? "secret" : nullptr, 0, 1),
              ZIP_OK);
    ASSERT_EQ(zipWriteInFileInZip(zip, content.data(), static_cast<unsigned>(content.size())),
              ZIP_OK);
    zipCloseFileInZip(zip);
  }
  zipClose(zip, nullptr);
}

constexpr const char* kRelsType =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships/";

// A workbook of one sheet (and the shared strings) as Excel lays its parts out.
std::vector<std::pair<std::string, std::string>> Workbook(const std::string& sheet,
                                                          const std::string& shared = "") {
  std::string rels = "<Relationships><Relationship Id=\"rId1\" Type=\"" + std::string(kRelsType) +
                     "worksheet\" Target=\"worksheets/sheet1.xml\"/>";
  if (!shared.empty())
    rels += "<Relationship Id=\"rId2\" Type=\"" + std::string(kRelsType) +
            "sharedStrings\" Target=\"/xl/sharedStrings.xml\"/>";
  rels += "</Relationships>";
  std::vector<std::pair<std::string, std::string>> parts = {
      {"[Content_Types].xml", "<Types/>"},
      {"xl/workbook.xml",
       "<workbook xmlns:r=\"r\"><sheets><sheet name=\"A\" sheetId=\"1\" r:id=\"rId1\"/></sheets>"
       "</workbook>"},
      {"xl/_rels/workbook.xml.rels", rels},
      {"xl/worksheets/sheet1.xml", "<worksheet><sheetData>" + sheet + "</sheetData></worksheet>"}};
  if (!shared.empty())
    parts.emplace_back("xl/sharedStrings.xml", "<sst>" + shared + "</sst>");
  return parts;
}

// The text of one part of a ZIP, read with minizip.
std::string PartText(const std::string& path, const std::string& part) {
  // minizip's own file functions take narrow names: a copy under a plain name serves Windows.
  const std::string plain = DirectoryPart(path) + "part-probe.zip";
  std::filesystem::remove(testing::FsPath(plain));
  std::filesystem::copy_file(testing::FsPath(path), testing::FsPath(plain));
  unzFile zip = unzOpen64(plain.c_str());
  std::string text;
  if (zip && unzLocateFile(zip, part.c_str(), 1) == UNZ_OK && unzOpenCurrentFile(zip) == UNZ_OK) {
    char buffer[65536];
    for (int got; (got = unzReadCurrentFile(zip, buffer, sizeof buffer)) > 0;)
      text.append(buffer, static_cast<size_t>(got));
    unzCloseCurrentFile(zip);
  }
  if (zip)
    unzClose(zip);
  return text;
}

// What ReadSheetFile hands on, or the failure.
std::pair<SheetRead, Strings> Read(const std::string& path,
                                   std::uint64_t cap = std::uint64_t{1} << 30) {
  Strings entries;
  auto entry = [&](std::string_view text) { entries.emplace_back(text); };
  const SheetKind kind = SheetKindOf(path);
  SheetRead read = kind == SheetKind::kXlsx ? ReadWorkbook(path, cap, entry, {})
                                            : ReadSheetFile(path, kind, entry);
  return {read, entries};
}

TEST(NumberCellTextTest, WholeNumbersKeepTheirDigits) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"13800138000", "13800138000"},
      {"1.3800138E10", "13800138000"},
      {"13800138000.0", "13800138000"},
      {"1.38001E+10", "13800100000"},
      {"-42", "-42"},
      {"007", "7"},
      {"0.0", "0"},
      {"3.14", "3.14"},
      {"3.1400000000000001", "3.14"},
      {"1E-3", "0.001"},
      {"1e400", "1e400"},
      {"TRUE", "TRUE"},
      {"", ""},
      {"1.2.3", "1.2.3"},
  };
  for (const auto& [stored, shown] : cases)
    EXPECT_EQ(NumberCellText(stored), shown) << stored;
}

TEST_F(SheetsTest, CsvFieldsByRfc4180) {
  const std::vector<std::pair<std::string, Strings>> cases = {
      {"a,b\r\nc,d\r\n", {"a", "b", "c", "d"}},
      {"\xEF\xBB\xBF"
       "13800138000,\"1390013,9000\"\n",
       {"13800138000", "1390013,9000"}},
      {"\"say \"\"hi\"\"\",,\n", {"say \"hi\""}},
      {"13800138000\t13900139000\t\"a,b\"\n", {"13800138000", "13900139000", "a,b"}},
      {"\"line1\r\nline2\",z", {"line1", "line2", "z"}},
      {"\xD5\xC5\xC8\xFD,138", {"\xD5\xC5\xC8\xFD", "138"}},  // GBK bytes stay as they are
      {"  padded  , \n\n", {"padded"}},
      {"\"open quote,138\n", {"open quote,138"}},
  };
  for (const auto& [bytes, entries] : cases) {
    const std::string path = WriteFile("in.csv", bytes);
    EXPECT_EQ(Read(path), std::make_pair(SheetRead::kRead, entries)) << bytes;
  }
}

// A spreadsheet's "Unicode text" (UTF-16, tab-separated) and Notepad's "Unicode" are read as
// their text, whatever their name; a text without the mark stays a text.
TEST_F(SheetsTest, Utf16TextIsReadAsItsCharacters) {
  const std::string excel = WriteFile(
      "客户.txt", testing::Utf16Bytes(
                      u"号码\t姓名\r\n13800138000\t\u5F20\r\n13900139000\t\"a\tb\"\r\n", false));
  EXPECT_EQ(SheetKindOf(excel), SheetKind::kCsv);
  EXPECT_EQ(Read(excel), std::make_pair(SheetRead::kRead, Strings{"号码", "姓名", "13800138000",
                                                                  "张", "13900139000", "a\tb"}));
  const std::string notepad =
      WriteFile("列表.txt", testing::Utf16Bytes(u"13800138000\r\n13900139000", true));
  EXPECT_EQ(Read(notepad), std::make_pair(SheetRead::kRead, Strings{"13800138000", "13900139000"}));
  EXPECT_EQ(SheetKindOf(WriteFile("plain.txt", "13800138000\r\n")), SheetKind::kNone);
  // Imported, the numbers arrive as numbers.
  ImportFileList(state_, ui_, {notepad});
  EXPECT_EQ(state_.source.Count(), 2);
  EXPECT_EQ(state_.source.At(0), "13800138000");
}

TEST_F(SheetsTest, WorkbookCellsOfEveryKind) {
  const std::string path = Path("book.xlsx");
  WriteZip(path,
           Workbook("<row r=\"1\"><c r=\"A1\"><v>1.3800138E10</v></c>"
                    "<c r=\"B1\" t=\"s\"><v>1</v></c><c r=\"C1\" t=\"s\" s=\"2\"><v>0</v></c></row>"
                    "<row r=\"2\"/><row r=\"3\"><c r=\"A3\" s=\"1\"/><c r=\"B3\" t=\"inlineStr\">"
                    "<is><r><t> 139</t></r><r><t>00139000 </t></r></is></c>"
                    "<c r=\"C3\" t=\"str\"><f>A1&amp;\"\"</f><v>18600186000</v></c>"
                    "<c r=\"D3\"><f>A1+1</f><v>13800138001</v></c><c r=\"E3\" t=\"b\"><v>1</v></c>"
                    "<c r=\"F3\" t=\"e\"><v>#N/A</v></c><c r=\"G3\" t=\"str\"><f>X</f></c></row>",
                    "<si><t>张三\n李四</t></si><si><r><t>177</t></r><r><t>00177000</t></r>"
                    "<rPh><t>ヨミ</t></rPh></si>"));
  EXPECT_EQ(Read(path),
            std::make_pair(SheetRead::kRead,
                           Strings{"13800138000", "17700177000", "张三", "李四", "13900139000",
                                   "18600186000", "13800138001", "TRUE", "#N/A"}));
}

// Hostile and broken workbooks: a failure, never a crash, a hang or a flood of memory.
TEST_F(SheetsTest, BrokenWorkbooksAreRefused) {
  const std::string cells = "<row><c><v>13800138000</v></c></row>";
  std::string empty_cells;  // a sheet of empty cells only gives nothing
  for (int row = 1; row <= 2000; ++row) {
    empty_cells += "<row r=\"" + std::to_string(row) + "\">";
    for (int column = 0; column < 50; ++column)
      empty_cells += "<c s=\"1\"/>";
    empty_cells += "</row>";
  }
  struct Case {
    std::string name;
    std::vector<std::pair<std::string, std::string>> parts;
    bool encrypted;
    std::uint64_t cap;
    SheetRead read;
  };
  auto without = [&](const std::string& part) {
    auto parts = Workbook(cells);
    std::erase_if(parts, [&](const auto& p) { return p.first == part; });
    return parts;
  };
  const std::vector<Case> cases = {
      {"fine", Workbook(cells), false, 1 << 20, SheetRead::kRead},
      {"empty cells", Workbook(empty_cells), false, 1 << 20, SheetRead::kRead},
      {"empty cells past the cap", Workbook(empty_cells), false, 100000, SheetRead::kTooLarge},
      {"encrypted part", Workbook(cells), true, 1 << 20, SheetRead::kEncrypted},
      {"no relationships", without("xl/_rels/workbook.xml.rels"), false, 1 << 20,
       SheetRead::kDamaged},
      {"no sheet part", without("xl/worksheets/sheet1.xml"), false, 1 << 20, SheetRead::kDamaged},
      {"shared string not there", Workbook("<row><c t=\"s\"><v>5</v></c></row>", "<si/>"), false,
       1 << 20, SheetRead::kDamaged},
      {"broken xml", Workbook("<row><c><v>1</c></row>"), false, 1 << 20, SheetRead::kDamaged},
  };
  for (const Case& c : cases) {
    const std::string path = Path(c.name + ".xlsx");
    WriteZip(path, c.parts, c.encrypted);
    EXPECT_EQ(Read(path, c.cap).first, c.read) << c.name;
  }
  // Entities are refused before they can grow (the parts have no document type).
  auto laughs = Workbook("");
  laughs[3].second =
      "<!DOCTYPE w [<!ENTITY a \"aaaaaaaaaa\"><!ENTITY b \"&a;&a;&a;&a;&a;&a;\">]><w>&b;</w>";
  WriteZip(Path("laughs.xlsx"), laughs);
  EXPECT_EQ(Read(Path("laughs.xlsx")).first, SheetRead::kDamaged);
}

TEST(InflateCapTest, SixteenTimesTheFileWithinBounds) {
  constexpr std::uint64_t kMiB = 1 << 20;
  EXPECT_EQ(InflateCap(1000), 256 * kMiB);
  EXPECT_EQ(InflateCap(100 * kMiB), 1600 * kMiB);
  EXPECT_EQ(InflateCap(1024 * kMiB), 2048 * kMiB);
}

// A file the import cannot read as a sheet leaves the list as it was, with a message that says
// why; a ZIP that is no workbook and not named .xlsx is still read as text.
TEST_F(SheetsTest, ImportRefusalsLeaveTheList) {
  const std::string compound("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1\0\0\0\0", 12);
  WriteZip(Path("cut.xlsx"), Workbook("<row><c><v>13800138000</v></c></row>"));
  const std::string cut = ReadFile("cut.xlsx").substr(0, 300);
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"old.xls", SheetReadMessage(SheetRead::kOldFormat)},
      {"locked.xlsx", SheetReadMessage(SheetRead::kEncrypted)},
      {"cut.xlsx", SheetReadMessage(SheetRead::kDamaged)},
      {"text.xlsx", SheetReadMessage(SheetRead::kDamaged)},
  };
  for (const auto& [name, message] : cases) {
    WriteFile(name, name == "cut.xlsx" ? cut : name == "text.xlsx" ? "13800138000\n" : compound);
    state_.source.Clear();
    ui_.calls.clear();
    ImportFileList(state_, ui_, {WriteFile("a.txt", "13900139000\n"), Path(name)});
    EXPECT_EQ(Entries(state_.source), Strings{}) << name;
    EXPECT_EQ(ui_.calls, (Strings{"message 提示: " + message, "refresh source"})) << name;
  }
  WriteZip(Path("other.zip"), {{"readme.txt", "13800138000"}});
  EXPECT_EQ(SheetKindOf(Path("other.zip")), SheetKind::kNone);
}

class SheetExportTest : public SheetsTest {
 protected:
  void Fill(int n) {
    for (int i = 0; i < n; ++i)
      state_.target.Append(std::to_string(13800000000LL + i));
  }
  Strings Files() const {
    Strings names;
    for (const auto& entry : std::filesystem::directory_iterator(testing::FsPath(Path(""))))
      names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }
};

TEST_F(SheetExportTest, ExportAllWritesRowsAsColumns) {
  Fill(7);
  state_.target.Append("a,\"b\"");
  ExportFormatValues rows;
  rows.mode = ExportLayout::kRows;
  rows.numbers_per_row = 3;
  rows.separator = ";";
  rows.blank_line_interval = 1;
  for (int type : {1, 2}) {
    ui_.Answers<ExportFormatValues>().push_back(rows);
    ui_.save_files.push_back(Path(type == 1 ? "Out.xlsx" : "out.csv"));
    ui_.save_type = type;
    const NumberList kept = state_.target;
    ExportAll(state_, ui_, ListId::Target);
    EXPECT_EQ(state_.target.Count(), 0);
    state_.target = kept;
  }
  EXPECT_EQ(Files(), (Strings{"out_8条.csv", "out_8条.xlsx", "settings.ini"}));
  EXPECT_EQ(ReadFile("out_8条.csv"),
            "13800000000,13800000001,13800000002\r\n13800000003,13800000004,13800000005\r\n"
            "13800000006,\"a,\"\"b\"\"\"\r\n");
  EXPECT_EQ(Read(Path("out_8条.xlsx")).second,
            (Strings{"13800000000", "13800000001", "13800000002", "13800000003", "13800000004",
                     "13800000005", "13800000006", "a,\"b\""}));
}

TEST_F(SheetExportTest, TakenNamesAndGroupsFollowTheTextExports) {
  Fill(3);
  state_.target.Append("张三");
  WriteFile("c-移动号码_3条.xlsx", "the user's");
  ui_.save_files.push_back(Path("c.xlsx"));
  ui_.save_type = 1;
  ExportByCarrier(state_, ui_, ListId::Target);
  EXPECT_EQ(Files(),
            (Strings{"c-小灵通号码_1条.xlsx", "c-移动号码_3条(2).xlsx", "c-移动号码_3条.xlsx"}));
  EXPECT_EQ(ui_.calls.back(), "message " + std::string(kGroupedExportCaption) +
                                  ": 同名文件已存在，以下结果另存为:\r\n" +
                                  Path("c-移动号码_3条(2).xlsx"));
  EXPECT_EQ(ReadFile("c-移动号码_3条.xlsx"), "the user's");
  EXPECT_EQ(Read(Path("c-小灵通号码_1条.xlsx")).second, Strings{"张三"});
}

// A sheet holds 1,048,576 rows: the next row starts the sheet "号码2".
TEST_F(SheetExportTest, LongListsContinueOnANewSheet) {
  const int n = 1048576 + 2;
  Fill(n);
  ui_.Answers<BatchSizeValues>().push_back(BatchSizeValues{n, true});
  ui_.save_files.push_back(Path("all.xlsx"));
  ui_.save_type = 1;
  ExportInBatches(state_, ui_, ListId::Target);
  const std::string path = Path("all0000_1048578条.xlsx");
  const auto [read, entries] = Read(path);
  ASSERT_EQ(read, SheetRead::kRead);
  ASSERT_EQ(entries.size(), static_cast<size_t>(n));
  EXPECT_EQ(entries.back(), "13801048577");
  const std::string workbook = PartText(path, "xl/workbook.xml");
  EXPECT_NE(workbook.find("name=\"号码\""), std::string::npos);
  EXPECT_NE(workbook.find("name=\"号码2\""), std::string::npos);
  EXPECT_EQ(PartText(path, "xl/worksheets/sheet2.xml").find("<row r=\"3\""), std::string::npos);
  EXPECT_NE(PartText(path, "xl/worksheets/sheet2.xml").find("<row r=\"2\""), std::string::npos);
}

// --format names the save picker's file type; another word is no valid command, and the text
// type keeps the text export's name for any other chosen ending.
using SheetCliTest = testing::CliScriptTest;
TEST_F(SheetCliTest, FormatOptionChoosesTheFileType) {
  EXPECT_EQ(Run("segment 1380013\nexport-all source " + Path("a.txt") + " --format pdf\n"), 2);
  EXPECT_EQ(Run("export-all source " + Path("a.csv") + "\nstatus\n"), 0);
  EXPECT_TRUE(std::filesystem::exists(testing::FsPath(Path("a.csv_10000条.txt"))));
  EXPECT_EQ(Run("segment 1380013\nexport-carrier source " + Path("c.txt") + " --format csv\n"), 0);
  EXPECT_TRUE(std::filesystem::exists(testing::FsPath(Path("c.txt-移动号码_10000条.csv"))));
}

}  // namespace
}  // namespace tessaril
