// SPDX-License-Identifier: GPL-3.0-or-later
#include "kolv/study/ensemble_draws.h"

#include <charconv>
#include <cmath>

#include "base/number_fit.h"
#include "base/number_text.h"

namespace sodwright::kolv {

namespace {

// The whole text as one finite number, or nothing.
std::optional<double> strictNumber(std::string_view text) {
  double value = 0;
  const char* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, value);
  if (text.empty() || error != std::errc() || stop != end || !std::isfinite(value))
    return std::nullopt;
  return value;
}

std::vector<std::string_view> fieldsOf(std::string_view text, char separator) {
  std::vector<std::string_view> fields;
  for (;;) {
    const auto at = text.find(separator);
    fields.push_back(text.substr(0, at));
    if (at == std::string_view::npos) return fields;
    text.remove_prefix(at + 1);
  }
}

constexpr double kTwoPi = 6.283185307179586;

}  // namespace

const std::vector<EnsembleParameterInfo>& ensembleParameters() {
  static const std::vector<EnsembleParameterInfo> parameters = [] {
    std::vector<EnsembleParameterInfo> list;
    for (EnsembleParameter id : ensembleParameterOrder()) {
      const KolvParameterInfo& info = kolvParameter(id);
      list.push_back({id, info.name, info.ensembleMeaning});
    }
    return list;
  }();
  return parameters;
}

std::optional<EnsembleParameter> ensembleParameterNamed(std::string_view name) {
  for (const auto& info : ensembleParameters())
    if (name == info.name) return info.id;
  return std::nullopt;
}

const char* ensembleParameterName(EnsembleParameter parameter) {
  return kolvParameter(parameter).name;
}

bool inEnsembleRange(EnsembleParameter parameter, double value) {
  switch (kolvParameter(parameter).drawRange) {
    case DrawRange::AnySingle:
      return base::fitsSingle(value);
    case DrawRange::AboveZero:
      return value > 0 && std::isfinite(value);
    case DrawRange::SingleAtLeastZero:
      return value >= 0 && base::fitsSingle(value);
    case DrawRange::Percent:
      return value >= 0 && value <= 100;
    case DrawRange::None:
      break;
  }
  return false;
}

void applyEnsembleValue(EnsembleParameter parameter, double value, TranslocationParameters& p) {
  storeParameterValue(p, parameter, value);
}

base::Result<VariedParameter> parseVariedParameter(std::string_view text) {
  const std::string given(text);
  const auto equals = text.find('=');
  if (equals == std::string_view::npos)
    return base::fail("--vary " + given +
                      ": expected NAME=DIST, for example alpha=normal:0.3:0.05");
  VariedParameter varied;
  const std::string_view name = text.substr(0, equals);
  if (const auto parameter = ensembleParameterNamed(name)) {
    varied.parameter = *parameter;
  } else {
    std::string names;
    for (const auto& info : ensembleParameters())
      names += std::string(names.empty() ? "" : ", ") + info.name;
    return base::fail("--vary " + given + ": unknown parameter \"" + std::string(name) +
                      "\"; the parameters are " + names);
  }
  const auto fields = fieldsOf(text.substr(equals + 1), ':');
  struct Kind {
    const char* word;
    DistributionKind kind;
    std::size_t numbers;
    const char* form;
  };
  static constexpr Kind kKinds[] = {
      {"normal", DistributionKind::Normal, 2, "normal:MEAN:SD"},
      {"lognormal", DistributionKind::Lognormal, 2, "lognormal:MEDIAN:GSD"},
      {"uniform", DistributionKind::Uniform, 2, "uniform:LO:HI"},
      {"triangular", DistributionKind::Triangular, 3, "triangular:LO:MODE:HI"}};
  const Kind* kind = nullptr;
  for (const Kind& k : kKinds)
    if (fields[0] == k.word) kind = &k;
  if (kind == nullptr)
    return base::fail("--vary " + given + ": unknown distribution \"" + std::string(fields[0]) +
                      "\"; use normal:MEAN:SD, lognormal:MEDIAN:GSD, uniform:LO:HI or "
                      "triangular:LO:MODE:HI");
  if (fields.size() != kind->numbers + 1)
    return base::fail("--vary " + given + ": expected " + kind->form);
  double numbers[3] = {0, 0, 0};
  for (std::size_t i = 0; i < kind->numbers; ++i) {
    const auto number = strictNumber(fields[i + 1]);
    if (!number)
      return base::fail("--vary " + given + ": \"" + std::string(fields[i + 1]) +
                        "\" is not a finite number (" + kind->form + ")");
    numbers[i] = *number;
  }
  varied.distribution = {kind->kind, numbers[0], numbers[1], numbers[2]};
  const auto refuse = [&](const char* why) {
    return base::fail("--vary " + given + ": " + why + " (" + kind->form + ")");
  };
  switch (kind->kind) {
    case DistributionKind::Normal:
      if (numbers[1] < 0) return refuse("SD must be >= 0; 0 gives the mean every time");
      break;
    case DistributionKind::Lognormal:
      if (numbers[0] <= 0) return refuse("MEDIAN must be > 0");
      if (numbers[1] < 1) return refuse("GSD must be >= 1; 1 gives the median every time");
      break;
    case DistributionKind::Uniform:
      if (numbers[0] > numbers[1]) return refuse("LO must not exceed HI; LO = HI gives LO");
      break;
    case DistributionKind::Triangular:
      if (!(numbers[0] <= numbers[1] && numbers[1] <= numbers[2]))
        return refuse("LO <= MODE <= HI is required; LO = HI gives LO");
      break;
  }
  return varied;
}

