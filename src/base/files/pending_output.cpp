// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/files/pending_output.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <streambuf>
#include <system_error>
#include <utility>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace sodwright::base {

namespace {

namespace fs = std::filesystem;

constexpr std::string_view kCreateStage = "cannot create the file: ";
constexpr std::string_view kWriteStage = "cannot write the file: ";
constexpr std::string_view kCloseStage = "cannot close the file: ";

// The live temporaries, readable from a signal handler: a slot is free (0),
// being filled or emptied (1) or holds a path (2).
constexpr int kSlots = 64;
constexpr std::size_t kLongestPath = 4096;
std::array<std::atomic<int>, kSlots> slotStates{};
std::array<std::array<char, kLongestPath>, kSlots> slotPaths{};

std::atomic<unsigned> temporaryCount{0};

std::string systemReason(int error) { return std::strerror(error); }

// "<folder>/.<name>.<pid>.<count>.partial<extension>"
std::string temporaryBeside(const std::string& replaced, std::string_view extension) {
  const fs::path asked(replaced);
  const std::string name = "." + asked.filename().string() + "." + std::to_string(::getpid()) +
                           "." + std::to_string(temporaryCount.fetch_add(1)) + ".partial" +
                           std::string(extension);
  return (asked.parent_path() / name).string();
}

Result<> renameOnto(const std::string& from, const std::string& to) {
  if (::rename(from.c_str(), to.c_str()) != 0)
    return fail(std::string(kWriteStage) + "cannot rename the finished file to " + to + ": " +
                systemReason(errno));
  return {};
}

void handleSignal(int signal) {
  for (int slot = 0; slot < kSlots; ++slot)
    if (slotStates[slot].load(std::memory_order_acquire) == 2) ::unlink(slotPaths[slot].data());
  struct sigaction standard {};
  standard.sa_handler = SIG_DFL;
  sigemptyset(&standard.sa_mask);
  ::sigaction(signal, &standard, nullptr);
  // Delivered, with its default action, as soon as the handler returns.
  ::raise(signal);
}

}  // namespace

int registerPendingPath(const std::string& path) {
  if (path.size() >= kLongestPath) return -1;
  for (int slot = 0; slot < kSlots; ++slot) {
    int free = 0;
    if (!slotStates[slot].compare_exchange_strong(free, 1, std::memory_order_acq_rel)) continue;
    std::memcpy(slotPaths[slot].data(), path.c_str(), path.size() + 1);
    slotStates[slot].store(2, std::memory_order_release);
    return slot;
  }
  return -1;
}

void unregisterPendingPath(int slot) {
  if (slot < 0 || slot >= kSlots) return;
  slotStates[slot].store(1, std::memory_order_release);
  slotPaths[slot][0] = '\0';
  slotStates[slot].store(0, std::memory_order_release);
}

void installOutputCleanup() {
  for (int signal : {SIGINT, SIGTERM, SIGHUP}) {
    struct sigaction previous {};
    ::sigaction(signal, nullptr, &previous);
    if (previous.sa_handler == SIG_IGN) continue;  // as under nohup: stays ignored
    struct sigaction cleanup {};
    cleanup.sa_handler = handleSignal;
    sigemptyset(&cleanup.sa_mask);
    ::sigaction(signal, &cleanup, nullptr);
  }
  // Past a file-size limit a write then fails and is reported, and the
  // temporary removed, instead of the process being killed with it in place.
  std::signal(SIGXFSZ, SIG_IGN);
}

Result<std::string> replaceablePath(const std::string& target) {
  fs::path at(target);
  // Up to the system's usual limit of links in a chain.
  for (int hop = 0; hop < 40; ++hop) {
    struct stat status {};
    if (::lstat(at.c_str(), &status) != 0) return at.string();  // not there yet: created
    if (S_ISREG(status.st_mode)) return at.string();
    if (!S_ISLNK(status.st_mode))
      return fail(std::string(kCreateStage) + "cannot write to " + target + ": " +
                  std::string(kNotRegularFile));
    std::error_code error;
    const fs::path next = fs::read_symlink(at, error);
    if (error) return at.string();
    at = next.is_absolute() ? next : at.parent_path() / next;
  }
  return fail(std::string(kCreateStage) + systemReason(ELOOP));
}

