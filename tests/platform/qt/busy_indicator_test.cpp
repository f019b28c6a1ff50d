// SPDX-License-Identifier: GPL-3.0-or-later
// The busy pointer and note of the desktop program.
#include <gtest/gtest.h>

#include <QApplication>
#include <QWidget>

#include "platform/qt/qt_busy_indicator.h"

namespace sodwright::platform {
namespace {

TEST(QtBusy, PointerIsBusyOrNormalAndTheNoteIsOneWindow) {
  {
    QtBusyIndicator busy([] {
      auto* note = new QWidget;
      note->setWindowTitle(QStringLiteral("Be Patient"));
      return note;
    });
    busy.setBusyPointer(true);
    busy.setBusyPointer(true);
    ASSERT_NE(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
    busy.setBusyPointer(false);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);

    busy.showNote();
    QWidget* note = busy.note();
    ASSERT_NE(note, nullptr);
    EXPECT_EQ(note->windowTitle(), QStringLiteral("Be Patient"));
    EXPECT_TRUE(note->isVisible());
    busy.showNote();
    EXPECT_EQ(busy.note(), note);
    busy.hideNote();
    EXPECT_EQ(busy.note(), note);  // hidden, still loaded
    EXPECT_FALSE(note->isVisible());
    busy.closeNote();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(busy.note(), nullptr);
    busy.closeNote();  // nothing loaded: nothing happens

    busy.setBusyPointer(true);
  }
  // An indicator that goes while busy gives the pointer back.
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

}  // namespace
}  // namespace sodwright::platform
