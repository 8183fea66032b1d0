#include "classify/carrier_prefixes.h"

#include <gtest/gtest.h>

#include "support/temp_dir.h"

namespace tessaril {
namespace {

using CarrierTest = testing::CommandTest;

TEST_F(CarrierTest, MainWindowDefaultsForAbsentKeys) {
  const CarrierPrefixes p = LoadCarrierPrefixes(settings_);
  EXPECT_TRUE(IsMobileNumber(p, "19912345678"));
  EXPECT_EQ(ClassifyCarrier(p, "19912345678"), CarrierClass::Telecom);
  EXPECT_TRUE(IsMobileNumber(p, "16612345678"));
  EXPECT_EQ(ClassifyCarrier(p, "16612345678"), CarrierClass::Unicom);
  EXPECT_EQ(ClassifyCarrier(p, "14812345678"), CarrierClass::Mobile);
}

TEST_F(CarrierTest, TestsTrimAPrivateCopyAndCheckOnlyWhatTheyName) {
  const CarrierPrefixes p;
  const std::string padded = " 13812345678\r\n";
  EXPECT_TRUE(IsMobileNumber(p, padded));
  EXPECT_EQ(ClassifyCarrier(p, padded), CarrierClass::Mobile);
  EXPECT_EQ(padded, " 13812345678\r\n");
  EXPECT_FALSE(IsMobileNumber(p, "1381234567"));
  EXPECT_FALSE(IsMobileNumber(p, "138123456789"));
  EXPECT_TRUE(IsChinaMobileNumber(p, "1381234567"));
  EXPECT_TRUE(IsChinaMobileNumber(p, "138123456789"));
  EXPECT_FALSE(IsMobileNumber(p, "13"));
  EXPECT_EQ(ClassifyCarrier(p, "13"), CarrierClass::Other);
  EXPECT_EQ(ClassifyCarrier(p, "1380013"), CarrierClass::Mobile);
  EXPECT_TRUE(IsMobileNumber(p, "13abcdefghi"));
  EXPECT_FALSE(IsMobileNumber(p, "23800000000"));
}

TEST_F(CarrierTest, SubstringSearchAndOverlapOrder) {
  CarrierPrefixes p;
  p.mobile = "1340";
  EXPECT_TRUE(IsChinaMobileNumber(p, "34012345678"));
  p.mobile = "130";  // also a Unicom prefix: Mobile comes first
  EXPECT_EQ(ClassifyCarrier(p, "13012345678"), CarrierClass::Mobile);
  p.number_beginnings = "";
  EXPECT_FALSE(IsMobileNumber(p, "13012345678"));
}

TEST_F(CarrierTest, SettingsDialogShowsTheListsInForceAndStoresAllFourKeys) {
  // Confirmed without edits on an empty store: the dialog shows the main window's defaults, and
  // storing them changes no number's class.
  RunSettingsCommand(settings_, state_.prefixes, ui_);  // cancelled: read what it shows
  ASSERT_TRUE(ui_.Shown<CarrierPrefixTexts>());
  const CarrierPrefixTexts shown = *ui_.Shown<CarrierPrefixTexts>();
  const CarrierPrefixes defaults;
  EXPECT_EQ(shown.number_beginnings, "13;14;15;16;17;18;19");
  EXPECT_EQ(shown.mobile, defaults.mobile);
  EXPECT_EQ(shown.unicom, defaults.unicom);
  EXPECT_EQ(shown.telecom, defaults.telecom);

  ui_.Answers<CarrierPrefixTexts>().push_back(shown);
  RunSettingsCommand(settings_, state_.prefixes, ui_);
  EXPECT_EQ(settings_.GetString("Setting", "NumberStr1", ""), "13;14;15;16;17;18;19");
  EXPECT_EQ(settings_.GetString("Setting", "DianXinStr_New1", ""), defaults.telecom);
  const struct {
    const char* number;
    CarrierClass carrier;
  } kept[] = {{"19912345678", CarrierClass::Telecom}, {"16612345678", CarrierClass::Unicom},
              {"17812345678", CarrierClass::Mobile},  {"17312345678", CarrierClass::Telecom},
              {"14812345678", CarrierClass::Mobile},  {"13812345678", CarrierClass::Mobile}};
  for (const auto& row : kept) {
    EXPECT_TRUE(IsMobileNumber(state_.prefixes, row.number)) << row.number;
    EXPECT_EQ(ClassifyCarrier(state_.prefixes, row.number), row.carrier) << row.number;
  }
  EXPECT_EQ(ui_.calls, (std::vector<std::string>{"dialog settings", "dialog settings"}));
}

TEST_F(CarrierTest, SettingsDialogShowsStoredTextsBesideTheDefaultsInForce) {
  // A store written by the older dialog reads as before: its texts are shown and used.
  settings_.SetString("Setting", "NumberStr1", "13;14;15;18");
  settings_.SetString("Setting", "CUnicomStr_New1", "");
  ui_.Answers<CarrierPrefixTexts>().push_back(SettingsDialogTexts(settings_));
  RunSettingsCommand(settings_, state_.prefixes, ui_);
  const CarrierPrefixTexts shown = *ui_.Shown<CarrierPrefixTexts>();
  EXPECT_EQ(shown.number_beginnings, "13;14;15;18");
  EXPECT_EQ(shown.unicom, "");
  EXPECT_EQ(shown.mobile, CarrierPrefixes().mobile);
  EXPECT_FALSE(IsMobileNumber(state_.prefixes, "19912345678"));
  EXPECT_EQ(ClassifyCarrier(state_.prefixes, "13012345678"), CarrierClass::Other);
  EXPECT_EQ(ClassifyCarrier(state_.prefixes, "19912345678"), CarrierClass::Telecom);
}

TEST_F(CarrierTest, SettingsDialogShowsStoredTextsAndCancelWritesNothing) {
  settings_.SetString("Setting", "MobileStr_New2", "139");
  const CarrierPrefixes before = state_.prefixes;
  RunSettingsCommand(settings_, state_.prefixes, ui_);  // cancelled: the queue is empty
  EXPECT_EQ(ui_.Shown<CarrierPrefixTexts>()->mobile, "139");
  EXPECT_FALSE(settings_.Has("Setting", "NumberStr1"));
  EXPECT_EQ(state_.prefixes.mobile, before.mobile);
}

}  // namespace
}  // namespace tessaril