std::string_view reasonOf(std::string_view message) {
  for (std::string_view stage : {kCreateStage, kWriteStage, kCloseStage})
    if (message.substr(0, stage.size()) == stage) message.remove_prefix(stage.size());
  if (message.starts_with("cannot write to ") && message.ends_with(kNotRegularFile))
    return kNotRegularFile;
  return message;
}

// The stream's buffer over the temporary's descriptor: each write's failure
// is kept, with the system's reason.
class PendingFile::Buffer : public std::streambuf {
 public:
  Buffer(int descriptor, std::size_t bytes)
      : descriptor_(descriptor), data_(std::max<std::size_t>(bytes, 1)) {
    setp(data_.data(), data_.data() + data_.size());
  }
  int error() const { return error_; }
  int descriptor() const { return descriptor_; }
  bool drain() {
    const bool written = writeAll(pbase(), static_cast<std::size_t>(pptr() - pbase()));
    setp(data_.data(), data_.data() + data_.size());
    return written;
  }

 protected:
  int_type overflow(int_type c) override {
    if (!drain()) return traits_type::eof();
    if (!traits_type::eq_int_type(c, traits_type::eof())) {
      *pptr() = traits_type::to_char_type(c);
      pbump(1);
    }
    return traits_type::not_eof(c);
  }
  int sync() override { return drain() ? 0 : -1; }
  std::streamsize xsputn(const char* text, std::streamsize count) override {
    const auto n = static_cast<std::size_t>(count);
    if (n > static_cast<std::size_t>(epptr() - pptr())) {
      if (!drain()) return 0;
      if (n >= data_.size()) return writeAll(text, n) ? count : 0;
    }
    std::memcpy(pptr(), text, n);
    pbump(static_cast<int>(n));
    return count;
  }

 private:
  bool writeAll(const char* text, std::size_t n) {
    if (error_ != 0) return false;
    while (n > 0) {
      const ssize_t written = ::write(descriptor_, text, n);
      if (written < 0) {
        if (errno == EINTR) continue;
        error_ = errno;
        return false;
      }
      text += written;
      n -= static_cast<std::size_t>(written);
    }
    return true;
  }

  int descriptor_;
  std::vector<char> data_;
  int error_ = 0;
};

