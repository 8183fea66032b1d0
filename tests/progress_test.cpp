// How commands show progress: one step per change of the integer percentage.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "interface/progress.h"
#include "support/scripted_frontend.h"

namespace tessaril {
namespace {

TEST(ProgressReporter, ShowsEveryChangeOfTheIntegerPercentage) {
  // Against the plain formula, for sizes around 100 and scales of the commands.
  for (std::int64_t n : {1, 3, 7, 99, 100, 101, 1000, 12345}) {
    for (int scale : {100, 50}) {
      testing::ScriptedFrontend ui;
      ProgressReporter progress(ui);
      std::vector<int> expected;
      for (std::int64_t k = 0; k <= n; ++k) {
        progress.Step(k, n, scale, 7);
        int position = static_cast<int>(k * scale / n) + 7;
        if (expected.empty() || expected.back() != position)
          expected.push_back(position);
      }
      EXPECT_EQ(ui.progress, expected) << n << " " << scale;
    }
  }
}

TEST(ProgressReporter, StepsAfterAnExplicitPositionShowAgain) {
  testing::ScriptedFrontend ui;
  ProgressReporter progress(ui);
  progress.Step(50, 100);
  progress.Set(0);
  progress.Step(50, 100);
  EXPECT_EQ(ui.progress, (std::vector<int>{50, 0, 50}));
}

}  // namespace
}  // namespace tessaril
