// The thread the LZX compressor finds matches on: each job done once and in
// order, its effects seen by the one who waits, its failure handed back,
// and no job cut short by its owner going away.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <stdexcept>
#include <thread>

#include "tools/cabinet/background_worker.h"

namespace {

void sleepMilliseconds(int n) { std::this_thread::sleep_for(std::chrono::milliseconds(n)); }

}  // namespace

TEST(BackgroundWorker, RunsEachJobOnceInOrderAndHandsBackWhatItThrew) {
    cabinet::BackgroundWorker worker;
    // Plain (not atomic) data: wait() must make the job's writes visible.
    int done = 0;
    for (int job = 1; job <= 2000; ++job) {
        worker.start([&done, job] {
            if (done != job - 1) throw std::logic_error("out of order");
            done = job;
        });
        // Now and then the job outlasts the waiting side's spin, which then sleeps.
        if (job % 500 == 0) sleepMilliseconds(2);
        worker.wait();
        ASSERT_EQ(done, job);
    }

    worker.start([] { throw std::runtime_error("disk full"); });
    try {
        worker.wait();
        FAIL() << "the job's failure was not handed back";
    } catch (const std::runtime_error& e) {
        EXPECT_STREQ(e.what(), "disk full");
    }
    // The failure belongs to that job alone.
    worker.start([&done] { done = -1; });
    EXPECT_NO_THROW(worker.wait());
    EXPECT_EQ(done, -1);
}

TEST(BackgroundWorker, AJobNotWaitedForStillRunsToItsEnd) {
    std::atomic<int> finished{0};
    {
        cabinet::BackgroundWorker worker;
        worker.start([&] {
            sleepMilliseconds(30);
            ++finished;
        });
        // The next job waits for the one before, as after an owner unwound.
        worker.start([&] {
            EXPECT_EQ(finished.load(), 1);
            sleepMilliseconds(30);
            ++finished;
        });
        // Gone without waiting: the running job is let finish.
    }
    EXPECT_EQ(finished.load(), 2);
    // One that never got a job stops at once.
    cabinet::BackgroundWorker idle;
}