Result<std::unique_ptr<PendingFile>> PendingFile::create(const std::string& target,
                                                         std::size_t bufferBytes) {
  if (target == kStandardOutput) {
    // What the program printed before comes first.
    std::cout.flush();
    std::fflush(stdout);
    std::unique_ptr<PendingFile> file(new PendingFile);
    file->target_ = target;
    file->standardOutput_ = true;
    file->buffer_ = std::make_unique<Buffer>(STDOUT_FILENO, bufferBytes);
    file->out_ = std::make_unique<std::ostream>(file->buffer_.get());
    return file;
  }
  Result<std::string> replaced = replaceablePath(target);
  if (!replaced) return fail(replaced.message());
  std::unique_ptr<PendingFile> file(new PendingFile);
  file->target_ = target;
  file->replaced_ = *replaced;
  struct stat old {};
  const bool replacing = ::stat(file->replaced_.c_str(), &old) == 0;
  int descriptor = -1;
  // A name left by an earlier process of the same number is passed over.
  for (int attempt = 0; attempt < 8 && descriptor < 0; ++attempt) {
    file->temporary_ = temporaryBeside(file->replaced_, "");
    file->slot_ = registerPendingPath(file->temporary_);
    descriptor = ::open(file->temporary_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (descriptor < 0) {
      const int error = errno;
      unregisterPendingPath(file->slot_);
      file->slot_ = -1;
      if (error != EEXIST) {
        file->done_ = true;  // nothing to remove
        return fail(std::string(kCreateStage) + systemReason(error));
      }
    }
  }
  if (descriptor < 0) {
    file->done_ = true;
    return fail(std::string(kCreateStage) + systemReason(EEXIST));
  }
  // The replacement keeps the permissions of the file it replaces.
  if (replacing) (void)::fchmod(descriptor, old.st_mode & 07777);
  file->buffer_ = std::make_unique<Buffer>(descriptor, bufferBytes);
  file->out_ = std::make_unique<std::ostream>(file->buffer_.get());
  return file;
}

PendingFile::~PendingFile() {
  if (done_ || standardOutput_) return;
  if (buffer_ && !closed_) ::close(buffer_->descriptor());
  ::unlink(temporary_.c_str());
  unregisterPendingPath(slot_);
}

std::ostream& PendingFile::out() { return *out_; }

void PendingFile::write(std::string_view text) {
  out_->write(text.data(), static_cast<std::streamsize>(text.size()));
}

Result<> PendingFile::failed(std::string_view stage, std::string reason) {
  if (!standardOutput_) ::unlink(temporary_.c_str());
  unregisterPendingPath(slot_);
  slot_ = -1;
  done_ = true;
  return fail(std::string(stage) + reason);
}

Result<> PendingFile::finish() {
  if (done_) return fail(std::string(kWriteStage) + "the file was already finished");
  if (closed_) return {};
  const bool drained = buffer_->drain();
  const int writeError = buffer_->error();
  const bool closed = standardOutput_ || ::close(buffer_->descriptor()) == 0;
  const int closeError = errno;
  closed_ = true;
  if (!drained || out_->bad()) return failed(kWriteStage, systemReason(writeError));
  if (!closed) return failed(kCloseStage, systemReason(closeError));
  return {};
}

Result<> PendingFile::commit() {
  if (auto finished = finish(); !finished) return finished;
  if (standardOutput_) {
    done_ = true;
    return {};
  }
  if (::rename(temporary_.c_str(), replaced_.c_str()) != 0) {
    const int error = errno;
    return failed(kWriteStage,
                  "cannot rename the finished file to " + replaced_ + ": " + systemReason(error));
  }
  unregisterPendingPath(slot_);
  slot_ = -1;
  done_ = true;
  return {};
}

Result<PendingPath> PendingPath::reserve(const std::string& target, std::string_view extension) {
  Result<std::string> replaced = replaceablePath(target);
  if (!replaced) return fail(replaced.message());
  PendingPath path;
  path.target_ = target;
  path.replaced_ = *replaced;
  // The name is taken by creating the file empty, exclusively; the writer
  // then opens it by name and replaces its content.
  for (int attempt = 0; attempt < 8; ++attempt) {
    path.temporary_ = temporaryBeside(path.replaced_, extension);
    path.slot_ = registerPendingPath(path.temporary_);
    const int descriptor =
        ::open(path.temporary_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (descriptor >= 0) {
      ::close(descriptor);
      return path;
    }
    const int error = errno;
    unregisterPendingPath(path.slot_);
    path.slot_ = -1;
    path.temporary_.clear();  // not ours: left alone
    if (error != EEXIST) return fail(std::string(kCreateStage) + systemReason(error));
  }
  return fail(std::string(kCreateStage) + systemReason(EEXIST));
}

Result<PendingPath> PendingPath::companion(std::string_view extension,
                                           const std::string& target) const {
  Result<std::string> replaced = replaceablePath(target);
  if (!replaced) return fail(replaced.message());
  PendingPath path;
  path.target_ = target;
  path.replaced_ = *replaced;
  path.temporary_ = fs::path(temporary_).replace_extension(extension).string();
  path.slot_ = registerPendingPath(path.temporary_);
  return path;
}

PendingPath::PendingPath(PendingPath&& other) noexcept
    : target_(std::move(other.target_)),
      replaced_(std::move(other.replaced_)),
      temporary_(std::move(other.temporary_)),
      slot_(std::exchange(other.slot_, -1)) {
  other.temporary_.clear();
}

PendingPath& PendingPath::operator=(PendingPath&& other) noexcept {
  if (this != &other) {
    release();
    target_ = std::move(other.target_);
    replaced_ = std::move(other.replaced_);
    temporary_ = std::move(other.temporary_);
    other.temporary_.clear();
    slot_ = std::exchange(other.slot_, -1);
  }
  return *this;
}

PendingPath::~PendingPath() { release(); }

void PendingPath::release() {
  if (!temporary_.empty()) ::unlink(temporary_.c_str());
  unregisterPendingPath(slot_);
  slot_ = -1;
  temporary_.clear();
}

Result<> PendingPath::commit() {
  if (temporary_.empty()) return fail(std::string(kWriteStage) + "the file was already finished");
  if (auto moved = renameOnto(temporary_, replaced_); !moved) {
    release();
    return moved;
  }
  unregisterPendingPath(slot_);
  slot_ = -1;
  temporary_.clear();
  return {};
}

}  // namespace sodwright::base
