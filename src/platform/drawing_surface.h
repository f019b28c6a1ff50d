// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A drawing surface: a picture area with a user coordinate window, a pen,
// lines in the foreground colour, coloured points and filled areas, plus text
// labels that stand around the area, each known by a number its drawing
// gives it.
//
// Drawings are kept as plain lists of operations so that the chart geometry
// can be computed and checked without a screen, and replayed on any surface.

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace sodwright::platform {

struct Rgb {
  std::uint8_t r = 0;
  std::uint8_t g = 0;
  std::uint8_t b = 0;
  friend bool operator==(const Rgb&, const Rgb&) = default;
};

enum class LineStyle { Solid, Dashed };

// A label beside the surface; what each number names belongs to the drawing.
using LabelId = int;

class DrawingSurface {
 public:
  virtual ~DrawingSurface() = default;
  virtual void clear() = 0;
  // x grows to the right; y grows upwards when top > bottom.
  virtual void setCoordinateWindow(float left, float top, float right, float bottom) = 0;
  virtual void setPenWidth(int pixels) = 0;
  virtual void setLineStyle(LineStyle style) = 0;
  virtual void drawLine(float x1, float y1, float x2, float y2) = 0;
  virtual void plotPoint(float x, float y, Rgb colour) = 0;
  // A polygon filled in `colour` without an outline, behind what is drawn
  // after it; `corners` holds x, y of each corner in turn, in user coordinates.
  virtual void fillPolygon(const std::vector<float>& corners, Rgb colour) = 0;
  virtual void setLabel(LabelId label, const std::string& text) = 0;
};

// One recorded operation of a drawing.
struct DrawOp {
  enum class Kind { Clear, Window, PenWidth, Style, Line, Point, Text, Polygon };
  Kind kind = Kind::Clear;
  float a = 0, b = 0, c = 0,
        d = 0;  // Window: left, top, right, bottom; Line: x1, y1, x2, y2; Point: x, y
  int penWidth = 0;
  LineStyle style = LineStyle::Solid;
  Rgb colour;
  LabelId label = 0;
  std::string text;
  std::vector<float> corners;  // Polygon: x, y of each corner in turn

  static DrawOp clearOp() { return {}; }
  static DrawOp window(float left, float top, float right, float bottom) {
    DrawOp op;
    op.kind = Kind::Window;
    op.a = left;
    op.b = top;
    op.c = right;
    op.d = bottom;
    return op;
  }
  static DrawOp pen(int width) {
    DrawOp op;
    op.kind = Kind::PenWidth;
    op.penWidth = width;
    return op;
  }
  static DrawOp lineStyle(LineStyle s) {
    DrawOp op;
    op.kind = Kind::Style;
    op.style = s;
    return op;
  }
  static DrawOp line(float x1, float y1, float x2, float y2) {
    DrawOp op;
    op.kind = Kind::Line;
    op.a = x1;
    op.b = y1;
    op.c = x2;
    op.d = y2;
    return op;
  }
  static DrawOp point(float x, float y, Rgb rgb) {
    DrawOp op;
    op.kind = Kind::Point;
    op.a = x;
    op.b = y;
    op.colour = rgb;
    return op;
  }
  static DrawOp polygon(std::vector<float> corners, Rgb rgb) {
    DrawOp op;
    op.kind = Kind::Polygon;
    op.corners = std::move(corners);
    op.colour = rgb;
    return op;
  }
  static DrawOp labelText(LabelId which, std::string value) {
    DrawOp op;
    op.kind = Kind::Text;
    op.label = which;
    op.text = std::move(value);
    return op;
  }
};

using DrawOps = std::vector<DrawOp>;

inline void apply(const DrawOp& op, DrawingSurface& surface) {
  switch (op.kind) {
    case DrawOp::Kind::Clear:
      surface.clear();
      break;
    case DrawOp::Kind::Window:
      surface.setCoordinateWindow(op.a, op.b, op.c, op.d);
      break;
    case DrawOp::Kind::PenWidth:
      surface.setPenWidth(op.penWidth);
      break;
    case DrawOp::Kind::Style:
      surface.setLineStyle(op.style);
      break;
    case DrawOp::Kind::Line:
      surface.drawLine(op.a, op.b, op.c, op.d);
      break;
    case DrawOp::Kind::Point:
      surface.plotPoint(op.a, op.b, op.colour);
      break;
    case DrawOp::Kind::Text:
      surface.setLabel(op.label, op.text);
      break;
    case DrawOp::Kind::Polygon:
      surface.fillPolygon(op.corners, op.colour);
      break;
  }
}

// Plays a recorded drawing onto a surface, in order.
inline void replay(const DrawOps& ops, DrawingSurface& surface) {
  for (const DrawOp& op : ops) apply(op, surface);
}

}  // namespace sodwright::platform
