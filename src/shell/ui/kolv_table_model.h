#pragma once
// The data viewer's KOLV table: N + 6 rows and 10 columns; row 0 names the
// sequences shown, row 1 the columns, rows 2 .. N + 1 the nodes (distance,
// the transect at the shown sequence and the comparison results), and four
// empty rows close the table. Column 0 and rows 0 and 1 are headings.
//
// The values are copied when the table is made: the viewer is filled once
// and does not follow later changes of the state.

#include <cstdint>
#include <vector>

#include "shell/ui/viewer_table_model.h"
#include "transect/kolv_state.h"

namespace sodwright::shell {

// The sequence the viewer shows: the last sequence shown once a run has
// filled it, the imported sequence before that.
std::int16_t kolvViewerSequence(const kolv::KolvState& state);

class KolvTableModel : public ViewerTableModel {
  Q_OBJECT

 public:
  enum Column { X, PL1, PL2, DepthL1, DepthL2, Elevation, DeltaElev, SoilLoss, CUpL, CSubL, ColumnCount };

  // An empty table when nothing has been imported yet.
  KolvTableModel(const kolv::KolvState& state, std::int16_t shownSequence, QObject* parent = nullptr);

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  int fixedRows() const override { return 2; }
  int fixedColumns() const override { return 1; }
  int columnWidthTwips(int column) const override { return column == X ? 600 : 1000; }
  void clear() override;

 protected:
  QString cellText(int row, int column) const override;

 private:
  // One node's values; a value the arrays do not hold is left empty.
  struct NodeRow {
    float x = 0.0f;
    double pl1 = 0.0, pl2 = 0.0, depthL1 = 0.0, depthL2 = 0.0, elev = 0.0;
    float deltaElev = 0.0f, soilLoss = 0.0f;
    double upConcLast = 0.0;
    float subConcLast = 0.0f;
    bool hasSequence = false;  // the arrays hold the shown sequence
    bool hasResults = false;   // the comparison arrays hold the node
  };
  QString nodeText(const NodeRow& node, int column) const;

  std::vector<NodeRow> nodes_;
  std::int16_t firstSeq_ = 0;
  std::int16_t lastSeq_ = 0;
  bool empty_ = true;
};

}  // namespace sodwright::shell
