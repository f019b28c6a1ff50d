// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Reading a transect data file: eight header lines, then one line per point
// (PL1, PL2, PL3, DepthL1, DepthL2, Elev), fields split by one delimiter.
//
// The file is parsed completely into a fresh parameter set and fresh arrays;
// the held state is replaced only when the whole file is valid, so a failed
// import leaves the previous transect exactly as it was.

#include <istream>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/result.h"
#include "base/text/import_messages.h"
#include "base/text/text_file.h"
#include "kolv/state/kolv_state.h"

namespace sodwright::kolv {

// What was wrong and where (the text names the line or cell).
struct ImportProblem {
  std::string what;
};

// Reads lines 1 to 8 into `params` and `substanceUnit`, then sets the
// derived values and the import defaults (StartSeq, LastSeq, SeqCount,
// FirstSeqShown, LastSeqShown = FileSeqNo, NodeCount, DistrNodes, ...).
std::optional<ImportProblem> readTransectHeader(const std::vector<std::string>& lines,
                                                char delimiter, TranslocationParameters& params,
                                                std::string& substanceUnit);

// Reads the point rows from `reader`, which stands after the eight header
// lines, then sizes the arrays from the header values and stores the rows at
// sequence FileSeqNo; then raises LastSeqShown by one. Lines after the last
// counted row are not read.
std::optional<ImportProblem> readTransectRows(base::TextLineReader& reader, char delimiter,
                                              TranslocationParameters& params, TransectData& data,
                                              ComparisonResults& results);

// Both steps over a stream read line by line: reading stops at the first
// fault, at a line longer than base::kLongestTextLine, or after the counted
// rows. Replaces the state's parameters, data and results only on success.
base::Result<> importTransectStream(KolvState& state, std::istream& in, char delimiter);

// The same over text already split into lines.
base::Result<> importTransectLines(KolvState& state, const std::vector<std::string>& lines,
                                   char delimiter);

// The import command's reading of a text file (CR LF, CR or LF line ends).
base::Result<> importTransectText(KolvState& state, const std::string& path, char delimiter);

}  // namespace sodwright::kolv
