// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Comma-separated values as spreadsheets and GIS read them (RFC 4180): a
// field holding a comma, a double quote or a line break is put in double
// quotes with its quotes doubled; records end in CR LF. Numbers are written
// in full, the shortest text that reads back to the same value.
//
// Reading takes such fields back at any delimiter: a field whose first
// character is a double quote runs to its closing quote, a delimiter inside
// belongs to it and "" inside stands for one quote.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace sodwright::base {

// One field, quoted where it must be.
std::string csvField(std::string_view text);

// The shortest decimal text that reads back to exactly this Double ("0.1",
// "1e-05", "-3000"; -0 as "0"); "nan" or "inf" should a value not be finite.
std::string exactNumber(double value);
// The same for a Single, at a Single's precision.
std::string exactNumberSingle(float value);

// Where the line's delimiters lie, leaving out those inside quoted fields.
std::vector<std::size_t> fieldDelimiterPositions(std::string_view line, char delimiter);

// The content of one field cut at those positions: a quoted field without
// its quotes (anything after the closing quote kept behind it, an unclosed
// quote running to the end), any other field as it is.
std::string unquotedField(std::string_view field);

// A line cut at its delimiters outside quotes, every field unquoted.
std::vector<std::string> splitQuotedFields(std::string_view line, char delimiter);

}  // namespace sodwright::base
