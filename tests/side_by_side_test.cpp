#include "engine/side_by_side.h"

#include <gtest/gtest.h>

#include <atomic>
#include <stdexcept>
#include <vector>

namespace tessaril {
namespace {

TEST(SideBySide, BothRunAndAnExceptionComesBackAfterBothEnded) {
  std::atomic<int> done{0};
  RunSideBySide([&] { ++done; }, [&] { ++done; });
  EXPECT_EQ(done, 2);

  // The other side still runs to its end before the exception is thrown on.
  done = 0;
  EXPECT_THROW(RunSideBySide([&] { ++done; }, [&] { throw std::runtime_error("beside"); }),
               std::runtime_error);
  EXPECT_THROW(RunSideBySide([] { throw std::logic_error("here"); }, [&] { ++done; }),
               std::logic_error);
  EXPECT_EQ(done, 2);
  // Both failed: the exception of this thread's side.
  EXPECT_THROW(RunSideBySide([] { throw std::logic_error("here"); },
                             [] { throw std::runtime_error("beside"); }),
               std::logic_error);
}

// Two threads taking alternate turns many times: every turn comes once, in order, and a waiter
// is always woken (a lost wake-up would hang here).
TEST(Turns, AlternateTurnsComeInOrderAndGivingUpReleasesTheOther) {
  constexpr int kTurns = 20000;
  Turns turns;
  std::vector<int> taken;
  auto take = [&](int start) {
    for (int t = start; t < kTurns; t += 2) {
      ASSERT_TRUE(turns.WaitFor(t));
      taken.push_back(t);
      turns.Pass(t);
    }
  };
  RunSideBySide([&] { take(0); }, [&] { take(1); });
  ASSERT_EQ(taken.size(), static_cast<size_t>(kTurns));
  for (int t = 0; t < kTurns; ++t)
    ASSERT_EQ(taken[static_cast<size_t>(t)], t);

  Turns given_up;
  bool waited = true;
  RunSideBySide([&] { waited = given_up.WaitFor(1); }, [&] { given_up.GiveUp(); });
  EXPECT_FALSE(waited);
  EXPECT_FALSE(given_up.WaitFor(0));
}

}  // namespace
}  // namespace tessaril
