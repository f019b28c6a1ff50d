// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The screenshot tools' one way of taking a picture: the window with its
// frame, from the screen, into SODWRIGHT_SCREENSHOT_DIR (default: here).

#include <gtest/gtest.h>

#include <QDir>
#include <QPixmap>
#include <QScreen>
#include <QTest>
#include <QWidget>

namespace sodwright::screenshots {

// Waits `settleMs` for the window to be drawn, then saves it as `name`.
inline void capture(QWidget* window, const QString& name, int settleMs = 400) {
  QTest::qWait(settleMs);
  const QString out = qEnvironmentVariable("SODWRIGHT_SCREENSHOT_DIR", QStringLiteral("."));
  const QRect frame = window->frameGeometry();
  const QPixmap shot =
      window->screen()->grabWindow(0, frame.x(), frame.y(), frame.width(), frame.height());
  const QString file = QDir(out).filePath(name);
  ASSERT_TRUE(shot.save(file)) << file.toStdString();
}

}  // namespace sodwright::screenshots
