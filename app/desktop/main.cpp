// The desktop program. Until the windows are wired, it says so.
#include <QApplication>
#include <QMessageBox>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Sodwright"));
  QMessageBox::information(nullptr, QStringLiteral("Sodwright"),
                           QStringLiteral("The windows of this build are not ready yet."));
  return 0;
}
