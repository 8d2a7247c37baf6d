#include "tools/cabinet/background_worker.h"

#include <chrono>

namespace cabinet {

namespace {

// How long either side looks for the other before it sleeps: longer than
// the gap between a frame's two steps usually is, short enough to waste
// nothing worth counting when a step takes far longer than the other.
const std::chrono::microseconds kSpin(300);

template <typename Ready>
bool spinUntil(Ready ready) {
    const auto until = std::chrono::steady_clock::now() + kSpin;
    while (!ready()) {
        if (std::chrono::steady_clock::now() >= until) return false;
        std::this_thread::yield();
    }
    return true;
}

}  // namespace

BackgroundWorker::BackgroundWorker() : thread_([this] { run(); }) {}

BackgroundWorker::~BackgroundWorker() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_one();
    thread_.join();
}

void BackgroundWorker::start(std::function<void()> job) {
    {
        // A job left running by an owner that unwound is let finish first.
        std::unique_lock<std::mutex> lock(mutex_);
        done_.wait(lock, [&] { return finished_ == started_; });
        job_ = std::move(job);
        failure_ = nullptr;
        ++started_;
    }
    wake_.notify_one();
}

void BackgroundWorker::wait() {
    const unsigned job = started_;
    if (!spinUntil([&] { return finished_ == job; })) {
        std::unique_lock<std::mutex> lock(mutex_);
        done_.wait(lock, [&] { return finished_ == job; });
    }
    std::exception_ptr failure;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        failure = failure_;
    }
    if (failure) std::rethrow_exception(failure);
}

void BackgroundWorker::run() {
    unsigned done = 0;
    for (;;) {
        if (!spinUntil([&] { return started_ != done || stopping_; })) {
            std::unique_lock<std::mutex> lock(mutex_);
            wake_.wait(lock, [&] { return started_ != done || stopping_; });
        }
        std::function<void()> job;
        {
            std::lock_guard<std::mutex> lock(mutex_);
            if (started_ == done) return;  // stopping, nothing handed over
            job = std::move(job_);
        }
        std::exception_ptr failure;
        try {
            job();
        } catch (...) {
            failure = std::current_exception();
        }
        {
            std::lock_guard<std::mutex> lock(mutex_);
            failure_ = failure;
            finished_ = ++done;
        }
        done_.notify_one();
    }
}

}  // namespace cabinet
