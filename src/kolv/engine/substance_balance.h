// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The layer and substance balance of one node in a pass: what the tillage
// takes from layers 1, 2 and 3, the decay and the surface input of a
// column, and the concentrations that follow from the amounts.

#include "kolv/state/column_view.h"

namespace sodwright::kolv {

inline constexpr const char* kLayerNote =
    "Note: Tillage depth exceeding the maximum range, mistakes could be generated!!!";

struct TillageLayers {
  double tillDepth = 0.0;     // TD, m
  double dx = 0.0;            // m
  double bulkDensity3 = 0.0;  // kg/m3
};

// The substance in the top TD of soil at a node and the layer-2 thickness
// left under it. Layer-3 soil joins with concentration c3 when TD reaches
// below layer 2. Returns false for a negative layer 2: then neither output
// is written (the node keeps its previous tilled amount and layer 2).
bool tillNode(const TillageLayers& layers, double d1, double d2, double m1, double m2, double c3,
              double& tilledAmount, double& newDepthL2);

// Amounts of one column after decay (fractions per sequence) over nodes
// first..last, with MassL12 the Single-held total.
void decayColumn(const ColumnView<double>& massL1, const ColumnView<double>& massL2,
                 const ColumnView<float>& massL12, int first, int last, double decayRate1,
                 double decayRate2);

// Spreads dx * amount on layer 1 of nodes first..last.
void addSurfaceInput(const ColumnView<double>& massL1, const ColumnView<double>& massL2,
                     const ColumnView<float>& massL12, int first, int last, double perNode);

// Counts the passes of a run and says when the surface input falls due:
// in pass `frequency` of the run, then every `frequency` passes.
class InputCounter {
 public:
  explicit InputCounter(int frequency) : frequency_(frequency) {}
  bool due() {
    ++count_;
    if (count_ != frequency_) return false;
    count_ = 0;
    return true;
  }

 private:
  int frequency_;
  int count_ = 0;
};

}  // namespace sodwright::kolv
