// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The KOLV table of the data viewer, as cell texts: N + 6 rows and 10
// columns; row 0 names the sequences shown, row 1 the columns, rows 2 .. N + 1
// the nodes (distance, the transect at the shown sequence and the comparison
// results), and four empty rows close the table. Column 0 and rows 0 and 1
// are headings. The viewer wraps these in its table model.
//
// The values are copied when the table is made: the viewer is filled once
// and does not follow later changes of the state.

#include <string>
#include <vector>

#include "kolv/state/kolv_state.h"

namespace sodwright::kolv {

// The sequence the viewer shows: the last sequence shown once a run has
// filled it, the imported sequence before that.
Int16 kolvViewerSequence(const KolvState& state);

class KolvTable {
 public:
  enum Column {
    X,
    PL1,
    PL2,
    DepthL1,
    DepthL2,
    Elevation,
    DeltaElev,
    SoilLoss,
    CUpL,
    CSubL,
    ColumnCount
  };
  static constexpr int kHeadingRows = 2;
  static constexpr int kHeadingColumns = 1;

  // An empty table when nothing has been imported yet.
  KolvTable(const KolvState& state, Int16 shownSequence);

  int rowCount() const;     // N + 6, or 0 for an empty table
  int columnCount() const;  // 10, or 0 for an empty table
  // Column 0 is 600 twips wide, the others 1000; all are centred.
  static int columnWidthTwips(int column) { return column == X ? 600 : 1000; }
  // The text of a cell: the values cut to four decimals (T4) in their own
  // precision; empty outside the table and where the arrays hold no value.
  std::string cell(int row, int column) const;
  void clear();

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
  std::string nodeText(const NodeRow& node, int column) const;

  std::vector<NodeRow> nodes_;
  Int16 firstSeq_ = 0;
  Int16 lastSeq_ = 0;
  bool empty_ = true;
};

}  // namespace sodwright::kolv
