// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/files/same_file.h"

#include <filesystem>
#include <system_error>

#include "base/files/pending_output.h"

namespace sodwright::base {
namespace {

namespace fs = std::filesystem;

// Where a path that does not (yet) exist leads: a dangling symbolic link
// leads to its target, which writing the link creates.
fs::path resolvedPath(const std::string& text) {
  std::error_code error;
  fs::path path = fs::absolute(fs::path(text), error);
  if (error) return fs::path(text).lexically_normal();
  // A bound on the links followed, as the system's own lookup has.
  for (int hop = 0; hop < 40 && fs::is_symlink(fs::symlink_status(path, error)); ++hop) {
    const fs::path target = fs::read_symlink(path, error);
    if (error) break;
    path = target.is_absolute() ? target : path.parent_path() / target;
  }
  const fs::path resolved = fs::weakly_canonical(path, error);
  return error ? path.lexically_normal() : resolved;
}

}  // namespace

bool sameFile(const std::string& a, const std::string& b) {
  if (a.empty() || b.empty()) return false;
  std::error_code error;
  const fs::file_status statusA = fs::status(a, error);
  const fs::file_status statusB = fs::status(b, error);
  const bool existsA = fs::exists(statusA), existsB = fs::exists(statusB);
  if (existsA && existsB) {
    if (fs::is_character_file(statusA)) return false;
    return fs::equivalent(a, b, error) && !error;
  }
  if (existsA || existsB) return false;
  return resolvedPath(a) == resolvedPath(b);
}

Result<> checkSeparateOutputs(const std::vector<NamedPath>& inputs,
                              const std::vector<NamedPath>& outputs) {
  for (std::size_t i = 0; i < outputs.size(); ++i) {
    const NamedPath& output = outputs[i];
    // A device, a pipe or a folder would be replaced by the finished file.
    if (!output.path.empty() && output.path != kStandardOutput)
      if (auto replaceable = replaceablePath(output.path); !replaceable)
        return fail(output.option + " " + output.path + ": " +
                    std::string(reasonOf(replaceable.message())) +
                    ": give another file; nothing was read or written");
    const auto clash = [&](const NamedPath& other) -> Result<> {
      if (!sameFile(output.path, other.path)) return {};
      const bool spelledAlike = output.path == other.path;
      return fail(output.option + " " + output.path + " is the same file as " + other.option +
                  (spelledAlike ? "" : " " + other.path) +
                  ": give another file; nothing was read or written");
    };
    for (const NamedPath& input : inputs)
      if (auto checked = clash(input); !checked) return checked;
    for (std::size_t j = 0; j < i; ++j)
      if (auto checked = clash(outputs[j]); !checked) return checked;
  }
  return {};
}

}  // namespace sodwright::base
