// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/files/output_batch.h"

#include <utility>

namespace sodwright::base {
namespace {

thread_local OutputBatch* threadBatch = nullptr;

}  // namespace

OutputBatch::OutputBatch() : outer_(threadBatch) { threadBatch = this; }

OutputBatch::~OutputBatch() { threadBatch = outer_; }

OutputBatch* OutputBatch::current() { return threadBatch; }

Result<> OutputBatch::keep(std::unique_ptr<PendingFile> file) {
  if (auto finished = file->finish(); !finished) return finished;
  files_.push_back(std::move(file));
  return {};
}

Result<> OutputBatch::commit() {
  std::vector<std::unique_ptr<PendingFile>> files = std::move(files_);
  files_.clear();
  for (const auto& file : files)
    if (auto named = file->commit(); !named) return named;
  return {};
}

}  // namespace sodwright::base
