#pragma once

// The values each dialog hands back to its command. A dialog opens with the values its command
// passes in and returns what the user confirmed; the command-line front end fills the same
// structures from its arguments.

#include <string>

namespace tessaril {

// "系统设置": the four carrier prefix texts, as typed.
struct CarrierPrefixTexts {
  std::string number_beginnings;  // NumberStr1
  std::string mobile;             // MobileStr_New2
  std::string unicom;             // CUnicomStr_New1
  std::string telecom;            // DianXinStr_New1
};

// Acquisition dialogs.

// Move dialogs.

// Export dialogs.

// File-tools dialogs.

// Online pieces.

}  // namespace tessaril
