// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the indicator's inputs accept, said where its messages give no
// reason ("Data input wrong") or where the window has no check at all (the
// convex area, which it only shows), and the items a list offers.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "bando/bando_run.h"
#include "bando/bando_tables.h"
#include "base/text/refusal_text.h"

namespace sodwright::bando {

// The position of the item whose text is `text` regardless of letter case.
std::optional<Int16> findItemIgnoringCase(BandoList list, std::string_view text);

// Every item of a list in order, each in double quotes, separated by ", ".
std::string itemChoicesText(BandoList list);

// Why calculator row `row` (1..10), holding `passesText`, was left out with
// kDataInputWrong.
base::Refusal passesRefusal(std::size_t row, std::string_view passesText);

// The passes of a command-line calculator row, read strictly. The window's
// box reads the leading number and rounds it ("abc" and "" are 0 passes,
// 1.5 is 2); an option is a count typed once, so a text that is no number
// or no whole number is refused rather than read so. Empty when taken
// (passes below 0 or past 32767 are left to kDataInputWrong).
std::optional<base::Refusal> typedPassesRefusal(std::string_view passesText);

// The slope-data box behind kPleaseInputData ("Please input data", which
// says nothing of a gradient or length of 0 or below): the first of the
// two that is not above 0.
struct SlopeDataRefusal {
  std::string box;     // "Maximum Slope Gradient" or "Convex Slope Length"
  std::string option;  // "--slope-gradient" or "--slope-length"
  std::string typed;
  base::Refusal refusal;
};
SlopeDataRefusal slopeDataRefusal(const SlopeDataTexts& typed);

// A typed convex area: a share of the field, 0 to 100 %. Empty when taken
// (an empty text is taken too: it gives the window's note).
std::optional<base::Refusal> convexAreaRefusal(std::string_view text);

}  // namespace sodwright::bando
