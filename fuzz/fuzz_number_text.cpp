// SPDX-License-Identifier: GPL-3.0-or-later
// The leading-number and strict parses against the C library's reading of
// the same text, and the number texts (format masks, general and bare forms,
// 16-bit rounding) read back to the value they were made from.

#include <cfloat>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>

#include "base/number_text.h"
#include "fuzz_support.h"

using namespace sodwright;

namespace {

std::string show(double v) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.17g", v);
  return buffer;
}

// The C library's value of a text made only of a number, with the blanks
// the leading-number parse skips cut out and "D" exponents as "E"; empty
// when the text is anything else.
std::optional<double> libraryValue(std::string_view text) {
  std::string plain;
  for (char c : text) {
    if (c == ' ' || c == '\t') continue;
    if (!std::strchr("0123456789.eEdD+-", c) || c == '\0') return std::nullopt;
    plain.push_back(c == 'd' || c == 'D' ? 'e' : c);
  }
  if (plain.empty()) return std::nullopt;
  char* end = nullptr;
  const double value = std::strtod(plain.c_str(), &end);
  if (end != plain.c_str() + plain.size()) return std::nullopt;
  return value;
}

// Equal, or both in the range where one reader may flush to zero what the
// other keeps as a subnormal.
bool sameReading(double a, double b) {
  if (a == b) return true;
  return std::fabs(a) <= DBL_MIN && std::fabs(b) <= DBL_MIN;
}

void checkMask(double value, int hashes, int zeros, int decimals) {
  std::string mask(static_cast<std::size_t>(hashes), '#');
  mask.append(static_cast<std::size_t>(zeros), '0');
  if (decimals > 0) {
    mask.push_back('.');
    mask.append(static_cast<std::size_t>(decimals), '0');
  }
  const std::string text = base::formatMask(value, mask);
  const auto back = base::parseStrictNumber(text);
  FUZZ_CHECK(back.has_value(),
             "formatMask(" + show(value) + ", " + mask + ") gave \"" + text + "\"");
  const double halfUnit = 0.5 * std::pow(10.0, -decimals);
  const double slack = std::nextafter(std::fabs(value), INFINITY) - std::fabs(value);
  FUZZ_CHECK(std::fabs(*back - value) <= halfUnit * (1 + 1e-12) + slack,
             "formatMask(" + show(value) + ", " + mask + ") gave \"" + text +
                 "\", more than half a unit away");
  const std::size_t point = text.find('.');
  FUZZ_CHECK((decimals == 0) == (point == std::string::npos), "decimal point of \"" + text + "\"");
  if (decimals > 0)
    FUZZ_CHECK(text.size() - point - 1 == static_cast<std::size_t>(decimals),
               "decimals of \"" + text + "\"");
  const std::size_t integerDigits =
      (point == std::string::npos ? text.size() : point) - (text[0] == '-' ? 1 : 0);
  FUZZ_CHECK(integerDigits >= static_cast<std::size_t>(zeros),
             "integer digits of \"" + text + "\"");
  if (text[0] == '-') FUZZ_CHECK(*back != 0.0, "a zero shown with a minus sign: \"" + text + "\"");
}

void checkGeneralForms(double value) {
  const std::string general = base::generalText(value);
  const auto back = base::parseStrictNumber(general);
  // Fifteen digits of the very largest values round past the largest double.
  if (!back && std::fabs(value) > 1.797693134862315e308) return;
  FUZZ_CHECK(back.has_value(), "generalText(" + show(value) + ") gave \"" + general + "\"");
  FUZZ_CHECK(std::fabs(*back - value) <= 5.1e-15 * std::fabs(value),
             "generalText(" + show(value) + ") gave \"" + general + "\"");
  const std::string bare = base::bareText(value);
  FUZZ_CHECK(bare.size() >= 3 && bare.back() == ' ' && (bare[0] == ' ' || bare[0] == '-'),
             "bareText(" + show(value) + ") gave \"" + bare + "\"");
  FUZZ_CHECK(base::parseStrictNumber(bare) == back,
             "bareText(" + show(value) + ") gave \"" + bare + "\"");

  const float single = static_cast<float>(value);
  if (std::isfinite(single)) {
    const std::string text = base::generalTextSingle(single);
    const auto singleBack = base::parseStrictNumber(text);
    if (!singleBack && std::fabs(single) > 3.402823e38f) return;
    FUZZ_CHECK(singleBack.has_value(), "generalTextSingle gave \"" + text + "\"");
    FUZZ_CHECK(std::fabs(*singleBack - single) <= 5.1e-7 * std::fabs(single),
               "generalTextSingle(" + show(single) + ") gave \"" + text + "\"");
  }
}

void checkInt16(double value) {
  const auto rounded = base::roundToInt16(value);
  const double nearest = std::nearbyint(value);
  if (!std::isfinite(value) || nearest < -32768.0 || nearest > 32767.0) {
    FUZZ_CHECK(!rounded.has_value(), "roundToInt16(" + show(value) + ") gave a value out of range");
    return;
  }
  FUZZ_CHECK(rounded.has_value(), "roundToInt16(" + show(value) + ") refused a value in range");
  FUZZ_CHECK(std::fabs(*rounded - value) <= 0.5,
             "roundToInt16(" + show(value) + ") is more than a half away");
  if (std::fabs(*rounded - value) == 0.5)
    FUZZ_CHECK(*rounded % 2 == 0, "a half not rounded to even");
  const auto floored = base::floorToInt16(value);
  if (floored)
    FUZZ_CHECK(*floored <= value && value < *floored + 1.0, "floorToInt16(" + show(value) + ")");
}

void checkValue(double value, std::uint8_t maskChoice) {
  checkInt16(value);
  if (!std::isfinite(value)) return;
  checkGeneralForms(value);
  checkMask(value, maskChoice % 8, 1 + (maskChoice / 8) % 3, (maskChoice / 24) % 9);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::ByteTaker taker(data, size);
  const std::uint8_t maskChoice = taker.byte();
  const std::string_view text = taker.rest();

  const double lenient = base::parseLeadingNumber(text);
  FUZZ_CHECK(!std::isnan(lenient), "a leading number read as NaN");
  if (const auto strict = base::parseStrictNumber(text)) {
    FUZZ_CHECK(std::isfinite(*strict), "the strict parse accepted a value that is not finite");
    FUZZ_CHECK(sameReading(*strict, lenient),
               "strict " + show(*strict) + " but leading " + show(lenient));
  }
  if (const auto library = libraryValue(text))
    FUZZ_CHECK(sameReading(lenient, *library), "\"" + std::string(text.substr(0, 80)) +
                                                   "\" read as " + show(lenient) +
                                                   ", the C library reads " + show(*library));
  checkValue(lenient, maskChoice);

  // The raw bytes as a value reach the corners a text seldom does.
  if (text.size() >= sizeof(double)) {
    double raw = 0.0;
    std::memcpy(&raw, text.data(), sizeof raw);
    if (!std::isnan(raw)) checkValue(raw, maskChoice);
  }
  return 0;
}
