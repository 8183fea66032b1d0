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

TEST_F(CarrierTest, SettingsDialogShowsItsOwnDefaultsAndStoresAllFourKeys) {
  ui_.Answers<CarrierPrefixTexts>().push_back(SettingsDialogDefaults());  // confirmed without edits
  RunSettingsCommand(settings_, state_.prefixes, ui_);
  ASSERT_TRUE(ui_.Shown<CarrierPrefixTexts>());
  EXPECT_EQ(ui_.Shown<CarrierPrefixTexts>()->number_beginnings, "13;14;15;18");
  EXPECT_EQ(settings_.GetString("Setting", "NumberStr1", ""), "13;14;15;18");
  EXPECT_EQ(settings_.GetString("Setting", "DianXinStr_New1", ""), "133;153;180;189");
  // 199 is no longer a mobile number, nor of any carrier.
  EXPECT_FALSE(IsMobileNumber(state_.prefixes, "19912345678"));
  EXPECT_EQ(ClassifyCarrier(state_.prefixes, "19912345678"), CarrierClass::Other);
  EXPECT_EQ(ui_.calls, std::vector<std::string>{"dialog settings"});
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
