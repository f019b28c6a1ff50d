// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/threads/parallel.h"

#include <atomic>
#include <stdexcept>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace sodwright::base {
namespace {

// A part that throws stops neither the other parts nor the news of it: once
// every part has run, the first failure in part order reaches the caller.
TEST(RunParts, EveryPartRunsAndTheFirstFailureInPartOrderIsThrown) {
  std::vector<char> ran(5, 0);
  try {
    runParts(5, [&](int part) {
      ran[static_cast<std::size_t>(part)] = 1;
      if (part == 1 || part == 3) throw std::runtime_error("part " + std::to_string(part));
    });
    ADD_FAILURE() << "runParts ended without the failure";
  } catch (const std::runtime_error& failure) {
    EXPECT_STREQ(failure.what(), "part 1");
  }
  EXPECT_EQ(ran, std::vector<char>(5, 1));
}

// A failing background task reaches get() as its own exception, and the
// finishing callback still runs, so a window waiting on it is told.
TEST(BackgroundTask, FailureReachesGetAndTheFinishStillRuns) {
  std::atomic<int> finished{0};
  BackgroundTask<int> task([]() -> int { throw std::runtime_error("no table"); },
                           [&] { finished.fetch_add(1); });
  EXPECT_THROW(
      {
        try {
          task.get();
        } catch (const std::runtime_error& e) {
          EXPECT_STREQ(e.what(), "no table");
          throw;
        }
      },
      std::runtime_error);
  EXPECT_EQ(finished.load(), 1);

  BackgroundTask<std::string> ok([] { return std::string("done"); });
  EXPECT_EQ(ok.get(), "done");
}

TEST(WorkerCount, AskedCountWinsAndTheDefaultIsAtLeastOne) {
  EXPECT_EQ(workerCount(3), 3);
  EXPECT_GE(workerCount(0), 1);
  EXPECT_GE(workerCount(-2), 1);
}

}  // namespace
}  // namespace sodwright::base
