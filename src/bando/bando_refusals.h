// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the indicator's inputs accept, said where its messages give no
// reason ("Data input wrong") or where the window has no check at all (the
// convex area, which it only shows), and the items a list offers.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

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

// A typed convex area: a share of the field, 0 to 100 %. Empty when taken
// (an empty text is taken too: it gives the window's note).
std::optional<base::Refusal> convexAreaRefusal(std::string_view text);

}  // namespace sodwright::bando
