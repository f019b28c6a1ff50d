// SPDX-License-Identifier: GPL-3.0-or-later
#include "kolv/fit/fit_test_study.h"

#include <cmath>
#include <string>

#include <gtest/gtest.h>

#include "kolv/fit/fit_solver.h"
#include "kolv/io/transect_import.h"
#include "kolv/study/study_runs.h"

namespace sodwright::kolv::testing {

KolvState exampleStudy(int points, int sequences, float scScale) {
  KolvState study;
  const auto imported = importTransectText(
      study, std::string(SODWRIGHT_EXAMPLES_DIR) + "/hillslope-transect.txt", '\t');
  EXPECT_TRUE(imported.ok()) << imported.message();
  study.params.NodeCount = static_cast<Int16>(points);
  study.params.ScScale = scScale;
  EXPECT_TRUE(reachObservedSequence(study, static_cast<Int16>(sequences)).ok());
  return study;
}

ObservedProfile exactProfile(const KolvState& study, const Truth& truth, FitColumn column) {
  KolvState workspace;
  const auto stop = runStudyMember(
      study, workspace,
      [&](std::size_t, TranslocationParameters& p) {
        setParameterValue(p, FitParameter::Alpha, truth.alpha);
        setParameterValue(p, FitParameter::Beta, truth.beta);
        setParameterValue(p, FitParameter::Gamma, truth.gamma);
      },
      0, false);
  EXPECT_FALSE(stop.has_value());
  ObservedProfile profile;
  profile.sequence = study.params.LastSeq;
  profile.values = simulatedColumn(workspace, column);
  return profile;
}

double Noise::next(double sigma) {
  const double u1 = (static_cast<double>(engine_()) + 0.5) / 4294967296.0;
  const double u2 = (static_cast<double>(engine_()) + 0.5) / 4294967296.0;
  return sigma * std::sqrt(-2.0 * std::log(u1)) * std::cos(2.0 * 3.141592653589793 * u2);
}

ObservedProfile withNoise(ObservedProfile profile, Noise& noise, double sigma) {
  for (double& v : profile.values) v += noise.next(sigma);
  return profile;
}

}  // namespace sodwright::kolv::testing
