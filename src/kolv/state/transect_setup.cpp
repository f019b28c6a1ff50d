// SPDX-License-Identifier: GPL-3.0-or-later
#include "kolv/state/transect_setup.h"

#include <utility>

namespace sodwright::kolv {

void setImportDefaults(TranslocationParameters& p) {
  p.StartSeq = p.FileSeqNo;
  p.FirstSeqShown = p.FileSeqNo;
  p.LastSeqShown = p.FileSeqNo;
  p.LastSeq = static_cast<Int16>(p.FileSeqNo + 1);
  p.SeqCount = static_cast<Int16>(p.LastSeq - p.StartSeq);
  p.DataPointCount = p.NodeCount;
  p.UpLayerDepth = p.TillDepth;
  p.SubLayerDepth = p.TillDepth;
  p.ScScale = 0.0f;
  p.TillDirection = kForward;
  p.DirectionSign = 1;
  p.SgWeightFront = 0.5f;
  p.SgWeightBack = 0.5f;
  p.LateralColumns = 0;
  p.DecayRate1 = 0.0;
  p.DecayRate2 = 0.0;
  p.InputFrequency = 1;
  p.InputAmount = 0.0;
}

void allocateTransect(const TranslocationParameters& p, TransectData& data,
                      ComparisonResults& results) {
  const int d = p.DistrNodes;
  const int lower = -3 * d - 10;
  const int upperData = 3 * d + p.DataPointCount + 10;
  const int upperResults = 3 * d + p.NodeCount + 10;
  const int lastColumn = p.FileSeqNo + 51;
  for (auto* a :
       {&data.Elev, &data.PL1, &data.PL2, &data.DepthL1, &data.DepthL2, &data.MassL1, &data.MassL2})
    a->allocate(lower, upperData, 0, lastColumn);
  data.MassL12.allocate(lower, upperData, 0, lastColumn);
  data.columns = TransectData::Columns::Every;
  data.PL3.allocate(lower, upperData);
  for (auto* a :
       {&results.DeltaElev, &results.SoilLoss, &results.SubConcFirst, &results.SubConcLast})
    a->allocate(lower, upperResults);
  for (auto* a : {&results.UpMassFirst, &results.SubMassFirst, &results.UpConcFirst,
                  &results.UpMassLast, &results.SubMassLast, &results.UpConcLast})
    a->allocate(lower, upperResults);
}

void keepRunColumnsOnly(TransectData& data, const std::vector<int>& kept) {
  for (auto* a : {&data.PL1, &data.PL2, &data.DepthL1, &data.DepthL2, &data.MassL1, &data.MassL2})
    a->keepColumnsOnly(kept);
  data.MassL12.keepColumnsOnly(kept);
  data.columns = TransectData::Columns::RunOnly;
}

std::vector<int> reportedColumns(const TranslocationParameters& p) {
  return {p.FileSeqNo, p.StartSeq, p.FirstSeqShown, p.LastSeqShown, p.LastSeq, p.LastSeq + 1};
}

void keepReportedColumnsOnly(KolvState& state) {
  keepRunColumnsOnly(state.data, reportedColumns(state.params));
}

void adoptImport(KolvState& state, const TranslocationParameters& params, TransectData&& data,
                 ComparisonResults&& results) {
  state.params = params;
  state.data = std::move(data);
  state.results = std::move(results);
  state.imported = true;
  state.simulated = false;
}

}  // namespace sodwright::kolv
