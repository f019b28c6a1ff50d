// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The passive introduction window: a heading and, per model, a name label
// and a description label. No actions; the user closes it.

#include <QWidget>

namespace sodwright::shared_ui {

class IntroductionWindow : public QWidget {
  Q_OBJECT

 public:
  explicit IntroductionWindow(QWidget* parent = nullptr);
};

}  // namespace sodwright::shared_ui
