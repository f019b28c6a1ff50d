// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The one object every model window receives to reach the shared windows:
// the start-up window, the model chooser, the delimiter dialog, the data
// viewer and the "Be Patient" note, together with the AppContext
// (ActiveModel and the platform services).
//
// Model windows are registered by the program's main as factories; the
// chooser's OK opens one through openModel(). The hub gives each model
// window Qt::WA_DeleteOnClose and shows a fresh chooser once the window has
// closed, so a model window needs no close handler of its own for that.
// Quit buttons of model windows call showChooser() and close themselves
// (the chooser is only made once for both), or only hide themselves: a
// hidden model window stays for its factory to hand out again, and goes
// with the hub.

#include <cstdint>
#include <functional>
#include <map>

#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>

#include "platform/app_context.h"

class QWidget;

namespace sodwright::shared_ui {

class ModelChooser;
class IntroductionWindow;
class DataViewer;
class StartupWindow;
class DelimiterDialog;
class ViewerTableModel;

class WindowHub : public QObject {
  Q_OBJECT

 public:
  using WindowFactory = std::function<QWidget*()>;
  using ViewerModelFactory = std::function<ViewerTableModel*()>;

  explicit WindowHub(platform::AppContext& context, QObject* parent = nullptr);
  ~WindowHub() override;

  platform::AppContext& context() { return context_; }

  // --- model windows -------------------------------------------------------
  // A factory makes a new, not yet shown main window of one model (for
  // BANDO it also rebuilds the lookup tables). Without a factory the model
  // answers with a "not available yet" message.
  void setModelWindowFactory(std::int16_t model, WindowFactory factory);
  // Sets ActiveModel, makes and shows the model's main window and closes the
  // chooser. Returns the window, or null when the model is not available.
  QWidget* openModel(std::int16_t model);
  // The open main window of the active model, if any.
  QWidget* modelWindow() const;

  // A window that lives until the program ends, made by `make` on first use
  // and handed out again afterwards (only hidden and shown meanwhile), so
  // that what the user typed stays. Deleted with the hub, or by its close box.
  QWidget* keptWindow(const QString& key, const std::function<QWidget*()>& make);

  // --- start-up window and chooser -----------------------------------------
  // The start-up window "Welcome!". With its timer it closes itself after
  // 1500 ms and shows the chooser; without (from "&Copyright") it stays
  // until the user closes it. An open one is reused.
  void showStartupWindow(bool withTimer);
  // Stops the timer and closes the start-up window if it is open.
  void closeStartupWindow();
  StartupWindow* startupWindow() const;

  // A chooser loaded afresh (an open one is replaced), shown and enabled.
  void showChooser();
  ModelChooser* chooser() const;
  IntroductionWindow* introWindow() const;
  // One introduction window however often it is asked for.
  void showIntroduction();

  // Ends the program at once: every window is hidden, nothing is asked,
  // and the event loop ends (or the handler set for tests runs instead).
  void quitProgram();
  bool quitting() const { return quitting_; }
  void setQuitHandler(std::function<void()> handler);

  // --- delimiter dialog ----------------------------------------------------
  // One instance for the whole run, made on first use and only hidden after
  // OK or Quit, so it keeps the previous choice. The window that opened it
  // connects to its delimiterChosen(char) / quitPressed() signals.
  DelimiterDialog& delimiterDialog();

  // --- data viewer ---------------------------------------------------------
  // The table of one model, made afresh each time the viewer is loaded.
  void setViewerModelFactory(std::int16_t model, ViewerModelFactory factory);
  // Loads the viewer for ActiveModel and shows it (an empty table for a
  // model without data or without a factory), or brings an open viewer to
  // the front without refilling it. Loading closes the "Be Patient" note.
  DataViewer* showDataViewer();
  // Hides the viewer, clears its table and closes it (no-op when closed).
  void closeDataViewer();
  DataViewer* dataViewer() const;

 signals:
  // The viewer was closed, by the user or by closeDataViewer().
  void dataViewerClosed();

 private:
  void onModelWindowGone();

  platform::AppContext& context_;
  std::map<std::int16_t, WindowFactory> windowFactories_;
  std::map<std::int16_t, ViewerModelFactory> viewerFactories_;
  QPointer<QWidget> modelWindow_;
  QList<QPointer<QWidget>> hiddenModelWindows_;  // quit, kept for their next visit
  std::map<QString, QPointer<QWidget>> keptWindows_;
  QPointer<StartupWindow> startup_;
  QPointer<ModelChooser> chooser_;
  QPointer<IntroductionWindow> intro_;
  QPointer<DataViewer> viewer_;
  DelimiterDialog* delimiter_ = nullptr;  // owned; top-level, deleted with the hub
  std::function<void()> quitHandler_;
  bool quitting_ = false;
};

}  // namespace sodwright::shared_ui
