// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/files/output_batch.h"

#include <csignal>
#include <utility>

#include <pthread.h>

namespace sodwright::base {
namespace {

thread_local OutputBatch* threadBatch = nullptr;

}  // namespace

OutputBatch::OutputBatch() : outer_(threadBatch) { threadBatch = this; }

OutputBatch::~OutputBatch() { threadBatch = outer_; }

OutputBatch* OutputBatch::current() { return threadBatch; }

Result<> OutputBatch::keep(std::unique_ptr<PendingFile> file) {
  if (auto finished = file->finish(); !finished) return finished;
  files_.push_back({std::move(file), std::nullopt});
  return {};
}

void OutputBatch::keep(PendingPath path) { files_.push_back({nullptr, std::move(path)}); }

Result<> OutputBatch::commit() {
  std::vector<Kept> files = std::move(files_);
  files_.clear();
  // An interrupt waits until every file is named: the run's files are then
  // all old or all new, never some of each.
  sigset_t interrupts, before;
  sigemptyset(&interrupts);
  for (int signal : {SIGINT, SIGTERM, SIGHUP}) sigaddset(&interrupts, signal);
  pthread_sigmask(SIG_BLOCK, &interrupts, &before);
  Result<> outcome;
  for (Kept& kept : files) {
    outcome = kept.file ? kept.file->commit() : kept.path->commit();
    if (!outcome) break;
  }
  pthread_sigmask(SIG_SETMASK, &before, nullptr);
  return outcome;
}

}  // namespace sodwright::base
