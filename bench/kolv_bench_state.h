// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A long transect as the text import leaves it, for the KOLV benchmarks: a
// hillslope of gentle waves with layers and substance, the parameter set of
// a study with substance input and decay.

#include <cmath>
#include <string>

#include "kolv/state/kolv_state.h"
#include "kolv/state/transect_setup.h"
#include "platform/message_service.h"

namespace sodwright::kolv::bench {

class SilentMessages : public platform::MessageService {
 public:
  platform::MessageAnswer show(const std::string&, const std::string&, platform::MessageButtons,
                               platform::MessageIcon, const std::string&) override {
    ++count;
    return platform::MessageAnswer::Ok;
  }
  int count = 0;
};

struct StudyShape {
  int points = 32000;
  float interval = 0.5f;        // m
  float distrDistance = 25.0f;  // m: D = 50
  int sequences = 50;
  Int16 direction = kAlternative;
};

inline KolvState studyState(const StudyShape& shape) {
  KolvState state;
  TranslocationParameters& p = state.params;
  p.NodeCount = p.DataPointCount = static_cast<Int16>(shape.points);
  p.Interval = shape.interval;
  p.DistrDistance = shape.distrDistance;
  p.DistrNodes =
      static_cast<Int16>(std::floor(static_cast<double>(shape.distrDistance) / shape.interval));
  p.FileSeqNo = 0;
  p.TillDepth = 0.2;
  p.BulkDensity1 = 1300;
  p.BulkDensity2 = 1350;
  p.BulkDensity3 = 1450;
  p.Alpha = 0.3f;
  p.Beta = 0.003f;
  p.Gamma = 0.02f;
  setImportDefaults(p);
  p.SeqCount = static_cast<Int16>(shape.sequences);
  p.LastSeq = p.LastSeqShown = static_cast<Int16>(shape.sequences);
  p.ScScale = 4 * shape.interval;
  p.TillDirection = shape.direction;
  p.DirectionSign = shape.direction == kBackward ? -1 : 1;
  p.InputFrequency = 5;
  p.InputAmount = 0.1;
  p.DecayRate1 = 0.01;
  allocateTransect(p, state.data, state.results);
  TransectData& t = state.data;
  t.SubstanceUnit = "mg";
  for (int i = 0; i < shape.points; ++i) {
    const double x = i * static_cast<double>(shape.interval);
    t.Elev(i, 0) = 150 - 0.02 * x + 3 * std::sin(x / 90) + 0.4 * std::sin(x / 6.5);
    t.DepthL1(i, 0) = 0.2 + 0.03 * std::sin(x / 11);
    t.DepthL2(i, 0) = 0.06 + 0.04 * std::cos(x / 17);
    t.PL1(i, 0) = 20 + 4 * std::sin(x / 23);
    t.PL2(i, 0) = 12;
    t.PL3(i) = 2;
  }
  state.imported = true;
  return state;
}

}  // namespace sodwright::kolv::bench
