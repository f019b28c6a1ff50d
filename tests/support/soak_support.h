// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Shared pieces of the randomised soak tests.

#include <cstdio>
#include <cstdlib>
#include <string>

namespace sodwright::testing {

// How many random studies to run: SODWRIGHT_SOAK_RUNS raises the default.
inline int soakRuns(int fallback) {
  const char* text = std::getenv("SODWRIGHT_SOAK_RUNS");
  return text != nullptr && std::atoi(text) > 0 ? std::atoi(text) : fallback;
}

// A value written as a data file would hold it, independent of the program's
// own number texts.
inline std::string fixed(double value, int decimals) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.*f", decimals, value);
  return buffer;
}

}  // namespace sodwright::testing
