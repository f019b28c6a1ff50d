// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// An output is written under a temporary name beside its target and renamed
// onto it only once every byte has reached the file, so that a full disk, a
// size limit or an interrupted run leaves the old file as it was.
//
//   base::Result<std::unique_ptr<base::PendingFile>> file = base::PendingFile::create(path);
//   if (!file) return fail(file.message());
//   (*file)->out() << text;
//   if (auto done = (*file)->commit(); !done) return fail(done.message());
//
// The temporary is ".<name>.<pid>.<count>.partial" in the target's folder
// (one file system, so the rename is atomic), created exclusively. A target
// that exists and is not a regular file (a device, a pipe, a socket, a
// folder) is refused: renaming onto it would replace it. A symbolic link is
// followed: the file it leads to is replaced and the link stays.
//
// Failure messages keep the in-place writer's stages: "cannot create the
// file: ", "cannot write the file: ", "cannot close the file: ", then the
// system's reason (reasonOf gives the reason alone).

#include <cstddef>
#include <memory>
#include <ostream>
#include <string>
#include <string_view>

#include "base/result.h"

namespace sodwright::base {

// The name of the standard output where a text output is asked: "-". Its
// text is written as it comes; there is nothing to rename or remove.
inline constexpr std::string_view kStandardOutput = "-";

// The reason a refused target is given, after its path.
inline constexpr std::string_view kNotRegularFile =
    "it is not a regular file (a device, a pipe or a folder)";

// The path a finished output is renamed onto: `target`, or where its
// symbolic links lead. Fails (with the message's create stage) when that
// exists and is not a regular file.
Result<std::string> replaceablePath(const std::string& target);

// A failure message of this file without its stage, for callers that word
// their own: the system's reason, or kNotRegularFile for a refused target.
std::string_view reasonOf(std::string_view message);

class PendingFile {
 public:
  // Creates the temporary for `target`, with a stream buffer of
  // `bufferBytes`; for kStandardOutput, a stream to the standard output.
  static Result<std::unique_ptr<PendingFile>> create(const std::string& target,
                                                     std::size_t bufferBytes = std::size_t{1}
                                                                               << 16);
  ~PendingFile();  // removes the temporary unless committed
  PendingFile(const PendingFile&) = delete;
  PendingFile& operator=(const PendingFile&) = delete;

  std::ostream& out();
  void write(std::string_view text);

  // Flushes and closes, checking each step; the file is then complete under
  // its temporary name. On failure the temporary is gone.
  Result<> finish();
  // Finishes (unless done), then renames onto the target. On failure the
  // temporary is gone and the target untouched.
  Result<> commit();

  const std::string& target() const { return target_; }
  const std::string& temporary() const { return temporary_; }

 private:
  class Buffer;
  PendingFile() = default;
  Result<> failed(std::string_view stage, std::string reason);

  std::string target_;    // as asked
  std::string replaced_;  // where the rename goes
  std::string temporary_;
  std::unique_ptr<Buffer> buffer_;
  std::unique_ptr<std::ostream> out_;
  int slot_ = -1;
  bool closed_ = false;
  bool done_ = false;
  bool standardOutput_ = false;
};

// A temporary path beside a target for a writer that opens files by name
// (a raster library, a toolkit): the same refusal, naming and cleanup.
class PendingPath {
 public:
  // Takes the name by creating the file empty and exclusively; `extension`
  // ends it (a writer may choose its format by it).
  static Result<PendingPath> reserve(const std::string& target, std::string_view extension = "");
  // A file the writer may put beside this one under the same name with
  // another extension (a grid's projection file), to be renamed onto
  // `target`; only named here, not created.
  Result<PendingPath> companion(std::string_view extension, const std::string& target) const;

  PendingPath(PendingPath&& other) noexcept;
  PendingPath& operator=(PendingPath&& other) noexcept;
  PendingPath(const PendingPath&) = delete;
  PendingPath& operator=(const PendingPath&) = delete;
  ~PendingPath();  // removes the file at path() unless committed

  const std::string& path() const { return temporary_; }
  const std::string& target() const { return target_; }
  // Renames the written file onto the target.
  Result<> commit();

 private:
  PendingPath() = default;
  void release();

  std::string target_;
  std::string replaced_;
  std::string temporary_;
  int slot_ = -1;
};

// Sets SIGINT, SIGTERM and SIGHUP (each unless ignored) to remove every
// pending temporary of the process, then end it by the signal as before.
void installOutputCleanup();

// The registry the handler empties; for writers and tests. Returns the slot,
// or -1 when the registry is full or the path too long (the file is then
// only removed by its owner).
int registerPendingPath(const std::string& path);
void unregisterPendingPath(int slot);

}  // namespace sodwright::base
