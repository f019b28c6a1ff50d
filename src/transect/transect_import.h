#pragma once
// Reading a transect data file: eight header lines, then one line per point
// (PL1, PL2, PL3, DepthL1, DepthL2, Elev), fields split by one delimiter.
//
// The file is parsed completely into a fresh parameter set and fresh arrays;
// the held state is replaced only when the whole file is valid, so a failed
// import leaves the previous transect exactly as it was.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "transect/kolv_state.h"

namespace sodwright::kolv {

inline constexpr std::string_view kImportFailedMessage =
    "Data import failed. Please check your data file and try again.";

// What was wrong and where (the text names the line or cell).
struct ImportProblem {
  std::string what;
};

struct ImportResult {
  bool ok() const { return !message.has_value(); }
  // The two-line text to show on failure: kImportFailedMessage, a line end,
  // then the line number and what was wrong there.
  std::optional<std::string> message;
};

// Reads lines 1 to 8 into `params` and `substanceUnit`, then sets the
// derived values and the import defaults (StartSeq, LastSeq, SeqCount,
// FirstSeqShown, LastSeqShown = FileSeqNo, NodeCount, DistrNodes, ...).
std::optional<ImportProblem> ReadTransectHeader(const std::vector<std::string>& lines, char delimiter,
                                                TranslocationParameters& params,
                                                std::string& substanceUnit);

// Sizes the arrays from the header values and reads the point rows at
// sequence FileSeqNo; then raises LastSeqShown by one.
std::optional<ImportProblem> ReadTransectRows(const std::vector<std::string>& lines, char delimiter,
                                              TranslocationParameters& params, TransectData& data,
                                              ComparisonResults& results);

// Both steps over text already split into lines; replaces the state's
// parameters, data and results only on success.
ImportResult importTransectLines(KolvState& state, const std::vector<std::string>& lines, char delimiter);

// The import command's reading of a text file (CR LF, CR or LF line ends).
ImportResult importTransectText(KolvState& state, const std::string& path, char delimiter);

}  // namespace sodwright::kolv
