// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The ensemble's CSV. It sits with the ensemble, not with the comparison's
// writers in kolv/io: those come before the study layer and cannot read its
// result.

#include <string>

#include "kolv/study/ensemble_run.h"

namespace sodwright::kolv {

// The CSV of an ensemble: per node of the last sequence its x, then for each
// quantity the asked percentiles and the study's own run, every digit, and
// last whether the node lies in an end zone of the last sequence (1 or 0).
std::string ensembleCsvText(const EnsembleResult& result);

}  // namespace sodwright::kolv
