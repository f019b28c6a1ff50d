// SPDX-License-Identifier: GPL-3.0-or-later
#include "kolv/io/kolv_table.h"

#include "base/number_text.h"

namespace sodwright::kolv {

namespace {
constexpr int kTrailingEmptyRows = 4;
}  // namespace

Int16 kolvViewerSequence(const KolvState& state) {
  return state.simulated ? state.params.LastSeqShown : state.params.StartSeq;
}

KolvTable::KolvTable(const KolvState& state, Int16 shownSequence) {
  if (!state.imported) return;
  empty_ = false;
  firstSeq_ = state.params.FirstSeqShown;
  lastSeq_ = shownSequence;
  const auto& data = state.data;
  const auto& results = state.results;
  const int nodeCount = state.params.NodeCount > 0 ? state.params.NodeCount : 0;
  nodes_.resize(static_cast<std::size_t>(nodeCount));
  for (int i = 0; i < nodeCount; ++i) {
    NodeRow& node = nodes_[static_cast<std::size_t>(i)];
    // Distance formed in Double from the Single interval, kept as a Single.
    node.x =
        static_cast<float>(static_cast<double>(i) * static_cast<double>(state.params.Interval));
    node.hasSequence = data.Elev.contains(i, shownSequence) &&
                       data.PL1.contains(i, shownSequence) && data.PL2.contains(i, shownSequence) &&
                       data.DepthL1.contains(i, shownSequence) &&
                       data.DepthL2.contains(i, shownSequence);
    if (node.hasSequence) {
      node.pl1 = data.PL1(i, shownSequence);
      node.pl2 = data.PL2(i, shownSequence);
      node.depthL1 = data.DepthL1(i, shownSequence);
      node.depthL2 = data.DepthL2(i, shownSequence);
      node.elev = data.Elev(i, shownSequence);
    }
    node.hasResults = results.DeltaElev.contains(i) && results.SoilLoss.contains(i) &&
                      results.UpConcLast.contains(i) && results.SubConcLast.contains(i);
    if (node.hasResults) {
      node.deltaElev = results.DeltaElev(i);
      node.soilLoss = results.SoilLoss(i);
      node.upConcLast = valueOrZero(results.UpConcLast(i));
      node.subConcLast = results.SubConcLast(i);
    }
  }
}

int KolvTable::rowCount() const {
  return empty_ ? 0 : static_cast<int>(nodes_.size()) + kHeadingRows + kTrailingEmptyRows;
}

int KolvTable::columnCount() const { return empty_ ? 0 : ColumnCount; }

void KolvTable::clear() {
  nodes_.clear();
  empty_ = true;
}

std::string KolvTable::cell(int row, int column) const {
  if (empty_ || column < 0 || column >= ColumnCount) return {};
  if (row == 0) {
    switch (column) {
      case 0:
        return "SeqNo:";
      case 1:
        return base::generalText(static_cast<long long>(firstSeq_));
      case 2:
        return "To";
      case 3:
        return base::generalText(static_cast<long long>(lastSeq_));
      default:
        return {};
    }
  }
  if (row == 1) {
    static const char* const kHeadings[ColumnCount] = {
        "x",         "P-L1",      "P-L2",     "Depth-L1", "Depth-L2",
        "Elevation", "DeltaElev", "SoilLoss", "C-UpL",    "C-SubL"};
    return kHeadings[column];
  }
  const int node = row - kHeadingRows;
  if (node < 0 || node >= static_cast<int>(nodes_.size())) return {};
  return nodeText(nodes_[static_cast<std::size_t>(node)], column);
}

std::string KolvTable::nodeText(const NodeRow& node, int column) const {
  using base::t4Text;
  using base::t4TextSingle;
  switch (column) {
    case X:
      return base::generalTextSingle(node.x);
    case PL1:
      return node.hasSequence ? t4Text(node.pl1) : std::string();
    case PL2:
      return node.hasSequence ? t4Text(node.pl2) : std::string();
    case DepthL1:
      return node.hasSequence ? t4Text(node.depthL1) : std::string();
    case DepthL2:
      return node.hasSequence ? t4Text(node.depthL2) : std::string();
    case Elevation:
      return node.hasSequence ? t4Text(node.elev) : std::string();
    case DeltaElev:
      return node.hasResults ? t4TextSingle(node.deltaElev) : std::string();
    case SoilLoss:
      return node.hasResults ? t4TextSingle(node.soilLoss) : std::string();
    case CUpL:
      return node.hasResults ? t4Text(node.upConcLast) : std::string();
    case CSubL:
      return node.hasResults ? t4TextSingle(node.subConcLast) : std::string();
    default:
      return {};
  }
}

}  // namespace sodwright::kolv
