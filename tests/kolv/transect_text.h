// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Builds transect data files in the import layout for the tests.

#include <string>
#include <vector>

#include "kolv/state/kolv_state.h"

namespace sodwright::kolv::testing {

struct TransectHeader {
  std::string sequence = "5";
  std::string points = " 3 ";
  std::string distrDistance = " 1 ";
  std::string interval = " .3 ";
  std::string alpha = " .3 ", beta = " .003 ", gamma = " .02 ";
  std::string tillDepth = " .2 ";
  std::string bd1 = " 1300 ", bd2 = " 1350 ", bd3 = " 1450 ";
  std::string unit = "mg";
};

// The header lines, then `rows` (each already joined by the delimiter),
// every line ended by `lineEnd`.
std::string transectText(const TransectHeader& h, const std::vector<std::string>& rows,
                         char delimiter = '\t', const std::string& lineEnd = "\r\n");

// `count` plausible point rows joined by `delimiter`.
std::vector<std::string> pointRows(int count, char delimiter = '\t');

// Every parameter and the arrays' bounds and imported values as text, to see
// that a state is left exactly as it was.
std::string describeState(const KolvState& state);

}  // namespace sodwright::kolv::testing
