// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The indicator window as the chooser opens it: through the hub, with the
// window factory that rebuilds the tables, over the recording fakes.

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "bando/bando_state.h"
#include "bando/ui/bando_window_factory.h"
#include "bando/ui/indicator_window.h"
#include "fakes/recording_services.h"
#include "shared_ui/window_hub.h"

namespace sodwright::bando::testing {

class BandoWindowTest : public ::testing::Test {
 protected:
  BandoWindowTest() {
    hub.setModelWindowFactory(platform::kBando, bandoWindowFactory(state, fake.context, hub));
    open();
  }

  // The chooser's OK for BANDO.
  IndicatorWindow& open() {
    window = qobject_cast<IndicatorWindow*>(hub.openModel(platform::kBando));
    EXPECT_NE(window, nullptr);
    return *window;
  }

  // The user picks an item of a list.
  static void pick(QComboBox* list, int position) {
    list->setCurrentIndex(position);
    emit list->activated(position);
  }

  bool shown(const QWidget* control) const { return control->isVisibleTo(window); }

  struct Results {
    QString ei, et, at, cls;
  };
  Results results() const {
    return {window->erodibilityBox->text(), window->erosivityBox->text(), window->rateBox->text(),
            window->classBox->text()};
  }

  platform::FakePlatform fake;
  shared_ui::WindowHub hub{fake.context};
  BandoState state;
  IndicatorWindow* window = nullptr;
};

}  // namespace sodwright::bando::testing
