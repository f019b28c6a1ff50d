// SPDX-License-Identifier: GPL-3.0-or-later
// The Qt services: the filter conversion of the file dialogs, the addresses
// handed to the desktop, and the message box's title, text and buttons.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QTimer>

#include "platform/import_kind.h"
#include "platform/qt/qt_file_dialog_service.h"
#include "platform/qt/qt_message_service.h"
#include "platform/qt/qt_program_starter.h"

namespace sodwright::platform {
namespace {

// The patterns of a Qt name filter "Name (*.a *.b)".
QStringList patternsOf(const QString& nameFilter) {
  const qsizetype open = nameFilter.lastIndexOf(QLatin1Char('('));
  return nameFilter.mid(open + 1, nameFilter.size() - open - 2).split(QLatin1Char(' '));
}

bool offers(const QString& nameFilter, const QString& fileName) {
  for (const QString& pattern : patternsOf(nameFilter))
    if (QRegularExpression(QRegularExpression::wildcardToRegularExpression(pattern))
            .match(fileName)
            .hasMatch())
      return true;
  return false;
}

TEST(FileDialogFilter, ImportFilterOffersEveryDataFileInAnyCase) {
  const QStringList filters = qtNameFilters(kImportFilter);
  ASSERT_EQ(filters.size(), 1);
  // Shown as the program names it; the patterns behind are the dialog's.
  EXPECT_TRUE(filters[0].startsWith(
      QStringLiteral("Data files(*.TXT;*.DAT;*.CSV;*.TSV;*.XLS;*.XLSX;*.ODS;*.DBF) (")));
  for (const char* name :
       {"hill.txt", "HILL.TXT", "grid.dat", "Grid.Dat", "old.dbf", "sheet.CSV", "tabs.tsv"})
    EXPECT_TRUE(offers(filters[0], QString::fromLatin1(name))) << name;
  // Every workbook the imports read is offered.
  for (const char* name : {"book.xls", "book.XLSX", "book.xlsx", "sheet.ods", "Sheet.ODS"}) {
    ASSERT_TRUE(isWorkbook(importKindOf(name))) << name;
    EXPECT_TRUE(offers(filters[0], QString::fromLatin1(name))) << name;
  }
  for (const char* name : {"dem.tif", "hill.txt.bak", "txt"})
    EXPECT_FALSE(offers(filters[0], QString::fromLatin1(name))) << name;
}

TEST(FileDialogFilter, EachPairGivesOneFilter) {
  EXPECT_EQ(qtNameFilters(kReportFilter),
            QStringList{QStringLiteral("Text files(*.TXT) (*.[tT][xX][tT])")});
  const QStringList two = qtNameFilters("Text files(*.TXT)|*.TXT|All files|*.*");
  ASSERT_EQ(two.size(), 2);
  EXPECT_EQ(two[1], QStringLiteral("All files (*.*)"));
  EXPECT_TRUE(offers(two[1], QStringLiteral("anything.csv")));
  EXPECT_TRUE(qtNameFilters("").isEmpty());
  EXPECT_TRUE(qtNameFilters("No pattern").isEmpty());
}

TEST(ProgramStarterAddress, FilesBecomeAbsoluteFileAddresses) {
  const QUrl report = urlForFile("/tmp/out dir/report.txt");
  EXPECT_TRUE(report.isLocalFile());
  EXPECT_EQ(report.toLocalFile(), QStringLiteral("/tmp/out dir/report.txt"));
  EXPECT_TRUE(QDir::isAbsolutePath(urlForFile("report.txt").toLocalFile()));

  const QUrl web = urlForAddress("https://example.org/guide.html#the-indicator");
  EXPECT_EQ(web.scheme(), QStringLiteral("https"));
  EXPECT_EQ(web.fragment(), QStringLiteral("the-indicator"));
  const QUrl help = urlForAddress("file:///opt/sodwright/help/index.html#kolv");
  EXPECT_EQ(help.toLocalFile(), QStringLiteral("/opt/sodwright/help/index.html"));
  EXPECT_EQ(urlForAddress("/opt/help/index.html").toLocalFile(),
            QStringLiteral("/opt/help/index.html"));
}

// Answers the next message box with `button` and records what it showed.
struct BoxSeen {
  QString title, text, detail;
  QMessageBox::StandardButtons buttons;
  QMessageBox::Icon icon;
};
void answerNextBox(QMessageBox::StandardButton button, BoxSeen& seen) {
  QTimer::singleShot(0, [button, &seen] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    ASSERT_NE(box, nullptr);
    seen = {box->windowTitle(), box->text(), box->informativeText(), box->standardButtons(),
            box->icon()};
    box->button(button)->click();
  });
}

TEST(QtMessageBox, ShowsTitleTextAndTheAskedButtons) {
  QtMessageService messages;
  BoxSeen seen;
  answerNextBox(QMessageBox::Cancel, seen);
  EXPECT_EQ(messages.show("Do you really want to Quit the Program", "Quit?",
                          MessageButtons::OkCancel, MessageIcon::None, {}),
            MessageAnswer::Cancel);
  EXPECT_EQ(seen.title, QStringLiteral("Quit?"));
  EXPECT_EQ(seen.text, QStringLiteral("Do you really want to Quit the Program"));
  EXPECT_EQ(seen.buttons, QMessageBox::Ok | QMessageBox::Cancel);
  EXPECT_EQ(seen.icon, QMessageBox::Question);

  answerNextBox(QMessageBox::Ok, seen);
  EXPECT_TRUE(messages.confirm("Sure?", "Note"));

  answerNextBox(QMessageBox::Ok, seen);
  messages.informWithDetail("Grid information wrong, please input them again",
                            "You typed 2. Accepted: a whole number above 3.");
  EXPECT_EQ(seen.title, QStringLiteral("Sodwright"));
  EXPECT_EQ(seen.text, QStringLiteral("Grid information wrong, please input them again"));
  EXPECT_EQ(seen.detail, QStringLiteral("You typed 2. Accepted: a whole number above 3."));
  EXPECT_EQ(seen.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
  EXPECT_EQ(seen.icon, QMessageBox::NoIcon);

  const std::pair<MessageIcon, QMessageBox::Icon> icons[] = {
      {MessageIcon::Information, QMessageBox::Information},
      {MessageIcon::Warning, QMessageBox::Warning},
      {MessageIcon::Critical, QMessageBox::Critical}};
  for (const auto& [asked, shown] : icons) {
    answerNextBox(QMessageBox::Ok, seen);
    messages.inform("You miss all parameters??? Please try again.", "Kiding?", asked);
    EXPECT_EQ(seen.icon, shown);
  }
}

}  // namespace
}  // namespace sodwright::platform
