#include "classify/carrier_allocation.h"

namespace tessaril {

// The three-digit beginnings of the mobile networks as allocated by the Ministry of Industry and
// Information Technology (MIIT) in its number-resource licences, as listed in the public table
// "Telephone numbers in China" (mobile prefixes) of 2025. The lists hold three-digit entries
// only, so the ranges shared at four digits stay Other: 192 (China Broadcast Network) and the
// virtual operators' 170, 171, 162, 165 and 167.
CarrierPrefixTexts CurrentCarrierAllocation() {
  return {
      "13;14;15;16;17;18;19",
      "134;135;136;137;138;139;147;148;150;151;152;157;158;159;172;178;182;183;184;187;188;195;"
      "197;198",
      "130;131;132;145;146;155;156;166;175;176;185;186;196",
      "133;149;153;173;174;177;180;181;189;190;191;193;199",
  };
}

}  // namespace tessaril
