// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The progress of a long run on a stream (standard error): nothing during
// its first moment, so that a quick run shows only its closing line; then a
// bar redrawn in place on a terminal, or a line every few percent where the
// stream goes to a file or a pipe (a log, a scheduler's output).

#include <cstdint>
#include <functional>
#include <ostream>
#include <string>

namespace sodwright::base {

class ProgressLine {
 public:
  // Seconds from any fixed start; the steady clock outside tests.
  using Clock = std::function<double()>;
  static Clock steadyClock();

  // How long before the first sign of progress, and the step of the lines.
  static constexpr double kMoment = 1.0;
  static constexpr int kPercentStep = 5;

  ProgressLine(std::ostream& out, bool terminal, Clock clock);
  // `done` of `total` units of work are done.
  void update(std::int64_t done, std::int64_t total);
  // Ends the bar (if one is shown) and writes the closing line.
  void finish(const std::string& closing);
  // Seconds since the start.
  double elapsed() const;

 private:
  std::ostream& out_;
  bool terminal_;
  Clock clock_;
  double start_;
  int shownPercent_ = -1;
  bool barShown_ = false;
};

}  // namespace sodwright::base
