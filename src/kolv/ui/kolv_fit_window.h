// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Run, "Fit to Measurements...": fits Alpha, Betta, Gamma or the tillage
// depth of the study the window's "Run KOLV" starts from to a transect
// measured later, through the setup the batch's kolv-fit uses, off the
// window's thread (busy pointer, Cancel). It then shows the estimates, the
// batch's fit report (standard errors, every kind of interval, correlations,
// warnings) and the fit chart, drawn at the chart's own size; "Use These
// Values" writes the estimates into the parameter set through the parameter
// boxes' own checks.

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
class QPlainTextEdit;
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
  QPlainTextEdit* reportBox = nullptr;
  FitChartView* chart = nullptr;

  bool fitting() const { return task_ != nullptr; }
  // The last fit that ran through (null before) and what its report says
  // about the data.
  const FitResult* result() const { return result_.get(); }
  const FitReportContext& reportContext() const { return reportContext_; }

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
