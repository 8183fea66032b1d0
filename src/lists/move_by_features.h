#pragma once

#include <optional>
#include <set>
#include <string>
#include <string_view>

#include "interface/dialog_values.h"
#include "lists/app_state.h"
#include "lists/move_commands.h"

namespace tessaril {

class CLocationDb;
class Frontend;

// The check of "确定", made by the window's dialog and by the command line alike: the region
// feature needs a selected item of the tree the dialog shows.
std::optional<std::string> CheckFeatureMoveValues(const FeatureMoveValues& values);

// The data-match set from the data box's text: one member per line, unchanged (an empty line
// included), the last line only when it is not empty after its leading white space. Lines may end
// in CR LF, as on Windows, or in LF alone, as a Linux text box gives them.
std::set<std::string> BuildDataMatchSet(std::string_view text);

// An integer read as atoi reads it: leading white space, a sign, leading digits; 0 without digits.
long long AtoiValue(std::string_view text);

// The feature tests of one confirmed dialog.
class FeatureTests {
 public:
  // `db` is needed only when the region feature is ticked; `data` is the rebuilt data-match set.
  FeatureTests(const FeatureMoveValues& values, const CLocationDb* db,
               const std::set<std::string>& data);

  // True when at least one ticked feature holds for the entry as stored.
  bool Qualifies(std::string_view entry) const;

 private:
  const FeatureMoveValues& values_;
  const CLocationDb* db_;
  const std::set<std::string>& data_;
  long long run_ = 0;
  long long copies_ = 0;
};

// "按组合特征": asks, then moves every qualifying entry of the list left to the end of the other
// list (visited from the end, so they arrive in reverse order) and refreshes both lists. Cancel:
// nothing.
void MoveByFeatures(AppState& state, Frontend& frontend, MoveDirection direction);

}  // namespace tessaril
