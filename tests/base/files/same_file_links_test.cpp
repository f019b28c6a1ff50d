// SPDX-License-Identifier: GPL-3.0-or-later
// A relative symbolic link is followed from the folder that holds it, never
// from the working folder (the two agree only when they are the same).
#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>
#include <unistd.h>

#include "base/files/same_file.h"

using namespace sodwright::base;
namespace fs = std::filesystem;

TEST(SameFileLinks, RelativeLinkResolvesFromItsOwnFolder) {
  const fs::path root =
      fs::temp_directory_path() / ("sodwright-same-file-links-" + std::to_string(::getpid()));
  const fs::path before = fs::current_path();
  fs::remove_all(root);
  fs::create_directories(root / "links");
  fs::create_directories(root / "work");
  std::ofstream(root / "links" / "in.txt") << "data\n";
  fs::current_path(root / "work");
  // Both links point at a name beside them; the working folder lies elsewhere.
  fs::create_symlink("in.txt", root / "links" / "to-input");
  fs::create_symlink("out.csv", root / "links" / "to-output");
  const std::string input = (root / "links" / "in.txt").string();
  const std::string toInput = (root / "links" / "to-input").string();
  const std::string toOutput = (root / "links" / "to-output").string();

  // An existing target: an output written through the link overwrites the input.
  EXPECT_FALSE(checkSeparateOutputs({{"INPUT", input}}, {{"--csv", toInput}}).ok());
  // A dangling link leads to the file writing it creates, in the link's folder.
  EXPECT_TRUE(sameFile(toOutput, (root / "links" / "out.csv").string()));
  EXPECT_FALSE(sameFile(toOutput, "out.csv"));

  fs::current_path(before);
  fs::remove_all(root);
}
