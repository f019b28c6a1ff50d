// SPDX-License-Identifier: GPL-3.0-or-later
#include "shared_ui/patience_note.h"

#include <QLabel>
#include <QVBoxLayout>

namespace sodwright::shared_ui {

PatienceNote::PatienceNote(QWidget* parent) : QWidget(parent, Qt::Window) {
  setObjectName(QStringLiteral("frmNote"));
  setWindowTitle(QStringLiteral("Be Patient"));
  setAttribute(Qt::WA_DeleteOnClose);
  // The note must not take the focus from the window that works.
  setAttribute(Qt::WA_ShowWithoutActivating);

  auto* label = new QLabel(
      QStringLiteral("Please be patient. Data processing may take a couple of minutes."), this);
  label->setObjectName(QStringLiteral("Label1"));
  label->setFont(QFont(QStringLiteral("Arial"), 11));
  label->setWordWrap(true);
  label->setAlignment(Qt::AlignCenter);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(20, 20, 20, 20);
  layout->addWidget(label);
  resize(360, 110);
}

}  // namespace sodwright::shared_ui
