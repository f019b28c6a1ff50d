// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// An output that is an input of the same run, or another of its outputs,
// would destroy the data it is computed from or be overwritten half-way.
// Runners check their paths with checkSeparateOutputs before they read or
// write anything. "The same file" is decided by the file system, not by the
// spelling: ./x, a/../x, an absolute path, a symbolic or a hard link to the
// file are all the same file.

#include <string>
#include <vector>

#include "base/result.h"

namespace sodwright::base {

// A path given on the command line and the option that gave it ("--report",
// "INPUT"); an empty path stands for an option left out and is skipped.
struct NamedPath {
  std::string option;
  std::string path;
};

// Whether the two paths name one file: for two existing files, the same
// device and inode; otherwise the same path once both are made absolute and
// their existing parts (symbolic links included) resolved. A character
// device (/dev/null) is never the same file as anything: writing two
// outputs to it harms nothing.
bool sameFile(const std::string& a, const std::string& b);

// Fails, naming both options and the file, when an output is the same file
// as an input or as an earlier output; and, naming the option, when an
// output is an existing device, pipe or folder, which the finished file
// would replace.
Result<> checkSeparateOutputs(const std::vector<NamedPath>& inputs,
                              const std::vector<NamedPath>& outputs);

}  // namespace sodwright::base
