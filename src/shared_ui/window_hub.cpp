// SPDX-License-Identifier: GPL-3.0-or-later
#include "shared_ui/window_hub.h"

#include <string>

#include <QApplication>
#include <QRadioButton>
#include <QWidget>

#include "shared_ui/data_viewer.h"
#include "shared_ui/delimiter_dialog.h"
#include "shared_ui/introduction_window.h"
#include "shared_ui/model_chooser.h"
#include "shared_ui/startup_window.h"
#include "shared_ui/viewer_table_model.h"

namespace sodwright::shared_ui {

namespace {
std::string modelName(std::int16_t model) {
  switch (model) {
    case platform::kKolv:
      return "KOLV";
    case platform::kNibal:
      return "NIBAL";
    case platform::kBando:
      return "BANDO";
    default:
      return "This";
  }
}
}  // namespace

WindowHub::WindowHub(platform::AppContext& context, QObject* parent)
    : QObject(parent), context_(context) {}

WindowHub::~WindowHub() {
  quitting_ = true;  // no chooser comes back while the windows go
  delete modelWindow_.data();
  for (const QPointer<QWidget>& window : hiddenModelWindows_) delete window.data();
  for (auto& [key, window] : keptWindows_) delete window.data();
  delete viewer_.data();
  delete chooser_.data();
  delete intro_.data();
  delete startup_.data();
  delete delimiter_;
}

QWidget* WindowHub::modelWindow() const { return modelWindow_; }
StartupWindow* WindowHub::startupWindow() const { return startup_; }
ModelChooser* WindowHub::chooser() const { return chooser_; }
IntroductionWindow* WindowHub::introWindow() const { return intro_; }
DataViewer* WindowHub::dataViewer() const { return viewer_; }

void WindowHub::setModelWindowFactory(std::int16_t model, WindowFactory factory) {
  windowFactories_[model] = std::move(factory);
}

QWidget* WindowHub::openModel(std::int16_t model) {
  const auto found = windowFactories_.find(model);
  if (found == windowFactories_.end() || !found->second) {
    context_.messages.inform(modelName(model) +
                             " model is not available yet in this version of the program.");
    return nullptr;
  }
  context_.activeModel = model;
  // One model window shown at a time: an older one that is still shown goes
  // without bringing the chooser back; one its Quit hid is kept for its
  // factory to hand out again.
  if (modelWindow_) {
    QWidget* old = modelWindow_;
    modelWindow_ = nullptr;
    old->disconnect(this);
    if (old->isVisible()) {
      delete old;
    } else if (!hiddenModelWindows_.contains(old)) {
      hiddenModelWindows_.append(old);
    }
  }
  QWidget* window = found->second();
  if (!window) return nullptr;
  hiddenModelWindows_.removeAll(window);
  hiddenModelWindows_.removeAll(nullptr);
  window->setAttribute(Qt::WA_DeleteOnClose);
  modelWindow_ = window;
  connect(window, &QObject::destroyed, this, &WindowHub::onModelWindowGone);
  window->setEnabled(true);
  window->show();
  window->raise();
  window->activateWindow();
  // Shown before the chooser closes, so the program never runs out of windows.
  if (chooser_) chooser_->close();
  return window;
}

QWidget* WindowHub::keptWindow(const QString& key, const std::function<QWidget*()>& make) {
  QPointer<QWidget>& window = keptWindows_[key];
  if (!window) window = make();
  return window;
}

void WindowHub::onModelWindowGone() {
  if (quitting_) return;
  // A Quit button that already brought a chooser back keeps that one.
  if (chooser_ && chooser_->isVisible()) return;
  showChooser();
}

void WindowHub::showStartupWindow(bool withTimer) {
  if (!startup_) {
    startup_ = new StartupWindow;
    connect(startup_, &StartupWindow::timerElapsed, this, [this] {
      // The chooser first, then the start-up window goes.
      showChooser();
      if (startup_) {
        startup_->hide();
        startup_->close();
      }
    });
    // Closed by the user while it waits: the way into the program stays open.
    connect(startup_, &StartupWindow::closedBeforeTimer, this, &WindowHub::showChooser);
  }
  if (withTimer) {
    startup_->closeTimer->start();
  } else {
    startup_->closeTimer->stop();
  }
  startup_->show();
  startup_->raise();
}

void WindowHub::closeStartupWindow() {
  if (!startup_) return;
  startup_->closeTimer->stop();
  startup_->close();
}

void WindowHub::showChooser() {
  if (chooser_) {
    // Loaded afresh from its definition: the old one goes first.
    ModelChooser* old = chooser_;
    chooser_ = nullptr;
    delete old;
  }
  chooser_ = new ModelChooser(*this);
  chooser_->setEnabled(true);
  chooser_->show();
  chooser_->raise();
  chooser_->activateWindow();
  chooser_->kolvOption->setFocus();
}

void WindowHub::showIntroduction() {
  if (!intro_) intro_ = new IntroductionWindow;
  intro_->show();
  intro_->raise();
}

void WindowHub::setQuitHandler(std::function<void()> handler) { quitHandler_ = std::move(handler); }

void WindowHub::quitProgram() {
  quitting_ = true;
  // At once: nothing is asked, nothing is saved.
  for (QWidget* window : QApplication::topLevelWidgets()) window->hide();
  if (quitHandler_) {
    quitHandler_();
  } else {
    QCoreApplication::exit(0);
  }
}

DelimiterDialog& WindowHub::delimiterDialog() {
  if (!delimiter_) delimiter_ = new DelimiterDialog(context_);
  return *delimiter_;
}

void WindowHub::setViewerModelFactory(std::int16_t model, ViewerModelFactory factory) {
  viewerFactories_[model] = std::move(factory);
}

DataViewer* WindowHub::showDataViewer() {
  if (viewer_) {
    viewer_->show();
    viewer_->raise();
    return viewer_;
  }
  ViewerTableModel* table = nullptr;
  const auto found = viewerFactories_.find(context_.activeModel);
  if (found != viewerFactories_.end() && found->second) table = found->second();
  if (!table) table = new EmptyViewerTableModel;
  viewer_ = new DataViewer(table);
  connect(viewer_, &DataViewer::closed, this, [this] {
    viewer_ = nullptr;  // unloaded: the next showing fills a new table
    emit dataViewerClosed();
  });
  context_.busy.closeNote();
  viewer_->show();
  viewer_->raise();
  return viewer_;
}

void WindowHub::closeDataViewer() {
  if (!viewer_) return;
  DataViewer* viewer = viewer_;
  viewer->hide();
  viewer->clearGrid();
  viewer->close();
  viewer_ = nullptr;
}

}  // namespace sodwright::shared_ui
