#pragma once

// The buttons of the two windows, by name. The numbers are the ids each window has always given
// its buttons; the two windows number theirs apart, so the same number can mean different buttons.
namespace tessaril {

enum class MainButton {
  kQuit = 1,
  kEnterSegment = 1000,
  kInsertSegments = 1001,
  kImportFiles = 1002,
  kSortSource = 1003,
  kClearSource = 1004,
  kShuffleSource = 1005,
  kDigitsUp = 1006,
  kDigitsDown = 1007,
  kFeaturesUp = 1008,
  kTypeUp = 1009,
  kAllUp = 1010,
  kFeaturesDown = 1011,
  kTypeDown = 1012,
  kAllDown = 1013,
  kSortTarget = 1015,
  kShuffleTarget = 1016,
  kFilterTarget = 1017,
  kRemoveRepeatsTarget = 1018,
  kExportByRegion = 1019,
  kClearTarget = 1020,
  kExportInBatches = 1021,
  kExportAll = 1022,
  kRemoveRepeatsSource = 1024,
  kSettings = 1053,
  kFileTools = 1055,
  kExportByCarrier = 1056,
  kServicePage1 = 1059,
  kServicePage2 = 1061,
  kServicePage3 = 1062,
  kServicePage4 = 1063,
  kServicePage5 = 1064,
  kHelp = 1074,
  kRemoveNonMobile = 1075,
  kServicePage6 = 1077,
  kExtract = 1078,
  kPaste = 1079,
  kExportBySegment = 1081,
  kCopySource = 1082,
  kCopyTarget = 1083,
  kExportByRepeatCount = 1086,
  kFilterSource = 1087,
};

enum class FileToolsButton {
  kExit = 3,
  kImportSelected = 1000,
  kMergeTwo = 1001,
  kCompareThree = 1004,
  kMergeMany = 1006,
  kHelp = 1007,
  kBlacklist = 1008,
  kCompareTwo = 1110,
  kPickFolder = 1476,
  kAddFiles = 4080,
  kPickFileA = 4081,
  kRemove = 4082,
  kPickFileB = 4083,
};

}  // namespace tessaril
