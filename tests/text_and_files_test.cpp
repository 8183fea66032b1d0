#include <gtest/gtest.h>

#include <cstdio>
#include <vector>

#include "platform/codepage.h"
#include "platform/file_system.h"
#include "platform/settings_store.h"
#include "platform/text.h"
#include "platform/text_file.h"
#include "support/file_size_limit.h"
#include "support/temp_dir.h"

namespace tessaril {
namespace {

using TextFilesTest = testing::CommandTest;

// Every line the reader gives, to its end.
std::vector<std::string> AllLines(TextFileReader& reader) {
  std::vector<std::string> lines;
  std::string_view line;
  while (reader.Next(line))
    lines.emplace_back(line);
  return lines;
}

TEST(TrimNumberText, StripsWhiteSpaceAndCarriageReturnsOnly) {
  EXPECT_EQ(TrimNumberText(" \t13800138000\r\n"), "13800138000");
  EXPECT_EQ(TrimNumberText("\v\f 138 0013 8000 \r\r"), "138 0013 8000");
  EXPECT_EQ(TrimNumberText(" \r\n\t "), "");
  EXPECT_EQ(TrimNumberText(std::string_view("a\0b", 3)), std::string_view("a\0b", 3));
}

TEST(ElevenDigits, TheEightAtOnceParseAgreesWithTheBytewiseOneOnEveryByte) {
  // Each of the eleven places of a number holding every byte value in turn.
  for (const std::string base : {"13800138000", "00000000000", "99999999999", "19087654321"}) {
    for (int place = 0; place < 11; ++place) {
      for (int byte = 0; byte < 256; ++byte) {
        std::string text = base;
        text[static_cast<size_t>(place)] = static_cast<char>(byte);
        std::uint64_t bytewise = 0, at_once = 0;
        const bool ok = ParseElevenDigits(text, bytewise);
        ASSERT_EQ(ParseElevenDigitsAt(text.data(), at_once), ok) << text;
        if (ok) {
          ASSERT_EQ(at_once, bytewise) << text;
          char back[11];
          FormatElevenDigits(at_once, back);
          ASSERT_EQ(std::string(back, 11), text);
        }
      }
    }
  }
}

TEST(ElevenDigits, FormattingAgreesWithPrintfAcrossTheRange) {
  // Values spread over the whole range, and every value whose last eight digits sit at the edge
  // of a group of four or two digits.
  std::vector<std::uint64_t> values;
  for (std::uint64_t i = 0; i < 100000; ++i)
    values.push_back(i * 999983 % 100000000000ULL);
  for (std::uint64_t edge : {0ULL, 1ULL, 9ULL, 10ULL, 99ULL, 100ULL, 9999ULL, 10000ULL, 999999ULL,
                             1000000ULL, 99999999ULL}) {
    for (std::uint64_t high : {0ULL, 138ULL, 999ULL})
      values.push_back(high * 100000000 + edge);
  }
  for (std::uint64_t value : values) {
    char ours[11], theirs[12];
    FormatElevenDigits(value, ours);
    std::snprintf(theirs, sizeof theirs, "%011llu", static_cast<unsigned long long>(value));
    ASSERT_EQ(std::string(ours, 11), std::string(theirs, 11)) << value;
  }
}

TEST(Codepage, GbkRoundTripAndUtf8Detection) {
  const std::string utf8 = "广东::深圳";
  const std::string gbk = Utf8ToGbk(utf8);
  EXPECT_NE(gbk, utf8);
  EXPECT_EQ(gbk.size(), 10u);  // two bytes per Han character
  EXPECT_FALSE(IsValidUtf8(gbk));
  EXPECT_EQ(GbkToUtf8(gbk), utf8);
  EXPECT_EQ(DataTextToUtf8(gbk), utf8);
  EXPECT_EQ(DataTextToUtf8(utf8), utf8);
  EXPECT_FALSE(IsValidUtf8("\xC0\x80"));  // overlong
  EXPECT_FALSE(IsValidUtf8("\xE5\xB9"));  // cut short
}

// UTF-16 of "13800138000\r\n张😀": every way of cutting it into blocks gives the same UTF-8, in
// either byte order; an unpaired surrogate and an odd byte at the end become '?'.
TEST(Codepage, Utf16DecodesAcrossAnyBlockCut) {
  const std::u16string units = u"13800138000\r\n\u5F20\U0001F600";
  const std::string utf8 = "13800138000\r\n\xE5\xBC\xA0\xF0\x9F\x98\x80";
  for (const Utf16Order order : {Utf16Order::kLittleEndian, Utf16Order::kBigEndian}) {
    const std::string bytes = testing::Utf16Bytes(units, order == Utf16Order::kBigEndian);
    EXPECT_EQ(Utf16OrderOf(bytes), order);
    for (std::size_t cut = 0; cut <= bytes.size(); ++cut) {
      Utf16Decoder decoder(order);
      std::string out = decoder.Decode(std::string_view(bytes).substr(0, cut));
      out += decoder.Decode(std::string_view(bytes).substr(cut));
      out += decoder.Finish();
      ASSERT_EQ(out, "\xEF\xBB\xBF" + utf8) << "cut at " << cut;
    }
  }
  Utf16Decoder decoder(Utf16Order::kLittleEndian);
  // A low surrogate alone, a high one before a digit, then half a unit.
  std::string out =
      decoder.Decode(std::string("\x00\xDC"
                                 "1\x00"
                                 "\x00\xD8"
                                 "2\x00"
                                 "3",
                                 9));
  out += decoder.Finish();
  EXPECT_EQ(out, "?1?2?");
  EXPECT_EQ(Utf16OrderOf("13800138000"), Utf16Order::kNone);
}

// A UTF-16 file's lines are those of its text, as UTF-8, past the read block too.
TEST_F(TextFilesTest, TextReaderReadsUtf16AsItsText) {
  std::u16string long_line(3 << 20, u'7');
  WriteFile("u.txt",
            testing::Utf16Bytes(u"13800138000\r\n\u5F20\r\n\r\n" + long_line + u"\nlast", true));
  TextFileReader reader;
  ASSERT_TRUE(reader.Open(Path("u.txt")));
  EXPECT_EQ(AllLines(reader),
            (std::vector<std::string>{"13800138000", "\xE5\xBC\xA0", "",
                                      std::string(long_line.size(), '7'), "last"}));
  EXPECT_FALSE(reader.Failed());
  // From an offset the bytes are read as they are.
  ASSERT_TRUE(reader.Open(Path("u.txt"), 2));
  std::string_view line;
  ASSERT_TRUE(reader.Next(line));
  EXPECT_TRUE(
      line.starts_with(std::string("\0"
                                   "1\0"
                                   "3",
                                   4)));
}

TEST_F(TextFilesTest, SettingsStoreKeepsUnknownKeysAndReadsIntegersLeniently) {
  WriteFile("s.ini", "[Other]\nkeep=me\n[Settings]\nnlineNum= 12abc\nsplitStr=,\n");
  SettingsStore store(Path("s.ini"));
  EXPECT_EQ(store.GetInt("Settings", "nlineNum", 7), 12);
  EXPECT_EQ(store.GetInt("Settings", "absent", 7), 7);
  EXPECT_EQ(store.GetString("settings", "SPLITSTR", "x"), ",");
  ASSERT_TRUE(store.SetString("Setting", "NumberStr1", "13;15"));
  SettingsStore reread(Path("s.ini"));
  EXPECT_EQ(reread.GetString("Other", "keep", ""), "me");
  EXPECT_EQ(reread.GetString("Setting", "NumberStr1", ""), "13;15");
  EXPECT_EQ(reread.GetInt("Settings", "nlineNum", 0), 12);
}

TEST_F(TextFilesTest, SettingsStoreCreatesItsFolder) {
  SettingsStore store(Path("deep/er/KorvaneTessaril.ini"));
  ASSERT_TRUE(store.SetInt("Settings", "bChangePath", 1));
  EXPECT_TRUE(FileExists(Path("deep/er/KorvaneTessaril.ini")));
}

TEST_F(TextFilesTest, TextReaderSplitsLinesAsTextMode) {
  std::string long_line(3 << 20, '7');  // longer than the read block
  WriteFile("t.txt", "a\r\nb\rc\n\r\n" + long_line + "\nlast");
  TextFileReader reader;
  ASSERT_TRUE(reader.Open(Path("t.txt")));
  const std::vector<std::string> lines = AllLines(reader);
  ASSERT_EQ(lines.size(), 5u);
  EXPECT_EQ(lines[0], "a");
  EXPECT_EQ(lines[1], "b\rc");  // a CR alone is not a line end
  EXPECT_EQ(lines[2], "");
  EXPECT_EQ(lines[3], long_line);
  EXPECT_EQ(lines[4], "last");
  EXPECT_EQ(reader.Position(), reader.Length());
}

// Whole lines taken from a full buffer whose last line is cut by the buffer's end: up to the
// first LF at or past `up_to` bytes, the last whole line when there is none, and the line cut by
// the buffer's end is read whole afterwards.
TEST_F(TextFilesTest, TakeWholeLinesStopsAtTheFirstLineEndPastTheAskedBytes) {
  // Twelve-byte lines: the first read of a megabyte ends four bytes into a line.
  std::string content;
  for (int i = 0; i < 180000; ++i)
    content += std::to_string(13800000000LL + i) + "\n";
  WriteFile("lines.txt", content);
  // After the first line the buffer holds 1048564 bytes: whole lines, then four bytes of one.
  constexpr std::size_t kWhole = 1048560;
  const struct {
    std::size_t up_to;
    std::size_t taken;
  } cases[] = {
      {1, 12},
      {11, 12},
      {12, 12},
      {13, 24},
      {kWhole, kWhole},
      {kWhole - 1, kWhole},
      {kWhole - 12, kWhole - 12},
      {kWhole + 1, kWhole},
      {kWhole + 4, kWhole},
      {kWhole + 5, kWhole},
      {0, kWhole},
  };
  for (const auto& c : cases) {
    TextFileReader reader;
    ASSERT_TRUE(reader.Open(Path("lines.txt")));
    std::string_view line;
    ASSERT_TRUE(reader.Next(line));
    const std::string_view lines = reader.TakeWholeLines(c.up_to);
    EXPECT_EQ(lines.size(), c.taken) << c.up_to;
    EXPECT_TRUE(lines == std::string_view(content).substr(12, lines.size())) << c.up_to;
    EXPECT_EQ(reader.Position(), 12 + c.taken) << c.up_to;
    ASSERT_TRUE(reader.Next(line));
    EXPECT_EQ(line, std::string_view(content).substr(12 + c.taken, 11)) << c.up_to;
  }
}

TEST_F(TextFilesTest, TextWriterStoresLineFeedsAsCrLf) {
  TextFileWriter writer;
  ASSERT_TRUE(writer.Open(Path("w.txt")));
  writer.WriteLine("13800138000");
  writer.Write("a\nb");
  ASSERT_TRUE(writer.Close());
  EXPECT_EQ(ReadFile("w.txt"), "13800138000\r\na\r\nb");
}

TEST_F(TextFilesTest, TextWriterReportsAWriteThatDoesNotFit) {
  // The writer writes plain files only (not /dev/full): a file-size limit fails the write as a
  // full disk does.
  TESSARIL_SKIP_WITHOUT_FILE_SIZE_LIMIT();
  TextFileWriter writer;
  ASSERT_TRUE(writer.Open(Path("big.txt")));
  {
    testing::FileSizeLimit limit(4096);
    for (int i = 0; i < 1000; ++i)
      writer.WriteLine("13800138000");
    EXPECT_FALSE(writer.Close());
  }
}

TEST_F(TextFilesTest, RenameNeverReplacesAnExistingFile) {
  WriteFile("a", "A");
  WriteFile("b", "B");
  EXPECT_FALSE(RenameNoReplace(Path("a"), Path("b")));
  EXPECT_EQ(ReadFile("b"), "B");
  EXPECT_TRUE(RenameNoReplace(Path("a"), Path("c")));
  EXPECT_EQ(ReadFile("c"), "A");
  EXPECT_FALSE(FileExists(Path("a")));
}

}  // namespace
}  // namespace tessaril
