// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A KOLV main window opened through a real window hub over the recording
// fakes, with helpers to import a small transect, type into a box and move
// the focus on, and run the model from the parameter window.

#include <cmath>
#include <fstream>
#include <memory>

#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>

#include "fakes/recording_services.h"
#include "kolv/ui/kolv_import_command.h"
#include "kolv/ui/kolv_main_window.h"
#include "kolv/ui/kolv_parameter_window.h"
#include "kolv/ui/kolv_table_model.h"
#include "shared_ui/delimiter_dialog.h"
#include "shared_ui/window_hub.h"

namespace sodwright::kolv {

class KolvWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    hub = std::make_unique<shared_ui::WindowHub>(fake.context);
    hub->setQuitHandler([this] { quitCalled = true; });
    // As the program registers it: the viewer shows this state's table.
    hub->setViewerModelFactory(platform::kKolv, kolvViewerModelFactory(state));
    hub->setModelWindowFactory(platform::kKolv, [this]() -> QWidget* {
      return new KolvMainWindow(state, fake.context, *hub);
    });
    main = qobject_cast<KolvMainWindow*>(hub->openModel(platform::kKolv));
    ASSERT_NE(main, nullptr);
    ASSERT_TRUE(activate(main));
  }
  void TearDown() override {
    hub.reset();  // the hub deletes the windows it opened
  }

  // A 40-point transect at sequence 0 on a gentle, wavy slope.
  std::string writeTransect(int points = 40) {
    const std::string path = dir.filePath(QStringLiteral("transect.txt")).toStdString();
    std::ofstream out(path, std::ios::binary);
    out << "Sequence=\t0\tDataPoints:\t " << points << " \r\n"
        << "DistributionDistance=\t 2 \tm\tInterval =\t 1 \tm\r\n"
        << "Lamda=\t .3 \t+\t .003 \t*SG+\t .02 \t*SC\r\n"
        << "Tillage_Depth =\t .2 \tm\r\n"
        << "BD1 =\t 1350 \tkg / m3\tBD2 =\t 1450 \tkg / m3\tBD3 =\t 1500 \tkg / m3\r\n"
        << "\r\n"
        << "P1_0\tP2_0\tP3_0\tL1_0\tL2_0\t Z 0\r\n"
        << "mg/kg\tmg/kg\tmg/kg\t m \t m \t m \r\n";
    for (int i = 0; i < points; ++i) {
      const double elev = 100.0 - 0.08 * i + 0.6 * std::sin(i / 5.0);
      out << 20 + i % 3 << ".000000\t10.000000\t2.000000\t0.2000\t0.1000\t" << elev << "\r\n";
    }
    return path;
  }

  // File, Import on the file, then OK in the delimiter dialog (Tab).
  void importTransect(const std::string& path) {
    fake.fileDialogs.names.push_back(path);
    main->importFileAction->trigger();
    hub->delimiterDialog().okButton->click();
  }

  KolvParameterWindow* openParameterWindow() {
    main->parameterAction->trigger();
    KolvParameterWindow* window = main->parameterWindow();
    if (window) {
      EXPECT_TRUE(activate(window));
    }
    return window;
  }

  // Import, then "OK" and "Run KOLV" in the parameter window.
  void importAndRun() {
    importTransect(writeTransect());
    ASSERT_TRUE(state.imported);
    KolvParameterWindow* window = openParameterWindow();
    ASSERT_NE(window, nullptr);
    window->okButton->click();
    window->runKolvButton->click();
    QApplication::processEvents();  // the closed parameter window goes
  }

  // Makes the window the active one, as far as the widgets know too.
  static bool activate(QWidget* window) {
    window->activateWindow();
    return QTest::qWaitFor([window] { return window->isActiveWindow(); }, 2000);
  }

  // Types into a box as a user would (the old text replaced), then moves the
  // focus to `next`, which makes the box lose the focus.
  static void typeAndLeave(QLineEdit* box, const QString& text, QWidget* next) {
    // Focus moves, and boxes lose it, only inside the active window.
    if (!box->window()->isActiveWindow()) {
      EXPECT_TRUE(activate(box->window()));
    }
    box->setFocus(Qt::MouseFocusReason);
    box->selectAll();
    if (text.isEmpty()) {
      QTest::keyClick(box, Qt::Key_Delete);
    } else {
      QTest::keyClicks(box, text);
    }
    next->setFocus(Qt::TabFocusReason);
  }

  // showDataTimer elapses now.
  void fireShowDataTimer() {
    ASSERT_TRUE(main->showDataTimer->isActive());
    ASSERT_TRUE(QMetaObject::invokeMethod(main->showDataTimer, "timeout", Qt::DirectConnection));
  }

  std::vector<std::string> messages() const { return fake.messages.texts(); }

  platform::FakePlatform fake;
  KolvState state;
  std::unique_ptr<shared_ui::WindowHub> hub;
  KolvMainWindow* main = nullptr;
  bool quitCalled = false;
  QTemporaryDir dir;
};

}  // namespace sodwright::kolv
