#pragma once
// One tillage pass over the transect: slope gradient and curvature at every
// node of column s, the distribution of each node's tilled layer, the new
// elevation of column s + 1, and the layers and substance amounts of
// column s + 1 for the measured nodes.

#include <vector>

#include "platform/message_service.h"
#include "transect/kolv_state.h"
#include "transect/slope_distribution.h"
#include "transect/substance_balance.h"

namespace sodwright::kolv {

struct PassSettings {
  int nodeCount = 0;       // N
  int distrNodes = 0;      // D
  double dx = 0.0;         // m
  float weightFront = 0;   // wF, weight of the slope behind the node
  float weightBack = 0;    // wB, weight of the slope ahead of it
  int curvatureSpan = 0;   // k nodes each side; 0 when curvature is not taken
  DistanceModel distance;
  TillageLayers layers;
};

// Settings of a run from the parameter set (weights, curvature span).
PassSettings MakePassSettings(const TranslocationParameters& p);

// Buffers of a run. The tilled amount of a node keeps its value from one pass
// to the next (a node with negative layer 2 reuses it).
class PassWorkspace {
 public:
  PassWorkspace(int nodeCount, int distrNodes);
  ShareWindow shares;
  std::vector<double> distance;   // per node of a block
  std::vector<double> sum;        // per node of a block
  std::vector<double> tilled;     // node i at D + i; nodes below 0 stay 0
};

// Nodes per block: the shares of a block and the D nodes before it stay in cache.
inline constexpr int kPassBlockNodes = 128;

// Runs steps from slopes to amounts of one pass reading column s. In a
// mirrored (backward) pass node i stands for the physical node N-1-i, and
// layer 3 is read there. The layer note goes through `messages`.
void MoveSoilAndSubstance(TransectData& data, int s, bool mirrored, const PassSettings& settings,
                          PassWorkspace& work, platform::MessageService& messages);

// PL1 and PL2 of column c for nodes 0..N-1 from the amounts and thicknesses.
void UpdateConcentrations(TransectData& data, int c, int nodeCount, double dx, double bulkDensity1,
                          double bulkDensity2);

}  // namespace sodwright::kolv
