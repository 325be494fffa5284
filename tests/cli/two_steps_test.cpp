// A batch's two threads: every item taken, in order, whatever the speed of
// either side, and a failure on either side reaching the caller without
// leaving the other thread behind.
#include "cli/two_steps.h"

#include <gtest/gtest.h>

#include <chrono>
#include <stdexcept>
#include <thread>
#include <vector>

namespace tavik::cli {
namespace {

// Runs `count` items through; `slowEvery` slows the taking side on every
// n-th item so that the making side meets a full queue.
std::vector<int> Through(int count, int slowEvery) {
    int next = 0;
    std::vector<int> taken;
    const bool ran = RunInTwoSteps<int>(
        [&]() -> std::optional<int> {
            if (next == count) return std::nullopt;
            return next++;
        },
        [&](int& item) {
            if (slowEvery && item % slowEvery == 0)
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
            taken.push_back(item);
        });
    EXPECT_TRUE(ran);
    return taken;
}

TEST(TwoSteps, TakesEveryItemInTheOrderMade) {
    for (const int slowEvery : {0, 50}) {
        const std::vector<int> taken = Through(1000, slowEvery);
        ASSERT_EQ(taken.size(), 1000u);
        for (int i = 0; i < 1000; ++i) ASSERT_EQ(taken[i], i);
    }
    EXPECT_TRUE(Through(0, 0).empty());
}

TEST(TwoSteps, AFailedTakeStopsTheMakingAndIsThrownHere) {
    int made = 0;
    int taken = 0;
    auto run = [&] {
        RunInTwoSteps<int>(
            [&]() -> std::optional<int> {
                if (made == 100000) return std::nullopt;
                return made++;
            },
            [&](int& item) {
                if (item == 10) throw std::runtime_error("cannot write");
                ++taken;
            });
    };
    EXPECT_THROW(run(), std::runtime_error);
    EXPECT_EQ(taken, 10);
    // The making side stops soon after: a few queued items, not the batch.
    EXPECT_LT(made, 10 + 2 * int(kItemsAhead) + 2);
}

TEST(TwoSteps, AFailedMakeStillTakesWhatWasMadeBefore) {
    int made = 0;
    std::vector<int> taken;
    auto run = [&] {
        RunInTwoSteps<int>(
            [&]() -> std::optional<int> {
                if (made == 20) throw std::runtime_error("cannot read");
                return made++;
            },
            [&](int& item) { taken.push_back(item); });
    };
    EXPECT_THROW(run(), std::runtime_error);
    EXPECT_EQ(taken.size(), 20u);
}

}  // namespace
}  // namespace tavik::cli
