#include "base/side_by_side.h"

#include <gtest/gtest.h>

#include <atomic>
#include <stdexcept>

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

}  // namespace
}  // namespace tessaril
