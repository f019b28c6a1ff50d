#include "grid/report_number.h"

#include <array>
#include <charconv>
#include <cmath>
#include <string>

#include "shell/number_text.h"

namespace sodwright::nibal {

namespace {

constexpr std::array<double, 7> kPowersOfTen = {1, 10, 100, 1e3, 1e4, 1e5, 1e6};
constexpr double kTwoTo53 = 9007199254740992.0;

enum class Rounding { Nearest, TieAwayFromZero, Undecided };

// Whether value x 10^decimals lies exactly halfway between two integers, the
// one case where std::to_chars (ties to even) and the masks (ties away from
// zero) part. value x 2 x 10^decimals is then an odd integer, which is exact
// in a double below 2^53; the fma residual shows whether the product is exact.
Rounding roundingOf(double value, int decimals, double& twiceScaled) {
  const double scale = 2.0 * kPowersOfTen[static_cast<std::size_t>(decimals)];
  twiceScaled = value * scale;
  if (!(std::fabs(twiceScaled) < kTwoTo53)) return Rounding::Undecided;
  if (std::fma(value, scale, -twiceScaled) != 0.0) return Rounding::Nearest;
  const bool oddInteger = std::floor(twiceScaled) == twiceScaled && std::fmod(std::fabs(twiceScaled), 2.0) == 1.0;
  return oddInteger ? Rounding::TieAwayFromZero : Rounding::Nearest;
}

// The tie k + 1/2 (in units of 10^-decimals) rounded to k + 1, away from zero.
std::string tieText(double twiceScaled, int decimals) {
  const auto units = static_cast<unsigned long long>((std::fabs(twiceScaled) + 1.0) / 2.0);
  std::string digits = std::to_string(units);
  const auto width = static_cast<std::size_t>(decimals) + 1;
  if (digits.size() < width) digits.insert(0, width - digits.size(), '0');
  if (decimals > 0) digits.insert(digits.size() - static_cast<std::size_t>(decimals), 1, '.');
  return twiceScaled < 0 ? "-" + digits : digits;
}

}  // namespace

std::string fixedDecimals(double value, int decimals) {
  if (!std::isfinite(value) || decimals < 0 || decimals >= static_cast<int>(kPowersOfTen.size()))
    return shell::formatFixed(value, decimals, 1);
  double twiceScaled = 0.0;
  switch (roundingOf(value, decimals, twiceScaled)) {
    case Rounding::Undecided: return shell::formatFixed(value, decimals, 1);
    case Rounding::TieAwayFromZero: return tieText(twiceScaled, decimals);
    case Rounding::Nearest: break;
  }
  std::array<char, 64> buffer{};
  const auto [end, error] =
      std::to_chars(buffer.data(), buffer.data() + buffer.size(), value, std::chars_format::fixed, decimals);
  if (error != std::errc()) return shell::formatFixed(value, decimals, 1);
  std::string text(buffer.data(), end);
  if (text.front() == '-' && text.find_first_not_of("-0.") == std::string::npos) text.erase(0, 1);
  return text;
}

}  // namespace sodwright::nibal
