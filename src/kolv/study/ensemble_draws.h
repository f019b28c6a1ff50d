// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What an ensemble varies and how its members draw their values.
//
// Reproducibility: member m of an ensemble with seed S draws from its own
// std::mt19937_64 (whose output the language fixes bit for bit), seeded with
// mix(mix(S) + m), mix being the SplitMix64 finaliser. A uniform number is
// (top 53 bits + 0.5) / 2^53, never 0 or 1; the distributions are written
// out from uniform numbers (Box-Muller with the cosine branch, inverse
// distribution functions), not taken from the library's distribution types,
// whose output the language leaves open. So a member's values depend only on
// the seed and its index, never on the order or thread in which it runs. The
// varied parameters draw in the order they were given; a value outside the
// parameter's range is drawn again, at most kMaxDraws times in all.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "base/result.h"
#include "kolv/parameter_table.h"
#include "kolv/state/kolv_state.h"

namespace sodwright::kolv {

// An ensemble varies those parameters of the table that carry a drawn
// range (ensembleParameterOrder).
using EnsembleParameter = KolvParameter;

struct EnsembleParameterInfo {
  EnsembleParameter id;
  const char* name;     // as given to --vary, the kolv option without its dashes
  const char* meaning;  // with unit and the range a draw must fall in
};

// Every parameter that may be varied, in the order --help lists them.
const std::vector<EnsembleParameterInfo>& ensembleParameters();
std::optional<EnsembleParameter> ensembleParameterNamed(std::string_view name);
const char* ensembleParameterName(EnsembleParameter parameter);

// Whether a drawn value is one the parameter may take (in the unit of the
// kolv option: decay rates in %).
bool inEnsembleRange(EnsembleParameter parameter, double value);

// Stores a value as the parameter window stores the same typed number.
void applyEnsembleValue(EnsembleParameter parameter, double value, TranslocationParameters& p);

enum class DistributionKind { Normal, Lognormal, Uniform, Triangular };

// normal:MEAN:SD, lognormal:MEDIAN:GSD, uniform:LO:HI, triangular:LO:MODE:HI.
struct Distribution {
  DistributionKind kind = DistributionKind::Uniform;
  double a = 0, b = 0, c = 0;  // the numbers in the order written
};

struct VariedParameter {
  EnsembleParameter parameter = EnsembleParameter::Alpha;
  Distribution distribution;
};

// Reads "NAME=DIST"; fails with what is wrong with it.
base::Result<VariedParameter> parseVariedParameter(std::string_view text);

inline constexpr int kMaxDraws = 100;

std::uint64_t splitMix64(std::uint64_t x);
std::uint64_t memberSeed(std::uint64_t seed, std::size_t member);
// A uniform number in (0, 1) from the generator's next output.
double uniformOpen(std::mt19937_64& generator);
double drawValue(const Distribution& distribution, std::mt19937_64& generator);

// The values member `member` takes for each of `varied`, in that order.
// Fails, naming the parameter and the member, when kMaxDraws draws in a row
// fall outside a parameter's range.
base::Result<std::vector<double>> drawMember(const std::vector<VariedParameter>& varied,
                                             std::uint64_t seed, std::size_t member);

}  // namespace sodwright::kolv
