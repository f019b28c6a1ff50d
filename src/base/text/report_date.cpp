// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/text/report_date.h"

#include <chrono>
#include <ctime>
#include <iomanip>
#include <locale>
#include <sstream>
#include <stdexcept>

namespace sodwright::base {

std::string todayShortDate() {
  const std::time_t now = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
  std::tm local{};
  localtime_r(&now, &local);
  std::ostringstream text;
  try {
    text.imbue(std::locale(""));
  } catch (const std::runtime_error&) {
    // An unknown locale in the environment: the classic form will do.
  }
  text << std::put_time(&local, "%x");
  return text.str();
}

}  // namespace sodwright::base
