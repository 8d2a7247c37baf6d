// One thread kept for jobs handed to it one at a time: the LZX compressor's
// match finder, a frame ahead of the coder. Starting a thread per frame
// costs a millisecond or so before the thread runs, a good part of a
// frame's time; a kept thread that waits a moment for its next job before
// it sleeps answers at once while the jobs come steadily.
#pragma once

#include <atomic>
#include <condition_variable>
#include <exception>
#include <functional>
#include <mutex>
#include <thread>

namespace cabinet {

class BackgroundWorker {
public:
    // Throws std::system_error where no thread can be had.
    BackgroundWorker();
    ~BackgroundWorker();
    BackgroundWorker(const BackgroundWorker&) = delete;
    BackgroundWorker& operator=(const BackgroundWorker&) = delete;

    // Hands over the next job, once the one before is done.
    void start(std::function<void()> job);
    // Returns when the job is done, throwing what it threw.
    void wait();

private:
    void run();

    std::mutex mutex_;
    std::condition_variable wake_;
    std::condition_variable done_;
    std::function<void()> job_;
    std::exception_ptr failure_;
    std::atomic<unsigned> started_{0};   // jobs handed over
    std::atomic<unsigned> finished_{0};  // jobs done
    std::atomic<bool> stopping_{false};
    std::thread thread_;  // last: it starts once the rest is ready
};

}  // namespace cabinet
