// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Run, "Fit to Measurements...": fits Alpha, Betta, Gamma or the tillage
// depth of the imported transect to a transect measured later, off the
// window's thread (busy pointer, Cancel), then shows the estimates with
// their 95 % intervals and the fit chart; "Use These Values" writes them
// into the parameter set through the parameter boxes' own checks.

#include <atomic>
#include <memory>

#include <QDialog>

#include "base/threads/parallel.h"
#include "kolv/fit/fit_report.h"
#include "platform/app_context.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

namespace sodwright::kolv {

class FitChartView;

class KolvFitWindow : public QDialog {
  Q_OBJECT

 public:
  KolvFitWindow(KolvState& state, platform::AppContext& context, QWidget* parent);
  ~KolvFitWindow() override;

  QLineEdit* measuredFileBox = nullptr;
  QPushButton* browseButton = nullptr;
  QCheckBox* alphaCheck = nullptr;
  QCheckBox* betaCheck = nullptr;
  QCheckBox* gammaCheck = nullptr;
  QCheckBox* tillDepthCheck = nullptr;
  QComboBox* columnList = nullptr;
  QPushButton* fitButton = nullptr;
  QPushButton* cancelButton = nullptr;
  QPushButton* useValuesButton = nullptr;
  QPushButton* helpButton = nullptr;
  QPushButton* closeButton = nullptr;
  QTableWidget* resultTable = nullptr;
  QLabel* summaryLabel = nullptr;
  FitChartView* chart = nullptr;

  bool fitting() const { return task_ != nullptr; }

 signals:
  // The parameter set changed through "Use These Values".
  void valuesUsed();

 public slots:
  void onBrowseClicked();
  void onFitClicked();
  void onCancelClicked();
  void onUseValuesClicked();
  void onHelpClicked();

 private:
  void buildLayout();
  void finishFit();
  void showResult();
  void setFitting(bool on);

  KolvState& state_;
  platform::AppContext& context_;
  // The running fit; its failure comes back through get() in finishFit.
  std::unique_ptr<base::BackgroundTask<FitResult>> task_;
  std::atomic<bool> cancel_{false};
  std::unique_ptr<FitResult> result_;
  FitReportContext reportContext_;
};

}  // namespace sodwright::kolv
