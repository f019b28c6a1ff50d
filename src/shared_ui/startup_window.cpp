// SPDX-License-Identifier: GPL-3.0-or-later
#include "shared_ui/startup_window.h"

#include <QCloseEvent>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QVBoxLayout>

namespace sodwright::shared_ui {

namespace {

constexpr int kPictureSize = 96;

QPixmap blankPicture() {
  QPixmap picture(kPictureSize, kPictureSize);
  picture.fill(QColor(250, 247, 238));
  return picture;
}

// A hillslope with its tilled layer: the transect model.
QPixmap slopePicture() {
  QPixmap picture = blankPicture();
  QPainter painter(&picture);
  painter.setRenderHint(QPainter::Antialiasing);
  QPainterPath ground;
  ground.moveTo(0, 30);
  ground.cubicTo(35, 28, 50, 75, 96, 72);
  ground.lineTo(96, 96);
  ground.lineTo(0, 96);
  ground.closeSubpath();
  painter.fillPath(ground, QColor(139, 94, 60));
  painter.setPen(QPen(QColor(92, 140, 60), 4));
  painter.drawPath(ground);
  return picture;
}

// A grid of elevation nodes: the grid model.
QPixmap gridPicture() {
  QPixmap picture = blankPicture();
  QPainter painter(&picture);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(QPen(QColor(70, 90, 120), 1));
  for (int k = 16; k <= 80; k += 16) {
    painter.drawLine(16, k, 80, k);
    painter.drawLine(k, 16, k, 80);
  }
  painter.setBrush(QColor(200, 90, 50));
  for (int r = 16; r <= 80; r += 16)
    for (int c = 16; c <= 80; c += 16) painter.drawEllipse(QPointF(c, r), 3, 3);
  return picture;
}

// Five rising bars in the colours of the risk classes: the indicator.
QPixmap riskPicture() {
  QPixmap picture = blankPicture();
  QPainter painter(&picture);
  const QColor colours[] = {QColor(60, 160, 80), QColor(150, 190, 60), QColor(230, 200, 60),
                            QColor(230, 130, 50), QColor(200, 50, 40)};
  for (int k = 0; k < 5; ++k) {
    const int height = 14 + 14 * k;
    painter.fillRect(QRect(8 + 17 * k, 88 - height, 13, height), colours[k]);
  }
  return picture;
}

QLabel* pictureLabel(const char* name, const QPixmap& pixmap, const QString& description,
                     QWidget* parent) {
  auto* label = new QLabel(parent);
  label->setObjectName(QString::fromLatin1(name));
  label->setPixmap(pixmap);
  label->setAccessibleName(description);
  return label;
}

}  // namespace

StartupWindow::StartupWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
  setObjectName(QStringLiteral("FrmSplash"));
  setWindowTitle(QStringLiteral("Welcome!"));
  setAttribute(Qt::WA_DeleteOnClose);

  closeTimer = new QTimer(this);
  closeTimer->setObjectName(QStringLiteral("Timer1"));
  closeTimer->setInterval(1500);
  // A coarse timer may fire up to 5 % early; the window stays its full 1.5 s.
  closeTimer->setTimerType(Qt::PreciseTimer);
  closeTimer->setSingleShot(true);
  connect(closeTimer, &QTimer::timeout, this, &StartupWindow::timerElapsed);

  auto* frame = new QFrame(this);
  frame->setObjectName(QStringLiteral("Frame1"));
  frame->setFrameShape(QFrame::Box);
  frame->setLineWidth(2);

  auto* pictures = new QHBoxLayout;
  pictures->addWidget(pictureLabel("Image1", slopePicture(), QStringLiteral("Hillslope"), frame));
  pictures->addWidget(
      pictureLabel("Image2", gridPicture(), QStringLiteral("Elevation grid"), frame));
  pictures->addWidget(pictureLabel("Image3", riskPicture(), QStringLiteral("Risk classes"), frame));

  titleLabel =
      new QLabel(QStringLiteral("Sodwright\nTillage Translocation and Erosion Models"), frame);
  titleLabel->setObjectName(QStringLiteral("LblTitle"));
  QFont titleFont = titleLabel->font();
  titleFont.setPointSizeF(titleFont.pointSizeF() * 1.6);
  titleFont.setBold(true);
  titleLabel->setFont(titleFont);
  titleLabel->setAlignment(Qt::AlignCenter);

  versionLabel = new QLabel(QStringLiteral("Version 05.1"), frame);
  versionLabel->setObjectName(QStringLiteral("LblVersion"));
  versionLabel->setAlignment(Qt::AlignCenter);

  creditsLabel = new QLabel(
      QStringLiteral("KOLV transect model  -  NIBAL grid model  -  BANDO risk indicator\n"
                     "For soil scientists and agronomists studying soil movement by tillage"),
      frame);
  creditsLabel->setObjectName(QStringLiteral("LblCredits"));
  creditsLabel->setAlignment(Qt::AlignCenter);

  auto* inner = new QVBoxLayout(frame);
  inner->setContentsMargins(24, 20, 24, 20);
  inner->setSpacing(14);
  inner->addLayout(pictures);
  inner->addWidget(titleLabel);
  inner->addWidget(versionLabel);
  inner->addWidget(creditsLabel);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(12, 12, 12, 12);
  layout->addWidget(frame);
}

void StartupWindow::closeEvent(QCloseEvent* event) {
  if (closeTimer->isActive()) {
    closeTimer->stop();
    emit closedBeforeTimer();
  }
  QWidget::closeEvent(event);
}

}  // namespace sodwright::shared_ui
