#include <gtest/gtest.h>

#include <sstream>

#include "cli/cli_frontend.h"
#include "cli/script.h"
#include "support/cli_script_test.h"

namespace tessaril {
namespace {

using Strings = std::vector<std::string>;

using CliTest = testing::CliScriptTest;

TEST(ScriptLine, WordsQuotesAndComments) {
  std::string error;
  EXPECT_FALSE(cli::SplitScriptLine("   # comment", error));
  EXPECT_FALSE(cli::SplitScriptLine("  \t", error));
  auto words = cli::SplitScriptLine(R"(import "my file.txt" a\b "q\"x\\" "")", error);
  ASSERT_TRUE(words);
  EXPECT_EQ(*words, (Strings{"import", "my file.txt", "a\\b", "q\"x\\", ""}));
  EXPECT_FALSE(cli::SplitScriptLine("import \"open", error));
  EXPECT_EQ(error, "unterminated quote");
}

// The command line answers each dialog only with values of its own type, checks them as the
// window's dialog does on OK, and forgets them between commands.
TEST(CliFrontendDialogs, AnswersByTypeCheckedAndForgotten) {
  std::ostringstream out;
  cli::CliFrontend frontend(out);
  EXPECT_EQ(frontend.Ask(BatchSizeValues{}), std::nullopt);  // nothing given: cancelled

  frontend.answers.SetDialog(RegionTypeValues{RegionGrouping::kCity});
  frontend.answers.SetDialog(BatchSizeValues{300, false});
  frontend.answers.SetDialog(BatchSizeValues{700, true});  // the later values replace
  EXPECT_EQ(frontend.Ask(SegmentExportValues{}), std::nullopt);
  std::optional<BatchSizeValues> batches = frontend.Ask(BatchSizeValues{});
  ASSERT_TRUE(batches);
  EXPECT_EQ(batches->batch_size, 700);
  EXPECT_TRUE(batches->automatic);
  std::optional<RegionTypeValues> region = frontend.Ask(RegionTypeValues{});
  ASSERT_TRUE(region);
  EXPECT_EQ(region->grouping, RegionGrouping::kCity);
  EXPECT_EQ(out.str(), "");
  EXPECT_FALSE(frontend.Failed());

  // A feature move takes the tree it is shown, and its region item must be in it.
  FeatureMoveValues features;
  features.region = true;
  features.region_kind = RegionKind::kCity;
  features.region_item = "武汉";
  frontend.answers.SetDialog(features);
  FeatureMoveValues shown;
  shown.tree = {{"湖北", {"武汉"}}};
  std::optional<FeatureMoveValues> confirmed = frontend.Ask(shown);
  ASSERT_TRUE(confirmed);
  EXPECT_EQ(confirmed->tree.at(0).name, "湖北");
  EXPECT_EQ(frontend.Ask(FeatureMoveValues{}), std::nullopt);
  EXPECT_EQ(out.str(), "[提示] 请选择城市\n");
  EXPECT_TRUE(frontend.Failed());

  frontend.Reset();
  EXPECT_FALSE(frontend.Failed());
  EXPECT_EQ(frontend.Ask(RegionTypeValues{}), std::nullopt);
}

TEST_F(CliTest, ImportCleanPrintAndStatus) {
  std::string file = WriteFile("n.txt", "13900000002\r\n13800000001\r\nabc\r\n13900000002\r\n");
  int status = Run("import \"" + file +
                   "\"\nsort source\ndedupe source\nremove-non-mobile\n"
                   "print source\nstatus\n");
  EXPECT_EQ(status, 0) << err_.str();
  EXPECT_EQ(
      out_.str(),
      "13800000001\n13900000002\n当前原始号码框内有2个手机号码\n当前目标号码框内有0个手机号码\n");
}

TEST_F(CliTest, FailureMessageStopsWithStatusOne) {
  int status = Run("import " + Path("missing.txt") + "\nprint source\n");
  EXPECT_EQ(status, 1);
  EXPECT_EQ(out_.str(), "[提示] 打开文件失败\n");
}

TEST_F(CliTest, InvalidLinesStopWithStatusTwo) {
  EXPECT_EQ(Run("status\n\nfrobnicate\nstatus\n"), 2);
  EXPECT_EQ(err_.str(), "tessaril-cli: line 3: unknown command 'frobnicate'\n");
  EXPECT_EQ(Run("sort sideways\n"), 2);
  EXPECT_EQ(Run("set-prefixes 13\n"), 2);
  EXPECT_NE(err_.str().find("line 1"), std::string::npos);
}

TEST_F(CliTest, SetPrefixesStoresAndApplies) {
  state_.source.Append("19912345678");
  EXPECT_EQ(Run("set-prefixes 13;14;15;18 134 130 133\nremove-non-mobile\nstatus\n"), 0);
  EXPECT_EQ(settings_.GetString("Setting", "MobileStr_New2", ""), "134");
  EXPECT_EQ(out_.str(), "当前原始号码框内有0个手机号码\n当前目标号码框内有0个手机号码\n");
}

}  // namespace
}  // namespace tessaril
