// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The first half of every import: the open dialog with the caller's filter
// (the dialog service keeps the last folder) and, for a text file, the
// delimiter dialog of the hub. The caller hears once what was chosen: the
// path, its kind and, for text, the delimiter. Reading the file is the
// caller's, through the plain import functions of its model.

#include <functional>
#include <string>

#include <QObject>

#include "platform/app_context.h"
#include "platform/import_kind.h"

namespace sodwright::shared_ui {

class WindowHub;

struct ImportChoice {
  std::string path;  // empty: the open dialog was cancelled
  platform::ImportKind kind = platform::ImportKind::Unsupported;
  char delimiter = '\0';  // text files only
  bool cancelled() const { return path.empty(); }
};

// How the delimiter dialog opens: the KOLV import selects "Tab" and puts the
// focus on "OK" each time, the grid import keeps the previous choice. Either
// way a ".csv" file opens it on "Comma" and a ".tsv" file on "Tab".
enum class DelimiterStart { Tab, PreviousChoice };

struct ImportRequest {
  const char* filter;    // the open dialog's
  DelimiterStart start;  // for a text file
  int model;             // the delimiter dialog answers only while this model is active
};

struct ImportAnswer {
  // Called once with the choice: a cancelled dialog, a file that is not
  // text, or a text file with the delimiter the dialog's OK gave.
  std::function<void(const ImportChoice&)> chosen;
  // The delimiter dialog's "Quit": nothing is to be read.
  std::function<void()> delimiterQuit;
};

// Asks for the file. Returns true when a text file waits for the delimiter
// dialog; its answer reaches `answer` only while `receiver` lives, and a
// later request drops an earlier wait.
bool askImportFile(WindowHub& hub, platform::AppContext& context, const ImportRequest& request,
                   QObject* receiver, ImportAnswer answer);

}  // namespace sodwright::shared_ui