std::uint64_t splitMix64(std::uint64_t x) {
  x += 0x9E3779B97F4A7C15ULL;
  x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ULL;
  x = (x ^ (x >> 27)) * 0x94D049BB133111EBULL;
  return x ^ (x >> 31);
}

std::uint64_t memberSeed(std::uint64_t seed, std::size_t member) {
  return splitMix64(splitMix64(seed) + static_cast<std::uint64_t>(member));
}

double uniformOpen(std::mt19937_64& generator) {
  return (static_cast<double>(generator() >> 11) + 0.5) * 0x1.0p-53;
}

double drawValue(const Distribution& d, std::mt19937_64& generator) {
  switch (d.kind) {
    case DistributionKind::Normal:
    case DistributionKind::Lognormal: {
      const double u1 = uniformOpen(generator), u2 = uniformOpen(generator);
      const double z = std::sqrt(-2.0 * std::log(u1)) * std::cos(kTwoPi * u2);
      if (d.kind == DistributionKind::Normal) return d.a + d.b * z;
      return d.a * std::exp(std::log(d.b) * z);
    }
    case DistributionKind::Uniform:
      return d.a + (d.b - d.a) * uniformOpen(generator);
    case DistributionKind::Triangular: {
      const double u = uniformOpen(generator);
      const double width = d.c - d.a;
      if (width == 0) return d.a;
      if (u * width < d.b - d.a) return d.a + std::sqrt(u * width * (d.b - d.a));
      return d.c - std::sqrt((1.0 - u) * width * (d.c - d.b));
    }
  }
  return d.a;
}

base::Result<std::vector<double>> drawMember(const std::vector<VariedParameter>& varied,
                                             std::uint64_t seed, std::size_t member) {
  std::mt19937_64 generator(memberSeed(seed, member));
  std::vector<double> values;
  values.reserve(varied.size());
  for (const VariedParameter& v : varied) {
    bool taken = false;
    for (int draw = 0; draw < kMaxDraws && !taken; ++draw) {
      const double value = drawValue(v.distribution, generator);
      if (inEnsembleRange(v.parameter, value)) {
        values.push_back(value);
        taken = true;
      }
    }
    if (!taken)
      return base::fail(std::string("--vary ") + ensembleParameterName(v.parameter) + ": " +
                        std::to_string(kMaxDraws) + " draws in a row for member " +
                        std::to_string(member) +
                        " fell outside the parameter's range; narrow the distribution");
  }
  return values;
}

}  // namespace sodwright::kolv
