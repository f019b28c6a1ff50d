// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Comma-separated values as spreadsheets and GIS read them (RFC 4180): a
// field holding a comma, a double quote or a line break is put in double
// quotes with its quotes doubled; records end in CR LF. Numbers are written
// in full, the shortest text that reads back to the same value.

#include <string>
#include <string_view>

namespace sodwright::base {

// One field, quoted where it must be.
std::string csvField(std::string_view text);

// The shortest decimal text that reads back to exactly this Double ("0.1",
// "1e-05", "-3000"; -0 as "0"); "nan" or "inf" should a value not be finite.
std::string exactNumber(double value);
// The same for a Single, at a Single's precision.
std::string exactNumberSingle(float value);

}  // namespace sodwright::base
