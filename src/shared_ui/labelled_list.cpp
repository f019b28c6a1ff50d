#include "shared_ui/labelled_list.h"

#include <QAccessibleWidget>
#include <QLineEdit>

namespace sodwright::shared_ui {
namespace {

class LabelledListAccessible : public QAccessibleWidget {
 public:
  explicit LabelledListAccessible(QWidget* widget)
      : QAccessibleWidget(widget, QAccessible::ComboBox) {}

  QString text(QAccessible::Text t) const override {
    const auto* list = static_cast<const QComboBox*>(widget());
    if (t == QAccessible::Name && !list->accessibleName().isEmpty()) return list->accessibleName();
    if (t == QAccessible::Value)
      return list->isEditable() ? list->lineEdit()->text() : list->currentText();
    return QAccessibleWidget::text(t);
  }
};

QAccessibleInterface* labelledListFactory(const QString& className, QObject* object) {
  if (className == QLatin1String(LabelledList::staticMetaObject.className()) && object &&
      object->isWidgetType())
    return new LabelledListAccessible(static_cast<QWidget*>(object));
  return nullptr;
}

}  // namespace

LabelledList::LabelledList(QWidget* parent) : QComboBox(parent) {
  static const bool installed = [] {
    QAccessible::installFactory(labelledListFactory);
    return true;
  }();
  (void)installed;
}

}  // namespace sodwright::shared_ui
