// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/files/same_file.h"

#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace sodwright::base;
namespace fs = std::filesystem;

namespace {

// A fresh folder holding in.txt and sub/, the working folder while it lives.
class Folder {
 public:
  Folder()
      : path_(fs::temp_directory_path() / ("sodwright-same-file-" + std::to_string(::getpid()))),
        before_(fs::current_path()) {
    fs::remove_all(path_);
    fs::create_directories(path_ / "sub");
    std::ofstream(path_ / "in.txt") << "data\n";
    fs::current_path(path_);
  }
  ~Folder() {
    fs::current_path(before_);
    fs::remove_all(path_);
  }
  std::string at(const std::string& name) const { return (path_ / name).string(); }

 private:
  fs::path path_;
  fs::path before_;
};

}  // namespace

TEST(SameFile, AnySpellingOrLinkOfOneFile) {
  const Folder folder;
  fs::create_symlink(folder.at("in.txt"), "link.txt");
  fs::create_hard_link("in.txt", "hard.txt");
  fs::create_symlink("sub", "subLink");
  for (const std::string& existing :
       {std::string("in.txt"), std::string("./in.txt"), std::string("sub/../in.txt"),
        folder.at("in.txt"), std::string("link.txt"), std::string("hard.txt")})
    EXPECT_TRUE(sameFile("in.txt", existing)) << existing;
  // Outputs that do not exist yet.
  EXPECT_TRUE(sameFile("out.txt", "./sub/../out.txt"));
  EXPECT_TRUE(sameFile(folder.at("out.txt"), "out.txt"));
  EXPECT_TRUE(sameFile("subLink/out.txt", "sub/out.txt"));
  fs::create_symlink("sub/target.txt", "dangling.txt");
  EXPECT_TRUE(sameFile("dangling.txt", "sub/target.txt"));

  std::ofstream("other.txt") << "data\n";  // same contents, another file
  for (const auto& [a, b] : {std::pair{"in.txt", "other.txt"},
                             {"in.txt", "out.txt"},
                             {"out.txt", "out2.txt"},
                             {"sub/out.txt", "out.txt"},
                             {"/dev/null", "/dev/null"},
                             {"", ""}})
    EXPECT_FALSE(sameFile(a, b)) << a << " " << b;
}

TEST(SameFile, OutputsClashingWithAnInputOrEachOther) {
  const Folder folder;
  const std::vector<NamedPath> inputs = {{"INPUT", "in.txt"}, {"--base", ""}};
  EXPECT_TRUE(
      checkSeparateOutputs(
          inputs, {{"--report", "r.txt"}, {"--csv", "c.csv"}, {"--map", ""}, {"--charts", ""}})
          .ok());

  const Result<> onInput =
      checkSeparateOutputs(inputs, {{"--csv", "c.csv"}, {"--report", "./in.txt"}});
  EXPECT_EQ(onInput.message(),
            "--report ./in.txt is the same file as INPUT in.txt: give another file; nothing was "
            "read or written");
  const Result<> twoOutputs =
      checkSeparateOutputs(inputs, {{"--report", "r.txt"}, {"--csv", "r.txt"}});
  EXPECT_EQ(twoOutputs.message(),
            "--csv r.txt is the same file as --report: give another file; nothing was read or "
            "written");

  // The finished file would replace a pipe or a folder; a later output is
  // checked as well as the first.
  ASSERT_EQ(::mkfifo("pipe", 0600), 0);
  EXPECT_EQ(checkSeparateOutputs(inputs, {{"--report", "r.txt"}, {"--csv", "pipe"}}).message(),
            "--csv pipe: it is not a regular file (a device, a pipe or a folder): give another "
            "file; nothing was read or written");
  EXPECT_FALSE(checkSeparateOutputs({}, {{"--map", "sub"}}).ok());
}
