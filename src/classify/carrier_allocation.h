#pragma once

#include "interface/dialog_values.h"

namespace tessaril {

// The carrier allocation in force today, as the four texts of the settings dialog ("使用最新号段").
// The main window's defaults stay as they are: stored settings rely on them.
CarrierPrefixTexts CurrentCarrierAllocation();

}  // namespace tessaril
