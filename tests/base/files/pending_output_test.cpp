// SPDX-License-Identifier: GPL-3.0-or-later
// An output replaces its target only when it is whole: a failed, abandoned
// or interrupted write leaves the old file and no temporary.
#include "base/files/pending_output.h"

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "base/files/output_batch.h"
#include "base/text/text_file.h"

using namespace sodwright::base;
namespace fs = std::filesystem;

namespace {

class PendingOutput : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
    dir_ = fs::temp_directory_path() /
           ("sodwright-pending-" + std::string(test->name()) + "-" + std::to_string(::getpid()));
    fs::remove_all(dir_);
    fs::create_directories(dir_);
    old_ = file("out.csv");
    ASSERT_TRUE(writeWholeFile(old_, "old content\r\n").ok());
  }
  void TearDown() override { fs::remove_all(dir_); }
  std::string file(const std::string& name) const { return (dir_ / name).string(); }
  std::vector<std::string> names() const {
    std::vector<std::string> found;
    for (const auto& entry : fs::directory_iterator(dir_))
      found.push_back(entry.path().filename().string());
    std::sort(found.begin(), found.end());
    return found;
  }

  fs::path dir_;
  std::string old_;
};

// A size limit stands in for the full disk; its signal ignored, the write
// fails instead of killing the writer.
TEST_F(PendingOutput, FailedWriteKeepsTheOldFile) {
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit small{4096, 4096};
    ::setrlimit(RLIMIT_FSIZE, &small);
    const Result<> written = writeWholeFile(old_, std::string(1 << 16, 'x'));
    ::_exit(!written.ok() && written.message().rfind("cannot write the file: ", 0) == 0 ? 0 : 1);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "the failure went unreported";
  EXPECT_EQ(readWholeFile(old_).value(), "old content\r\n");
  EXPECT_EQ(names(), std::vector<std::string>{"out.csv"});
}

TEST_F(PendingOutput, OnlyCommitReplaces) {
  ::chmod(old_.c_str(), 0640);
  {
    auto abandoned = PendingFile::create(old_);
    ASSERT_TRUE(abandoned.ok()) << abandoned.message();
    (*abandoned)->out() << "abandoned";
    const std::string name = fs::path((*abandoned)->temporary()).filename().string();
    EXPECT_EQ(name.rfind(".out.csv." + std::to_string(::getpid()) + ".", 0), 0u) << name;
  }
  EXPECT_EQ(readWholeFile(old_).value(), "old content\r\n");
  EXPECT_EQ(names(), std::vector<std::string>{"out.csv"});

  // A file already at the next temporary's name is someone else's: kept.
  auto first = PendingFile::create(old_);
  ASSERT_TRUE(first.ok());
  std::string next = (*first)->temporary();
  const std::size_t count = next.rfind(".partial");
  const std::size_t dot = next.rfind('.', count - 1);
  next =
      next.substr(0, dot + 1) + std::to_string(std::stoul(next.substr(dot + 1)) + 1) + ".partial";
  std::ofstream(next) << "foreign";
  auto second = PendingFile::create(old_);
  ASSERT_TRUE(second.ok());
  EXPECT_NE((*second)->temporary(), next);
  (*second)->write("new content");
  ASSERT_TRUE((*second)->commit().ok());
  EXPECT_EQ(readWholeFile(next).value(), "foreign");
  EXPECT_EQ(readWholeFile(old_).value(), "new content");
  EXPECT_EQ(fs::status(old_).permissions() & fs::perms::all,
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

TEST_F(PendingOutput, NonRegularTargetIsRefusedAndKept) {
  const std::string fifo = file("pipe");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  const std::string folder = file("folder");
  fs::create_directory(folder);
  const std::string link = file("to-pipe");
  fs::create_symlink("pipe", link);
  for (const std::string& target : {fifo, folder, link}) {
    const Result<> written = writeWholeFile(target, "text");
    ASSERT_FALSE(written.ok()) << target;
    EXPECT_EQ(written.message(), "cannot create the file: cannot write to " + target + ": " +
                                     std::string(kNotRegularFile));
    EXPECT_FALSE(PendingPath::reserve(target, ".tif").ok()) << target;
  }
  EXPECT_TRUE(fs::is_fifo(fifo));
  EXPECT_TRUE(fs::is_directory(folder));
  EXPECT_TRUE(fs::is_empty(folder));
  EXPECT_EQ(names(), (std::vector<std::string>{"folder", "out.csv", "pipe", "to-pipe"}));
}

// The link stays and the file it leads to changes, also from another folder.
TEST_F(PendingOutput, LinkedFileIsReplacedAndTheLinkKept) {
  fs::create_directory(dir_ / "links");
  const std::string link = file("links/to-out");
  fs::create_symlink("../out.csv", link);
  ASSERT_TRUE(writeWholeFile(link, "through the link").ok());
  EXPECT_TRUE(fs::is_symlink(link));
  EXPECT_EQ(readWholeFile(old_).value(), "through the link");
  EXPECT_EQ(names(), (std::vector<std::string>{"links", "out.csv"}));
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_ / "links"), fs::directory_iterator()), 1);
}

// The child dies of the signal with a pending file and a reserved path
// written by name; neither is left.
TEST_F(PendingOutput, SignalRemovesTheTemporaries) {
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    installOutputCleanup();
    auto pending = PendingFile::create(old_);
    auto reserved = PendingPath::reserve(file("loss.tif"), ".tif");
    if (!pending.ok() || !reserved.ok()) ::_exit(3);
    std::ofstream(reserved->path()) << "raster";
    if (!fs::exists((*pending)->temporary()) || !fs::exists(reserved->path())) ::_exit(4);
    ::raise(SIGTERM);
    ::_exit(5);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGTERM) << status;
  EXPECT_EQ(names(), std::vector<std::string>{"out.csv"});
  EXPECT_EQ(readWholeFile(old_).value(), "old content\r\n");
}

// A batch names its files together at its end: a later failure or an early
// return leaves every earlier file of the run as it was too.
TEST_F(PendingOutput, ABatchNamesItsFilesOnlyAtItsCommit) {
  const std::string second = file("second.txt");
  ASSERT_TRUE(writeWholeFile(second, "old second").ok());
  {
    OutputBatch outputs;
    ASSERT_TRUE(writeWholeFile(old_, "new content").ok());
    EXPECT_FALSE(writeWholeFile(file("missing/third.txt"), "x").ok());
  }
  EXPECT_EQ(*readWholeFile(old_), "old content\r\n");
  EXPECT_EQ(names(), (std::vector<std::string>{"out.csv", "second.txt"}));

  {
    OutputBatch outputs;
    ASSERT_TRUE(writeWholeFile(old_, "new content").ok());
    ASSERT_TRUE(writeWholeFile(second, "new second").ok());
    EXPECT_EQ(*readWholeFile(second), "old second");
    ASSERT_TRUE(outputs.commit().ok());
  }
  EXPECT_EQ(*readWholeFile(old_), "new content");
  EXPECT_EQ(*readWholeFile(second), "new second");
  EXPECT_EQ(names(), (std::vector<std::string>{"out.csv", "second.txt"}));
  // Once the batch is gone, a write is named at once.
  ASSERT_TRUE(writeWholeFile(second, "later").ok());
  EXPECT_EQ(*readWholeFile(second), "later");
}

}  // namespace
