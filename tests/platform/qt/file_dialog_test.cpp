// SPDX-License-Identifier: GPL-3.0-or-later
// The file dialogs as the user meets them: the filter shown, a chosen file's
// full path, and cancel giving an empty name.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QTemporaryDir>
#include <QTimer>

#include "platform/qt/qt_file_dialog_service.h"

namespace sodwright::platform {
namespace {

struct DialogSeen {
  QStringList nameFilters;
  bool seen = false;
};

// Answers the next file dialog: accepts `fileName` in `directory`, or cancels
// when `fileName` is empty.
void answerNextDialog(const QString& directory, const QString& fileName, DialogSeen& seen) {
  QTimer::singleShot(0, [=, &seen] {
    auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    seen.seen = true;
    seen.nameFilters = dialog->nameFilters();
    if (fileName.isEmpty()) {
      dialog->reject();
      return;
    }
    dialog->setDirectory(directory);
    dialog->selectFile(fileName);
    QMetaObject::invokeMethod(dialog, "accept");  // the slot is protected in QFileDialog
  });
}

class FileDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(folder.isValid());
    QFile file(folder.filePath(QStringLiteral("Hill.TXT")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  }
  QTemporaryDir folder;
  QtFileDialogService dialogs;
  DialogSeen seen;
};

TEST_F(FileDialogTest, OpenGivesTheFullPathOfTheChosenFile) {
  answerNextDialog(folder.path(), QStringLiteral("Hill.TXT"), seen);
  const std::string name = dialogs.askOpenFileName(kImportFilter);
  ASSERT_TRUE(seen.seen);
  EXPECT_EQ(seen.nameFilters, qtNameFilters(kImportFilter));
  EXPECT_EQ(name, QDir(folder.path()).filePath(QStringLiteral("Hill.TXT")).toStdString());
}

TEST_F(FileDialogTest, CancelGivesAnEmptyName) {
  answerNextDialog({}, {}, seen);
  EXPECT_EQ(dialogs.askOpenFileName(kImportFilter), "");
  ASSERT_TRUE(seen.seen);
  answerNextDialog({}, {}, seen);
  EXPECT_EQ(dialogs.askSaveFileName(kReportFilter), "");
}

TEST_F(FileDialogTest, SaveTakesANewName) {
  answerNextDialog(folder.path(), QStringLiteral("report.txt"), seen);
  const std::string name = dialogs.askSaveFileName(kReportFilter);
  EXPECT_EQ(seen.nameFilters, qtNameFilters(kReportFilter));
  EXPECT_EQ(name, QDir(folder.path()).filePath(QStringLiteral("report.txt")).toStdString());
}

}  // namespace
}  // namespace sodwright::platform
