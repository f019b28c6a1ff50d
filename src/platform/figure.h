// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A figure as a plain list of generic drawing operations: filled rectangles,
// lines, texts and small images, in figure units (one unit is one pixel at
// 96 dots per inch, y growing downwards). A screen widget and the figure
// exporters replay the same list, so a saved figure is the drawing seen on
// the screen and never a screen grab.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace sodwright::platform {

struct Rgba {
  std::uint8_t r = 0;
  std::uint8_t g = 0;
  std::uint8_t b = 0;
  std::uint8_t a = 255;
  friend bool operator==(const Rgba&, const Rgba&) = default;
};

enum class TextAlign { Left, Centre, Right };

struct FigureOp {
  enum class Kind { Rect, Line, Text, Image, Polygon };
  Kind kind = Kind::Rect;
  // Rect and Image: left, top, width, height. Line: from (x, y) to (x2, y2).
  // Text: the anchor point, at the middle of the text's height.
  double x = 0, y = 0, w = 0, h = 0;
  double x2 = 0, y2 = 0;
  Rgba colour;
  double lineWidth = 1;
  bool dashed = false;
  std::string text;
  double textSize = 12;  // pixel height of the font
  bool bold = false;
  bool vertical = false;  // read from bottom to top
  TextAlign align = TextAlign::Left;
  int imageColumns = 0;         // Image: pixels row by row, imageColumns per row
  std::vector<Rgba> pixels;     // drawn without smoothing, one cell per pixel
  std::vector<double> corners;  // Polygon: x, y of each corner in turn, filled in `colour`
};

// The width of a text at a font pixel size; the screen and the exporters
// measure with the real font, the computation only places by it.
using TextWidth = std::function<double(std::string_view text, double size, bool bold)>;

// A rough measure for places without fonts: the width of a digit is about
// 0.6 of the font's height in common sans-serif faces.
inline double estimatedTextWidth(std::string_view text, double size, bool bold) {
  return static_cast<double>(text.size()) * size * (bold ? 0.65 : 0.6);
}

struct Figure {
  double width = 640;
  double height = 400;
  std::string title;  // also the document title of a saved SVG or PDF
  std::vector<FigureOp> ops;

  void rect(double x, double y, double w, double h, Rgba colour) {
    FigureOp op;
    op.kind = FigureOp::Kind::Rect;
    op.x = x, op.y = y, op.w = w, op.h = h, op.colour = colour;
    ops.push_back(std::move(op));
  }
  void line(double x1, double y1, double x2, double y2, Rgba colour, double penWidth = 1,
            bool dashed = false) {
    FigureOp op;
    op.kind = FigureOp::Kind::Line;
    op.x = x1, op.y = y1, op.x2 = x2, op.y2 = y2, op.colour = colour, op.lineWidth = penWidth,
    op.dashed = dashed;
    ops.push_back(std::move(op));
  }
  FigureOp& text(double x, double y, std::string value, double size,
                 TextAlign align = TextAlign::Left, Rgba colour = {}) {
    FigureOp op;
    op.kind = FigureOp::Kind::Text;
    op.x = x, op.y = y, op.text = std::move(value), op.textSize = size, op.align = align,
    op.colour = colour;
    ops.push_back(std::move(op));
    return ops.back();
  }
  void image(double x, double y, double w, double h, int columns, std::vector<Rgba> pixels) {
    FigureOp op;
    op.kind = FigureOp::Kind::Image;
    op.x = x, op.y = y, op.w = w, op.h = h, op.imageColumns = columns,
    op.pixels = std::move(pixels);
    ops.push_back(std::move(op));
  }
  // A filled polygon; `corners` holds x, y of each corner in turn.
  void polygon(std::vector<double> corners, Rgba colour) {
    FigureOp op;
    op.kind = FigureOp::Kind::Polygon;
    op.corners = std::move(corners);
    op.colour = colour;
    ops.push_back(std::move(op));
  }
  // Appends another figure's operations moved by (dx, dy).
  void place(const Figure& other, double dx, double dy) {
    for (FigureOp op : other.ops) {
      op.x += dx, op.y += dy, op.x2 += dx, op.y2 += dy;
      for (std::size_t i = 0; i + 1 < op.corners.size(); i += 2)
        op.corners[i] += dx, op.corners[i + 1] += dy;
      ops.push_back(std::move(op));
    }
  }
};

}  // namespace sodwright::platform
