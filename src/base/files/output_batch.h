// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The outputs of one run, given their names together at its end: a run that
// fails on its third file leaves the first two as they were as well.
//
//   base::OutputBatch outputs;           // this thread's files now wait
//   writeReport(...);                    // each written whole, still unnamed
//   writeCsv(...);
//   return outputs.commit();             // renamed in the order written
//
// While a batch lives, writeWholeFile on its thread finishes each file under
// its temporary name and hands it to the batch; destroying the batch without
// a commit removes them all. Elsewhere writeWholeFile renames at once.

#include <memory>
#include <optional>
#include <vector>

#include "base/files/pending_output.h"
#include "base/result.h"

namespace sodwright::base {

class OutputBatch {
 public:
  OutputBatch();
  ~OutputBatch();
  OutputBatch(const OutputBatch&) = delete;
  OutputBatch& operator=(const OutputBatch&) = delete;

  // The batch of the calling thread, or null.
  static OutputBatch* current();

  // Finishes `file` (every write checked) and keeps it for commit().
  Result<> keep(std::unique_ptr<PendingFile> file);
  // Keeps a file a foreign writer has finished at `path.path()`.
  void keep(PendingPath path);

  // Renames every kept file onto its name, in the order kept; SIGINT,
  // SIGTERM and SIGHUP wait until the last is named. A rename that fails
  // stops the commit: the files after it are removed, unnamed.
  Result<> commit();

 private:
  // One of the two is set.
  struct Kept {
    std::unique_ptr<PendingFile> file;
    std::optional<PendingPath> path;
  };
  std::vector<Kept> files_;
  OutputBatch* outer_;
};

}  // namespace sodwright::base
