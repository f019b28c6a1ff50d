// SPDX-License-Identifier: GPL-3.0-or-later
// KOLV charts that explain themselves and leave the program: the saved
// figure holds the title, axis captions and legend, each format is what it
// says, value labels are never cut, and a point reads out under the pointer.
#include "kolv/charts/chart_figure.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QImage>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QXmlStreamReader>

#include "kolv/ui/chart_panel.h"
#include "platform/figures/figure_export.h"
#include "platform/figures/figure_painter.h"

namespace sodwright::kolv {
namespace {

using platform::DrawOp;

KolvState shownSequences(int first, int last, double interval) {
  KolvState state;
  state.params.FirstSeqShown = static_cast<Int16>(first);
  state.params.LastSeqShown = static_cast<Int16>(last);
  state.params.Interval = interval;
  return state;
}

platform::DrawOps elevationDrawing(const std::string& maxLabel) {
  return {DrawOp::clearOp(),
          DrawOp::window(-1, 12, 11, -2),
          DrawOp::pen(2),
          DrawOp::line(-1, 0, 11, 0),
          DrawOp::point(2, 4, chart_colours::kBlue),
          DrawOp::point(10, 2, chart_colours::kRed),
          DrawOp::labelText(ChartLabel::MaxValue, maxLabel),
          DrawOp::labelText(ChartLabel::MidValue, "5.0"),
          DrawOp::labelText(ChartLabel::MinValue, "0.0"),
          DrawOp::labelText(ChartLabel::MidDistance, "2.5"),
          DrawOp::labelText(ChartLabel::MaxDistance, "5.0")};
}

TEST(ChartFigure, SavedSvgPdfAndPngHoldTheChartAsDrawn) {
  const ChartKey key = chartKey(ChartKind::Elevation, shownSequences(0, 10, 0.5));
  const platform::Figure figure =
      chartFigure(key, elevationDrawing("10.0"), {}, platform::qtTextWidth);
  QTemporaryDir dir;
  const QString svg = dir.filePath(QStringLiteral("chart.svg"));
  const QString pdf = dir.filePath(QStringLiteral("chart.pdf"));
  const QString png = dir.filePath(QStringLiteral("chart.png"));
  ASSERT_TRUE(platform::saveFigure(figure, svg));
  ASSERT_TRUE(platform::saveFigure(figure, pdf));
  ASSERT_TRUE(platform::saveFigure(figure, png, {QSize(900, 560), 200}));
  EXPECT_FALSE(platform::saveFigure(figure, dir.filePath(QStringLiteral("chart.bmp"))));
  // A folder that is not there: the message names the file and ends with the
  // system's reason.
  const QString unwritable = dir.filePath(QStringLiteral("missing/chart.png"));
  const auto refused = platform::saveFigure(figure, unwritable);
  ASSERT_FALSE(refused);
  EXPECT_TRUE(refused.message().starts_with(unwritable.toStdString() + ": ")) << refused.message();
  EXPECT_TRUE(refused.message().ends_with(": No such file or directory")) << refused.message();

  QFile svgFile(svg);
  ASSERT_TRUE(svgFile.open(QIODevice::ReadOnly));
  QXmlStreamReader xml(&svgFile);
  QStringList texts;
  while (!xml.atEnd())
    if (xml.readNext() == QXmlStreamReader::Characters && !xml.isWhitespace())
      texts << xml.text().toString().trimmed();
  ASSERT_FALSE(xml.hasError()) << xml.errorString().toStdString();
  for (const char* expected : {"Elevation", "Value (m)", "Distance along the transect (m)",
                               "Seq 0 (first)", "Seq 10 (last)", "10", "5", "2.5"})
    EXPECT_TRUE(texts.contains(QString::fromLatin1(expected))) << expected;

  QFile pdfFile(pdf);
  ASSERT_TRUE(pdfFile.open(QIODevice::ReadOnly));
  EXPECT_EQ(pdfFile.read(5), QByteArray("%PDF-"));

  const QImage image(png);
  EXPECT_EQ(image.size(), QSize(900, 560));
  EXPECT_NEAR(image.dotsPerMeterX() * 0.0254, 200.0, 0.5);
}

TEST(ChartPanelLegend, SixDigitValueLabelIsWholeAtALargeFont) {
  ChartPanel panel(ChartKind::Elevation);
  QFont large = panel.font();
  large.setPointSizeF(large.pointSizeF() * 1.5);
  panel.setFont(large);
  panel.resize(420, 320);
  panel.show();
  panel.setKey(chartKey(ChartKind::Elevation, shownSequences(0, 10, 0.5)));
  platform::replay(elevationDrawing("900000.00"), panel);

  QLabel* max = panel.label(ChartLabel::MaxValue);
  const int needed = QFontMetrics(max->font()).horizontalAdvance(QStringLiteral("900000.00"));
  EXPECT_GE(max->contentsRect().width(), needed);
  EXPECT_GE(max->x(), 0);
  EXPECT_LE(max->geometry().right(), panel.canvas()->x());
  EXPECT_GE(max->height(), QFontMetrics(max->font()).height());
  EXPECT_TRUE(panel.legendLabel()->text().contains(QStringLiteral("Seq 10 (last)")));
  EXPECT_TRUE(panel.legendLabel()->text().contains(QStringLiteral("end zones")));

  // Pointing at the last sequence's point at x = 10 (5 m at 0.5 m per point).
  const QPointF at = panel.canvas()->pixelOf(10, 2);
  QMouseEvent move(QEvent::MouseMove, at, panel.canvas()->mapToGlobal(at), Qt::NoButton,
                   Qt::NoButton, Qt::NoModifier);
  QApplication::sendEvent(panel.canvas(), &move);
  EXPECT_TRUE(panel.readoutLabel()->isVisible());
  EXPECT_EQ(panel.readoutLabel()->text(),
            QStringLiteral("Distance 5.0 m, value 2 m, Seq 10 (last)"));
}

}  // namespace
}  // namespace sodwright::kolv
