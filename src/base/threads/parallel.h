// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The one way the program runs work on threads. No thread escapes its owner
// and none can end the process: every failure of work run here comes back to
// the caller as the exception the work threw.
//
//   base::runParts(2, [&](int part) { sweep(part); });      // waits for both
//
//   base::BackgroundTask<std::string> text([&] { return makeText(); });
//   write(other);
//   use(text.get());                                         // rethrows its failure

#include <exception>
#include <functional>
#include <future>
#include <system_error>
#include <thread>
#include <utility>

namespace sodwright::base {

// How many workers a run uses: the number asked for when positive, else the
// machine's cores (at least one).
int workerCount(int asked = 0);

// Runs part(0) .. part(parts - 1) at once: part 0 on the calling thread, each
// other part on a thread of its own where one can be had (else on the
// calling thread too). Returns when every part has ended; the first
// exception in part order is then thrown again.
void runParts(int parts, const std::function<void(int)>& part);

// One piece of work on a thread of its own, owned by this object. get()
// waits and returns the work's value or throws its exception; destroying the
// object (or assigning another task to it) waits for the work to end. When
// no thread can be had the work runs on the thread that started it, before
// the constructor returns. `whenDone`, if given, runs after the work on the
// same thread whatever the work's outcome (a window posts its finish from it).
template <class T>
class BackgroundTask {
 public:
  BackgroundTask() = default;

  template <class Work>
  explicit BackgroundTask(Work&& work, std::function<void()> whenDone = {})
      : task_(std::forward<Work>(work)), future_(task_.get_future()) {
    auto body = [this, whenDone = std::move(whenDone)] {
      task_();
      if (whenDone) {
        try {
          whenDone();
        } catch (...) {
          // The work's own outcome is what get() reports.
        }
      }
    };
    try {
      thread_ = std::thread(body);
    } catch (const std::system_error&) {
      body();
    }
  }

  BackgroundTask(const BackgroundTask&) = delete;
  BackgroundTask& operator=(const BackgroundTask&) = delete;
  // Moving would leave the running work pointing at the old object.
  BackgroundTask(BackgroundTask&&) = delete;
  BackgroundTask& operator=(BackgroundTask&&) = delete;

  ~BackgroundTask() { wait(); }

  // Whether work was started and its outcome not yet taken.
  bool pending() const { return future_.valid(); }

  // Waits for the work to end; its outcome stays for get().
  void wait() {
    if (thread_.joinable()) thread_.join();
  }

  T get() {
    wait();
    return future_.get();
  }

 private:
  std::packaged_task<T()> task_;
  std::future<T> future_;
  std::thread thread_;
};

}  // namespace sodwright::base
