// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The date line of the reports: today's date in the short form of the
// user's locale. Every report takes its date from here, so that the KOLV
// and NIBAL reports of one day, from the windows or the batch runner, agree.

#include <string>

namespace sodwright::base {

std::string todayShortDate();

}  // namespace sodwright::base
