// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/text/progress_line.h"

#include <chrono>

namespace sodwright::base {

namespace {
constexpr int kBarWidth = 40;
}  // namespace

ProgressLine::Clock ProgressLine::steadyClock() {
  return [] {
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
  };
}

ProgressLine::ProgressLine(std::ostream& out, bool terminal, Clock clock)
    : out_(out), terminal_(terminal), clock_(std::move(clock)), start_(clock_()) {}

double ProgressLine::elapsed() const { return clock_() - start_; }

void ProgressLine::update(std::int64_t done, std::int64_t total) {
  if (total <= 0 || elapsed() < kMoment) return;
  const int percent = static_cast<int>(100 * done / total);
  if (terminal_) {
    if (percent == shownPercent_) return;
    const int filled = kBarWidth * percent / 100;
    out_ << "\r[" << std::string(static_cast<std::size_t>(filled), '#')
         << std::string(static_cast<std::size_t>(kBarWidth - filled), ' ') << "] " << percent
         << " %" << std::flush;
    barShown_ = true;
    shownPercent_ = percent;
    return;
  }
  const int step = percent / kPercentStep * kPercentStep;
  if (step == 0 || step <= shownPercent_) return;
  out_ << step << " % (" << done << " of " << total << " lines)\n" << std::flush;
  shownPercent_ = step;
}

void ProgressLine::finish(const std::string& closing) {
  if (barShown_) out_ << "\n";
  barShown_ = false;
  out_ << closing << "\n" << std::flush;
}

}  // namespace sodwright::base
