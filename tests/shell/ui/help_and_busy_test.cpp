// The shipped guide and the busy pointer and note of the desktop program.
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QUrl>
#include <gtest/gtest.h>

#include "shell/ui/help_page.h"
#include "shell/ui/qt_busy_indicator.h"

namespace sodwright::shell {
namespace {

TEST(HelpPage, TheGuideIsFoundAndHoldsEverySectionTheWindowsLinkTo) {
  const std::string path = helpPagePath();
  ASSERT_FALSE(path.empty());
  QFile guide(QString::fromStdString(path));
  ASSERT_TRUE(guide.open(QIODevice::ReadOnly));
  const QString html = QString::fromUtf8(guide.readAll());
  for (std::string_view anchor : {kHelpKolv, kHelpNibal, kHelpBando, kHelpTransectFile, kHelpGridFile,
                                  kHelpLandformSurfaceForms, kHelpIndicator}) {
    const QString id = QStringLiteral("id=\"") + QString::fromUtf8(anchor.data(), anchor.size()) + QLatin1Char('"');
    EXPECT_TRUE(html.contains(id)) << anchor;
  }
  const QUrl address(QString::fromStdString(helpPageAddress(kHelpLandformSurfaceForms)));
  EXPECT_TRUE(address.isLocalFile());
  EXPECT_EQ(address.toLocalFile().toStdString(), path);
  EXPECT_EQ(address.fragment(), QStringLiteral("landform-surface-forms"));
  EXPECT_FALSE(QUrl(QString::fromStdString(helpPageAddress())).hasFragment());
}

TEST(QtBusy, PointerIsBusyOrNormalAndTheNoteIsOneWindow) {
  {
    QtBusyIndicator busy;
    busy.setBusyPointer(true);
    busy.setBusyPointer(true);
    ASSERT_NE(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
    busy.setBusyPointer(false);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);

    busy.showNote();
    frmNote* note = busy.note();
    ASSERT_NE(note, nullptr);
    EXPECT_EQ(note->windowTitle(), QStringLiteral("Be Patient"));
    auto* label = note->findChild<QLabel*>(QStringLiteral("Label1"));
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->text(), QStringLiteral("Please be patient. Data processing may take a couple of minutes."));
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
}  // namespace sodwright::shell
