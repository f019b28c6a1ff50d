// SPDX-License-Identifier: GPL-3.0-or-later
#include "shared_ui/import_file_request.h"

#include <memory>

#include <QPointer>

#include "platform/file_dialog.h"
#include "shared_ui/delimiter_dialog.h"
#include "shared_ui/window_hub.h"

namespace sodwright::shared_ui {
namespace {

const QString kWaitName = QStringLiteral("importDelimiterWait");

}  // namespace

bool askImportFile(WindowHub& hub, platform::AppContext& context, const ImportRequest& request,
                   QObject* receiver, ImportAnswer answer) {
  DelimiterDialog& dialog = hub.delimiterDialog();
  // The dialog answers only the latest request.
  for (QObject* wait : dialog.findChildren<QObject*>(kWaitName, Qt::FindDirectChildrenOnly))
    delete wait;

  ImportChoice choice;
  choice.path = context.fileDialogs.askOpenFileName(request.filter);
  if (!choice.cancelled()) choice.kind = platform::importKindOf(choice.path);
  if (choice.cancelled() || choice.kind != platform::ImportKind::Text) {
    answer.chosen(choice);
    return false;
  }

  // Lives as long as the wait: the dialog's first answer ends it, so each
  // connection below fires at most once.
  auto* wait = new QObject(&dialog);
  wait->setObjectName(kWaitName);
  auto shared = std::make_shared<ImportAnswer>(std::move(answer));
  const QPointer<QObject> alive(receiver);
  const int model = request.model;
  const auto answerable = [&context, &dialog, wait, alive, model] {
    QObject::disconnect(&dialog, nullptr, wait, nullptr);
    wait->deleteLater();
    return !alive.isNull() && context.activeModel == model;
  };
  QObject::connect(&dialog, &DelimiterDialog::delimiterChosen, wait,
                   [answerable, shared, choice](char delimiter) {
                     if (!answerable()) return;
                     ImportChoice text = choice;
                     text.delimiter = delimiter;
                     shared->chosen(text);
                   });
  QObject::connect(&dialog, &DelimiterDialog::quitPressed, wait, [answerable, shared] {
    if (answerable()) shared->delimiterQuit();
  });
  if (request.start == DelimiterStart::Tab) {
    dialog.showForKolvImport(choice.path);
  } else {
    dialog.showKeepingChoice(choice.path);
  }
  return true;
}

}  // namespace sodwright::shared_ui
