// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// How much memory the transect arrays of an import take. The arrays hold
// every sequence from 0 to the file's sequence + 51, so a long transect
// stored at a high sequence number (both within the 16-bit bounds) would ask
// for tens of gigabytes; such a file is refused before anything is sized.

#include <cstdint>
#include <optional>
#include <string>

namespace sodwright::kolv {

inline constexpr std::uint64_t kMostTransectBytes = 1ULL << 30;

// Bytes of the node-by-sequence arrays (seven Double and one Single) for
// `points` points, `distrNodes` distribution nodes, stored at `fileSeqNo`.
inline std::uint64_t transectArrayBytes(int points, int distrNodes, int fileSeqNo) {
  const std::uint64_t nodes = static_cast<std::uint64_t>(6LL * distrNodes + points + 21);
  const std::uint64_t sequences = static_cast<std::uint64_t>(fileSeqNo) + 52;
  return nodes * sequences * (7 * sizeof(double) + sizeof(float));
}

// The fault to report when the arrays would take more than kMostTransectBytes.
inline std::optional<std::string> transectTooLarge(int points, int distrNodes, int fileSeqNo) {
  const std::uint64_t bytes = transectArrayBytes(points, distrNodes, fileSeqNo);
  if (bytes <= kMostTransectBytes) return std::nullopt;
  constexpr std::uint64_t kMegabyte = 1ULL << 20;
  return "a transect of " + std::to_string(points) + " points stored at sequence " +
         std::to_string(fileSeqNo) + " needs " +
         std::to_string((bytes + kMegabyte - 1) / kMegabyte) + " MB of memory, more than the " +
         std::to_string(kMostTransectBytes / kMegabyte) + " MB one transect may take.";
}

}  // namespace sodwright::kolv
