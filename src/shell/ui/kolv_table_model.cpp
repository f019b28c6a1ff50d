#include "shell/ui/kolv_table_model.h"

#include "shell/number_text.h"

namespace sodwright::shell {

namespace {
constexpr int kHeadingRows = 2;
constexpr int kTrailingEmptyRows = 4;

QString text(const std::string& value) { return QString::fromStdString(value); }
}  // namespace

std::int16_t kolvViewerSequence(const kolv::KolvState& state) {
  return state.simulated ? state.params.LastSeqShown : state.params.StartSeq;
}

KolvTableModel::KolvTableModel(const kolv::KolvState& state, std::int16_t shownSequence,
                               QObject* parent)
    : ViewerTableModel(parent) {
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
    node.x = static_cast<float>(static_cast<double>(i) * static_cast<double>(state.params.Interval));
    node.hasSequence = data.Elev.contains(i, shownSequence) && data.PL1.contains(i, shownSequence) &&
                       data.PL2.contains(i, shownSequence) && data.DepthL1.contains(i, shownSequence) &&
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
      node.upConcLast = kolv::valueOrZero(results.UpConcLast(i));
      node.subConcLast = results.SubConcLast(i);
    }
  }
}

int KolvTableModel::rowCount(const QModelIndex& parent) const {
  if (parent.isValid() || empty_) return 0;
  return static_cast<int>(nodes_.size()) + kHeadingRows + kTrailingEmptyRows;
}

int KolvTableModel::columnCount(const QModelIndex& parent) const {
  if (parent.isValid() || empty_) return 0;
  return ColumnCount;
}

void KolvTableModel::clear() {
  beginResetModel();
  nodes_.clear();
  empty_ = true;
  endResetModel();
}

QString KolvTableModel::cellText(int row, int column) const {
  if (empty_) return {};
  if (row == 0) {
    switch (column) {
      case 0:
        return QStringLiteral("SeqNo:");
      case 1:
        return text(generalText(static_cast<long long>(firstSeq_)));
      case 2:
        return QStringLiteral("To");
      case 3:
        return text(generalText(static_cast<long long>(lastSeq_)));
      default:
        return {};
    }
  }
  if (row == 1) {
    static const char* const kHeadings[ColumnCount] = {
        "x", "P-L1", "P-L2", "Depth-L1", "Depth-L2", "Elevation", "DeltaElev", "SoilLoss", "C-UpL", "C-SubL"};
    return column >= 0 && column < ColumnCount ? QString::fromLatin1(kHeadings[column]) : QString();
  }
  const int node = row - kHeadingRows;
  if (node < 0 || node >= static_cast<int>(nodes_.size())) return {};
  return nodeText(nodes_[static_cast<std::size_t>(node)], column);
}

QString KolvTableModel::nodeText(const NodeRow& node, int column) const {
  switch (column) {
    case X:
      return text(generalTextSingle(node.x));
    case PL1:
      return node.hasSequence ? text(t4Text(node.pl1)) : QString();
    case PL2:
      return node.hasSequence ? text(t4Text(node.pl2)) : QString();
    case DepthL1:
      return node.hasSequence ? text(t4Text(node.depthL1)) : QString();
    case DepthL2:
      return node.hasSequence ? text(t4Text(node.depthL2)) : QString();
    case Elevation:
      return node.hasSequence ? text(t4Text(node.elev)) : QString();
    case DeltaElev:
      return node.hasResults ? text(t4TextSingle(node.deltaElev)) : QString();
    case SoilLoss:
      return node.hasResults ? text(t4TextSingle(node.soilLoss)) : QString();
    case CUpL:
      return node.hasResults ? text(t4Text(node.upConcLast)) : QString();
    case CSubL:
      return node.hasResults ? text(t4TextSingle(node.subConcLast)) : QString();
    default:
      return {};
  }
}

}  // namespace sodwright::shell
