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
#include "bando/ui/FrmBANDO_Main.h"
#include "bando/ui/bando_window_factory.h"
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
  FrmBANDO_Main& open() {
    window = qobject_cast<FrmBANDO_Main*>(hub.openModel(platform::kBando));
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
    return {window->TxtEI->text(), window->TxtEt->text(), window->lblAt->text(),
            window->TxtBANDOClass->text()};
  }

  platform::FakePlatform fake;
  shared_ui::WindowHub hub{fake.context};
  BandoState state;
  FrmBANDO_Main* window = nullptr;
};

}  // namespace sodwright::bando::testing
