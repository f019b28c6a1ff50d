// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Builds KOLV states for the engine and comparison tests the way a text
// import leaves them: arrays over nodes -3D-10 .. 3D+N+10 and sequences
// 0 .. FileSeqNo+51, the point values at FileSeqNo, the import defaults.

#include <functional>
#include <string>

#include "kolv/state/kolv_state.h"

namespace sodwright::kolv::testing {

struct PointValues {
  double pl1 = 0.0, pl2 = 0.0, pl3 = 0.0;
  double depthL1 = 0.2, depthL2 = 0.1;
  double elev = 100.0;
};

struct EngineTransect {
  int nodes = 40;
  float interval = 1.0f;
  float distrDistance = 4.0f;
  int fileSeq = 0;
  double tillDepth = 0.2;
  double bd1 = 1300, bd2 = 1350, bd3 = 1450;
  float alpha = 0.3f, beta = 0.003f, gamma = 0.02f;
};

KolvState MakeEngineState(const EngineTransect& shape,
                          const std::function<PointValues(int)>& point);

// What the parameter window's "Simulating Sequences" does: SeqCount, LastSeq, LastSeqShown.
void SetSequenceCount(KolvState& state, int seqCount);

// Every array element of nodes lower..upper at sequences 0..last as text, to
// see that a refused run changed nothing and to compare runs exactly.
std::string DescribeArrays(const KolvState& state, int lower, int upper, int lastSeq);

}  // namespace sodwright::kolv::testing
