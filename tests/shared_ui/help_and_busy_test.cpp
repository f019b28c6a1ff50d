// SPDX-License-Identifier: GPL-3.0-or-later
// The shipped guide and the "Be Patient" note of the desktop program.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QUrl>

#include "shared_ui/help_page.h"
#include "shared_ui/patience_note.h"

namespace sodwright::shared_ui {
namespace {

TEST(HelpPage, TheGuideIsFoundAndHoldsEverySectionTheWindowsLinkTo) {
  const std::string path = helpPagePath();
  ASSERT_FALSE(path.empty());
  QFile guide(QString::fromStdString(path));
  ASSERT_TRUE(guide.open(QIODevice::ReadOnly));
  const QString html = QString::fromUtf8(guide.readAll());
  for (std::string_view anchor : {kHelpKolv, kHelpNibal, kHelpBando, kHelpTransectFile,
                                  kHelpGridFile, kHelpLandformSurfaceForms, kHelpIndicator}) {
    const QString id = QStringLiteral("id=\"") + QString::fromUtf8(anchor.data(), anchor.size()) +
                       QLatin1Char('"');
    EXPECT_TRUE(html.contains(id)) << anchor;
  }
  const QUrl address(QString::fromStdString(helpPageAddress(kHelpLandformSurfaceForms)));
  EXPECT_TRUE(address.isLocalFile());
  EXPECT_EQ(address.toLocalFile().toStdString(), path);
  EXPECT_EQ(address.fragment(), QStringLiteral("landform-surface-forms"));
  EXPECT_FALSE(QUrl(QString::fromStdString(helpPageAddress())).hasFragment());
}

TEST(BePatientNote, OneLabelAskingForPatience) {
  PatienceNote note;
  EXPECT_EQ(note.windowTitle(), QStringLiteral("Be Patient"));
  auto* label = note.findChild<QLabel*>(QStringLiteral("Label1"));
  ASSERT_NE(label, nullptr);
  EXPECT_EQ(label->text(),
            QStringLiteral("Please be patient. Data processing may take a couple of minutes."));
}

}  // namespace
}  // namespace sodwright::shared_ui
