// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The erosivity calculator's rules: which picks a row accepts, how passes are
// read, and the sum passes x ImplementErosivity over rows 1..10 that OK hands
// back to the indicator window as ImplEt.

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "bando/bando_state.h"

namespace sodwright::bando {

inline constexpr std::size_t kCalculatorRows = 10;

inline constexpr std::string_view kDataInputWrong = "Data input wrong";
// Shown in a row's list when its pick is refused; deliberately not an item.
inline constexpr std::string_view kRefusedPickText = "Mouldbord Plough";

// One calculator row as OK finds it: the implement position picked (0 when
// never picked, which is "Mouldboard Plough") and the passes box text.
struct ImplementRow {
  Int16 implement = 0;
  std::string passesText;
};

struct ImplementSum {
  float total = 0.0f;                    // kg / m / %, becomes ImplEt
  std::string totalText;                 // erosivity Et: plain decimal text, e.g. "2.3", "4.2"
  std::vector<std::string> messages;     // one kDataInputWrong per row left out, in row order
  std::vector<std::size_t> refusedRows;  // those rows, 1..10, for the message's detail
};

// A pick in row k (2..10) is accepted only when the passes box of row k-1
// holds at least one whole pass (the whole part of its leading number > 0).
// A refused pick resets the row: implement 0, list text kRefusedPickText,
// passes box emptied, focus back to row k-1's passes box.
bool pickAllowed(std::string_view previousRowPassesText);

// Passes as OK reads them: the leading number, to the nearest integer with
// halves to even (2.5 gives 2, 3.5 gives 4). Empty when the value lies
// outside the 16-bit range.
std::optional<Int16> ReadPasses(std::string_view passesText);

// The sum over rows 1..10 (`rows[0]` is row 1; fewer rows count as empty).
// A row whose passes are negative, or beyond the 16-bit range, is reported
// with kDataInputWrong and left out; the others add passes x erosivity in
// single precision, in row order. More than ten rows is an error.
ImplementSum sumImplementErosivity(const BandoTables& tables, std::span<const ImplementRow> rows);

// The calculator's OK: the sum above, stored into state.ImplEt.
ImplementSum applyCalculatorOk(BandoState& state, std::span<const ImplementRow> rows);

}  // namespace sodwright::bando
