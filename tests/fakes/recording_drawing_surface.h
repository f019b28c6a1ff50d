// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A drawing surface that records every operation, and the labels as they
// stand now, for tests of the charts.

#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "platform/drawing_surface.h"

namespace sodwright::platform {

class RecordingDrawingSurface : public DrawingSurface {
 public:
  void clear() override {
    ops.push_back(DrawOp::clearOp());
    ++clearCount;
  }
  void setCoordinateWindow(float left, float top, float right, float bottom) override {
    ops.push_back(DrawOp::window(left, top, right, bottom));
  }
  void setPenWidth(int pixels) override { ops.push_back(DrawOp::pen(pixels)); }
  void setLineStyle(LineStyle style) override { ops.push_back(DrawOp::lineStyle(style)); }
  void drawLine(float x1, float y1, float x2, float y2) override {
    ops.push_back(DrawOp::line(x1, y1, x2, y2));
  }
  void plotPoint(float x, float y, Rgb colour) override {
    ops.push_back(DrawOp::point(x, y, colour));
  }
  void fillPolygon(const std::vector<float>& corners, Rgb colour) override {
    ops.push_back(DrawOp::polygon(corners, colour));
  }
  void setLabel(LabelId label, const std::string& text) override {
    ops.push_back(DrawOp::labelText(label, text));
    labels[label] = text;
  }

  // Operations since the last clear, the clear included.
  DrawOps sinceLastClear() const {
    for (auto it = ops.rbegin(); it != ops.rend(); ++it)
      if (it->kind == DrawOp::Kind::Clear) return DrawOps(std::prev(it.base()), ops.end());
    return ops;
  }
  std::size_t count(DrawOp::Kind kind) const {
    std::size_t n = 0;
    for (const DrawOp& op : ops) n += op.kind == kind ? 1 : 0;
    return n;
  }

  DrawOps ops;
  std::map<LabelId, std::string> labels;
  int clearCount = 0;
};

}  // namespace sodwright::platform
