// SPDX-License-Identifier: GPL-3.0-or-later
#include "kolv/fit/fit_report.h"

#include <cmath>

#include "base/number_text.h"
#include "base/text/csv_text.h"

namespace sodwright::kolv {

namespace {

std::string num(double value) { return base::generalText(value, 6); }

std::string padded(std::string text, std::size_t width) {
  if (text.size() < width) text.append(width - text.size(), ' ');
  return text + ' ';
}

std::string nameWithUnit(FitParameter parameter) {
  return std::string(fitParameterLabel(parameter)) + " (" +
         std::string(fitParameterUnit(parameter)) + ")";
}

std::string jsonText(const std::string& text) {
  std::string out = "\"";
  for (char c : text) {
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (static_cast<unsigned char>(c) < 0x20) {
      constexpr char kHex[] = "0123456789abcdef";
      const auto code = static_cast<unsigned char>(c);
      out += "\\u00";
      out += kHex[code >> 4];
      out += kHex[code & 15];
    } else {
      out += c;
    }
  }
  return out + "\"";
}

std::string jsonNumber(double value) {
  return std::isfinite(value) ? base::exactNumber(value) : std::string("null");
}

std::string profileText(const FittedParameter& f) {
  if (!f.profile) return "-";
  return num(f.profile->low) + (f.profileOpenLow ? " (open)" : "") + " to " + num(f.profile->high) +
         (f.profileOpenHigh ? " (open)" : "");
}

std::string valuesText(const FitResult& result, const std::vector<double>& values) {
  std::string out;
  for (std::size_t k = 0; k < values.size() && k < result.parameters.size(); ++k)
    out += (k ? ", " : "") + std::string(fitParameterLabel(result.parameters[k].parameter)) + " " +
           num(values[k]);
  return out;
}

// Every distinct minimum the starts ended in, and whether the data tell it
// from the best.
std::string minimaText(const FitResult& result) {
  std::string out = "\nSearch: " + std::to_string(result.starts) +
                    " starts (INPUT's values, then a Halton design over the bounds), " +
                    std::to_string(result.minima.size()) +
                    (result.minima.size() == 1 ? " minimum" : " distinct minima") + "\n";
  if (result.minima.size() < 2) return out;
  for (std::size_t m = 0; m < result.minima.size(); ++m) {
    const FitMinimum& minimum = result.minima[m];
    out += "  " + std::string(m == 0 ? "best: " : "      ") + valuesText(result, minimum.values) +
           "; SSR " + num(minimum.ssr) + "; " + std::to_string(minimum.starts) +
           (minimum.starts == 1 ? " start" : " starts");
    if (m > 0)
      out += minimum.notWorse ? "; not significantly worse (likelihood ratio " +
                                    base::generalText(minimum.likelihoodRatio, 3) +
                                    "): the data do not tell it from the best"
                              : "; significantly worse (likelihood ratio " +
                                    base::generalText(minimum.likelihoodRatio, 3) + ")";
    out += "\n";
  }
  return out;
}

std::string minimaJson(const FitResult& result) {
  std::string out;
  for (std::size_t m = 0; m < result.minima.size(); ++m) {
    const FitMinimum& minimum = result.minima[m];
    out += std::string(m ? "," : "") + "\n    {\"values\": [";
    for (std::size_t k = 0; k < minimum.values.size(); ++k)
      out += std::string(k ? ", " : "") + jsonNumber(minimum.values[k]);
    out += "], \"ssr\": " + jsonNumber(minimum.ssr) +
           ", \"starts\": " + std::to_string(minimum.starts) +
           ", \"likelihood_ratio\": " + jsonNumber(minimum.likelihoodRatio) +
           ", \"not_worse\": " + (minimum.notWorse ? "true" : "false") + "}";
  }
  return out + (result.minima.empty() ? "" : "\n  ");
}

}  // namespace

std::string fitReportText(const FitResult& result, const FitReportContext& context) {
  std::string out = "KOLV fit to measurements\n";
  const std::string unit(fitColumnUnit(context.column, context.substanceUnit));
  out += "Observed:    " + context.observedName + ", sequence " +
         std::to_string(context.observedSequence) + " (" +
         std::to_string(context.observedSequence - context.startSequence) +
         " sequences simulated from sequence " + std::to_string(context.startSequence) + ")\n";
  out += "Compared:    " + std::string(fitColumnName(context.column)) + " (" + unit + "), " +
         std::to_string(result.nodes) + " of " + std::to_string(context.points) +
         " points (the end zones left out)\n";
  out += "Status:      " + result.stopReason + "\n\n";
  const bool boot = result.bootstrapReplicates > 0;
  out += padded("Parameter", 20) + padded("Value", 13) + padded("Std. error", 13) +
         padded("95 % interval", 27) + padded("Profile interval", 35) +
         (boot ? padded("Bootstrap interval", 27) : std::string()) + padded("Start", 11) +
         "Bounds\n";
  for (const FittedParameter& f : result.parameters) {
    out += padded(nameWithUnit(f.parameter), 20) +
           padded(num(f.value) + (f.ambiguous ? " (?)" : ""), 13);
    if (f.determined || f.stdError > 0.0) {
      out += padded(num(f.stdError), 13) + padded(num(f.low) + " to " + num(f.high), 27);
    } else {
      out += padded("not determined", 13) + padded("", 27);
    }
    out += padded(profileText(f), 35);
    if (boot)
      out +=
          padded(f.bootstrap ? num(f.bootstrap->low) + " to " + num(f.bootstrap->high) : "-", 27);
    out += padded(num(f.start), 11) + num(f.bounds.low) + " to " + num(f.bounds.high) + "\n";
  }
  out +=
      "\nIntervals: value +/- t x standard error, t = " + base::generalText(result.tQuantile, 5) +
      " (Student t, " + std::to_string(result.dof) +
      " degrees of freedom); standard errors from (J'J)^-1 s2, J the finite-difference "
      "Jacobian at the fitted values, s2 = SSR / (n - p).\n"
      "Profile intervals: where SSR, the other parameters fitted again, stays below "
      "SSRmin (1 + t^2 / (n - p)); an end marked (open) is the bound, the profile not reaching "
      "the threshold inside the bounds.\n";
  for (const FittedParameter& f : result.parameters)
    if (f.profile && f.profileDiffers)
      out += "The profile interval of " + std::string(fitParameterLabel(f.parameter)) +
             " differs from its Jacobian interval: the response is nonlinear; prefer the "
             "profile.\n";
  if (boot)
    out += "Bootstrap intervals: 2.5 to 97.5 % percentiles of " +
           std::to_string(result.bootstrapReplicates) +
           " fits to the fitted profile plus residuals drawn again (seed " +
           std::to_string(result.bootstrapSeed) + ").\n";
  out += minimaText(result);
  if (result.parameters.size() > 1 && !result.correlation.empty()) {
    out += "\nCorrelation\n" + padded("", 14);
    for (const FittedParameter& f : result.parameters)
      out += padded(std::string(fitParameterLabel(f.parameter)), 9);
    out += "\n";
    for (std::size_t a = 0; a < result.parameters.size(); ++a) {
      out += padded(std::string(fitParameterLabel(result.parameters[a].parameter)), 14);
      for (std::size_t b = 0; b < result.parameters.size(); ++b) {
        const bool known = result.parameters[a].determined && result.parameters[b].determined;
        out += padded(known ? base::formatFixed(result.correlation[a][b], 3) : "-", 9);
      }
      out += "\n";
    }
  }
  out += "\nRMSE:        " + num(result.rmse) + " " + unit + "\n";
  out += "SSR:         " + num(result.ssr) + "\n";
  out += "Model runs:  " + std::to_string(result.runs) + "\n";
  out += "Time:        " + base::nearestFixedText(result.seconds, 2) + " s\n";
  if (!result.warnings.empty()) {
    out += "\nWarnings:\n";
    for (const std::string& w : result.warnings) out += "  " + w + "\n";
  }
  return out;
}

std::string fitReportJson(const FitResult& result, const FitReportContext& context) {
  std::string out = "{\n  \"observed\": " + jsonText(context.observedName) +
                    ",\n  \"column\": " + jsonText(std::string(fitColumnName(context.column))) +
                    ",\n  \"converged\": " + (result.converged ? "true" : "false") +
                    ",\n  \"status\": " + jsonText(result.stopReason) + ",\n  \"parameters\": [";
  for (std::size_t k = 0; k < result.parameters.size(); ++k) {
    const FittedParameter& f = result.parameters[k];
    const bool known = f.determined || f.stdError > 0.0;
    out += std::string(k ? "," : "") +
           "\n    {\"name\": " + jsonText(std::string(fitParameterName(f.parameter))) +
           ", \"value\": " + jsonNumber(f.value) + ", \"start\": " + jsonNumber(f.start) +
           ", \"determined\": " + (f.determined ? "true" : "false") +
           ", \"std_error\": " + (known ? jsonNumber(f.stdError) : "null") + ", \"interval\": " +
           (known ? "[" + jsonNumber(f.low) + ", " + jsonNumber(f.high) + "]" : "null") +
           ", \"profile_interval\": " +
           (f.profile ? "[" + jsonNumber(f.profile->low) + ", " + jsonNumber(f.profile->high) + "]"
                      : "null") +
           ", \"profile_open\": [" + (f.profileOpenLow ? "true" : "false") + ", " +
           (f.profileOpenHigh ? "true" : "false") + "], \"bootstrap_interval\": " +
           (f.bootstrap
                ? "[" + jsonNumber(f.bootstrap->low) + ", " + jsonNumber(f.bootstrap->high) + "]"
                : "null") +
           ", \"ambiguous\": " + (f.ambiguous ? "true" : "false") + ", \"bounds\": [" +
           jsonNumber(f.bounds.low) + ", " + jsonNumber(f.bounds.high) +
           "], \"on_bound\": " + (f.onBound ? "true" : "false") + "}";
  }
  out += "\n  ],\n  \"correlation\": [";
  for (std::size_t a = 0; a < result.correlation.size(); ++a) {
    out += std::string(a ? ", " : "") + "[";
    for (std::size_t b = 0; b < result.correlation[a].size(); ++b) {
      const bool known = result.parameters[a].determined && result.parameters[b].determined;
      out += std::string(b ? ", " : "") + (known ? jsonNumber(result.correlation[a][b]) : "null");
    }
    out += "]";
  }
  out += "],\n  \"t_quantile\": " + jsonNumber(result.tQuantile) +
         ",\n  \"rmse\": " + jsonNumber(result.rmse) + ",\n  \"ssr\": " + jsonNumber(result.ssr) +
         ",\n  \"nodes\": " + std::to_string(result.nodes) +
         ",\n  \"degrees_of_freedom\": " + std::to_string(result.dof) +
         ",\n  \"runs\": " + std::to_string(result.runs) +
         ",\n  \"starts\": " + std::to_string(result.starts) + ",\n  \"minima\": [" +
         minimaJson(result) + "]" +
         ",\n  \"bootstrap_replicates\": " + std::to_string(result.bootstrapReplicates) +
         ",\n  \"bootstrap_seed\": " + std::to_string(result.bootstrapSeed) +
         ",\n  \"seconds\": " + jsonNumber(result.seconds) + ",\n  \"warnings\": [";
  for (std::size_t k = 0; k < result.warnings.size(); ++k)
    out += std::string(k ? ", " : "") + jsonText(result.warnings[k]);
  return out + "]\n}\n";
}

std::string fitResidualsCsv(const FitResult& result, const FitReportContext& context) {
  const std::string unit(fitColumnUnit(context.column, context.substanceUnit));
  const std::string column(fitColumnName(context.column));
  std::string out = base::csvField("distance (m)") + "," +
                    base::csvField("observed " + column + " (" + unit + ")") + "," +
                    base::csvField("simulated " + column + " (" + unit + ")") + "," +
                    base::csvField("residual (" + unit + ")") + ",end_zone\r\n";
  for (const FitResidual& r : result.residuals)
    out += base::exactNumber(r.distance) + "," + base::exactNumber(r.observed) + "," +
           base::exactNumber(r.simulated) + "," + base::exactNumber(r.observed - r.simulated) +
           "," + (r.endZone ? "1" : "0") + "\r\n";
  return out;
}

}  // namespace sodwright::kolv
