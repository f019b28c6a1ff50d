// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One tillage pass over the transect: slope gradient and curvature at every
// node of column s, the distribution of each node's tilled layer, the new
// elevation of column s + 1, and the layers and substance amounts of
// column s + 1 for the measured nodes.
//
// The nodes of a pass are split into contiguous chunks that run on their own
// threads. A chunk computes the shares of its nodes and of the D nodes
// before it itself, and every node adds what it receives in the same order
// (share index k = 0, 1, ..., D) whatever the chunk, so each result is the
// same bit for bit for any number of threads.

#include <vector>

#include "kolv/engine/slope_distribution.h"
#include "kolv/engine/substance_balance.h"
#include "kolv/state/kolv_state.h"
#include "platform/message_service.h"

namespace sodwright::kolv {

struct PassSettings {
  int nodeCount = 0;      // N
  int distrNodes = 0;     // D
  double dx = 0.0;        // m
  float weightFront = 0;  // wF, weight of the slope behind the node
  float weightBack = 0;   // wB, weight of the slope ahead of it
  int curvatureSpan = 0;  // k nodes each side; 0 when curvature is not taken
  DistanceModel distance;
  TillageLayers layers;
};

// Settings of a run from the parameter set (weights, curvature span).
PassSettings makePassSettings(const TranslocationParameters& p);

// Nodes per block: a block's shares and the nodes they reach stay in cache.
inline constexpr int kPassBlockNodes = 128;
// The fewest targets a chunk of a pass takes on (and no fewer than D).
inline constexpr int kLeastChunkNodes = 256;

// Buffers of one chunk: the shares and distances of one block.
struct ChunkBuffers {
  explicit ChunkBuffers(int distrNodes);
  ShareBlock shares;
  std::vector<double> distance;  // per node of a block
};

// Buffers of a run. The tilled amount of a node keeps its value from one pass
// to the next (a node with negative layer 2 reuses it).
class PassWorkspace {
 public:
  // One chunk per thread, `threads` at most (0: one per processor core),
  // fewer on a short transect or a long distribution.
  PassWorkspace(int nodeCount, int distrNodes, int threads = 0);
  std::vector<double> tilled;    // node i at D + i; nodes below 0 stay 0
  std::vector<double> received;  // node i at i, nodes 0 .. N - 1
  std::vector<ChunkBuffers> chunks;
  std::size_t byteSize() const;
};

// Runs steps from slopes to amounts of one pass reading column s. In a
// mirrored (backward) pass node i stands for the physical node N-1-i, and
// layer 3 is read there. The layer note goes through `messages`.
void moveSoilAndSubstance(TransectData& data, int s, bool mirrored, const PassSettings& settings,
                          PassWorkspace& work, platform::MessageService& messages);

// Adds the deliveries of the source nodes first .. first + count - 1, whose
// shares `shares` holds (position j for node first + j), to the targets
// low .. high, by share index k = 1..D: to[i + k] += F(i, k) x from(i),
// where from(i) is `factor` when `from` is null and from[i] otherwise (both
// arrays indexed by node through their pointer, like `to`). The share-0
// term starts a target and is not added here. Called for the source blocks
// from the highest down, every target gathers its terms by rising k.
void deliverBlock(const ShareBlock& shares, int first, int count, double* to, const double* from,
                  double factor, int low, int high);

// PL1 and PL2 of column c for nodes 0..N-1 from the amounts and thicknesses,
// in vector lanes.
void updateConcentrations(TransectData& data, int c, int nodeCount, double dx, double bulkDensity1,
                          double bulkDensity2);
// The same node by node as written: the reference the lanes must equal.
void updateConcentrationsPlain(TransectData& data, int c, int nodeCount, double dx,
                               double bulkDensity1, double bulkDensity2);

}  // namespace sodwright::kolv
