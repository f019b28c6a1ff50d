// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The "Be Patient" note shown while a long step blocks the window: one
// label, no buttons, no actions of its own.

#include <QWidget>

namespace sodwright::shared_ui {

class PatienceNote : public QWidget {
  Q_OBJECT

 public:
  explicit PatienceNote(QWidget* parent = nullptr);
};

}  // namespace sodwright::shared_ui
