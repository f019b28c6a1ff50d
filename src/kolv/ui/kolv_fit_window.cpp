// SPDX-License-Identifier: GPL-3.0-or-later
#include "kolv/ui/kolv_fit_window.h"

#include <functional>

#include <QCheckBox>
#include <QComboBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSplitter>
#include <QTableWidget>
#include <QVBoxLayout>

#include "base/number_text.h"
#include "kolv/fit/fit_figure.h"
#include "kolv/fit/fit_solver.h"
#include "kolv/parameter_checks.h"
#include "kolv/parameter_table.h"
#include "kolv/ui/kolv_help.h"
#include "platform/figures/figure_painter.h"
#include "platform/import_kind.h"
#include "platform/qt/figure_actions.h"

namespace sodwright::kolv {

// The fit chart: the figure the batch writes, made afresh at the widget's
// size whenever that changes. The figure's units are pixels at 96 dpi, so
// it is made at the widget's size in those units and drawn scaled by the
// screen's dots per inch: its text keeps its size on any screen and its
// plots take the room the window gives. Below the least size the figure's
// layout needs, the figure is drawn smaller instead. Its right-click menu
// saves, copies and prints it as the other figures.
class FitChartView : public QWidget {
 public:
  using FigureMaker = std::function<platform::Figure(double width, double height)>;
  static constexpr double kLeastWidth = 480, kLeastHeight = 340;

  explicit FitChartView(QWidget* parent) : QWidget(parent) {
    setMinimumSize(static_cast<int>(kLeastWidth), static_cast<int>(kLeastHeight));
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    setAccessibleName(QStringLiteral("Fit chart"));
    setContextMenuPolicy(Qt::ActionsContextMenu);
    platform::addFigureMenu(
        this, [this] { return figure_; }, QStringLiteral("kolv-fit.png"));
  }
  void setFigureMaker(FigureMaker make) {
    make_ = std::move(make);
    remake();
  }
  const platform::Figure& figure() const { return figure_; }
  // Figure units per widget pixel.
  double unitScale() const { return logicalDpiY() > 0 ? logicalDpiY() / 96.0 : 1.0; }

 protected:
  void resizeEvent(QResizeEvent*) override { remake(); }
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    if (figure_.ops.empty()) return;
    const double scale = std::min(width() / figure_.width, height() / figure_.height);
    platform::paintFigure(painter, figure_,
                          QRectF(0, 0, figure_.width * scale, figure_.height * scale));
  }

 private:
  void remake() {
    if (!make_) return;
    const double units = unitScale();
    figure_ =
        make_(std::max(kLeastWidth, width() / units), std::max(kLeastHeight, height() / units));
    update();
  }

  FigureMaker make_;
  platform::Figure figure_;
};

namespace {

struct ColumnItem {
  const char* text;
  FitColumn column;
};
constexpr ColumnItem kColumnItems[] = {
    {"Elevation", FitColumn::Elevation},
    {"PL1 (layer 1 concentration)", FitColumn::Pl1},
    {"PL2 (layer 2 concentration)", FitColumn::Pl2},
    {"PL3 (layer 3 concentration)", FitColumn::Pl3},
    {"Upper-layer mass", FitColumn::UpperMass},
    {"Total mass", FitColumn::TotalMass},
};

QString num(double value) { return QString::fromStdString(base::generalText(value, 6)); }

}  // namespace

KolvFitWindow::KolvFitWindow(KolvState& state, platform::AppContext& context, QWidget* parent)
    : QDialog(parent), state_(state), context_(context) {
  setObjectName(QStringLiteral("FrmKOLVFit"));
  setWindowTitle(QStringLiteral("Fit to Measurements"));
  buildLayout();
  connect(browseButton, &QPushButton::clicked, this, &KolvFitWindow::onBrowseClicked);
  connect(fitButton, &QPushButton::clicked, this, &KolvFitWindow::onFitClicked);
  connect(cancelButton, &QPushButton::clicked, this, &KolvFitWindow::onCancelClicked);
  connect(useValuesButton, &QPushButton::clicked, this, &KolvFitWindow::onUseValuesClicked);
  connect(helpButton, &QPushButton::clicked, this, &KolvFitWindow::onHelpClicked);
  connect(closeButton, &QPushButton::clicked, this, &QDialog::close);
}

KolvFitWindow::~KolvFitWindow() {
  cancel_ = true;
  task_.reset();  // waits for the fit to end
}

void KolvFitWindow::buildLayout() {
  auto* layout = new QVBoxLayout(this);
  auto* fileRow = new QHBoxLayout;
  auto* fileLabel = new QLabel(QStringLiteral("&Measured file:"), this);
  measuredFileBox = new QLineEdit(this);
  measuredFileBox->setObjectName(QStringLiteral("TxtFitFile"));
  fileLabel->setBuddy(measuredFileBox);
  browseButton = new QPushButton(QStringLiteral("B&rowse..."), this);
  browseButton->setObjectName(QStringLiteral("CmdFitBrowse"));
  fileRow->addWidget(fileLabel);
  fileRow->addWidget(measuredFileBox, 1);
  fileRow->addWidget(browseButton);
  layout->addLayout(fileRow);

  auto* choices = new QHBoxLayout;
  auto* parameters = new QGroupBox(QStringLiteral("Parameters to fit"), this);
  auto* parameterGrid = new QGridLayout(parameters);
  alphaCheck = new QCheckBox(QStringLiteral("Al&pha"), parameters);
  alphaCheck->setObjectName(QStringLiteral("ChkFitAlpha"));
  betaCheck = new QCheckBox(QStringLiteral("Be&tta"), parameters);
  betaCheck->setObjectName(QStringLiteral("ChkFitBetta"));
  gammaCheck = new QCheckBox(QStringLiteral("&Gamma"), parameters);
  gammaCheck->setObjectName(QStringLiteral("ChkFitGamma"));
  tillDepthCheck = new QCheckBox(QStringLiteral("Tillage &Depth"), parameters);
  tillDepthCheck->setObjectName(QStringLiteral("ChkFitTillDepth"));
  parameterGrid->addWidget(alphaCheck, 0, 0);
  parameterGrid->addWidget(betaCheck, 0, 1);
  parameterGrid->addWidget(gammaCheck, 1, 0);
  parameterGrid->addWidget(tillDepthCheck, 1, 1);
  choices->addWidget(parameters);
  auto* columnBox = new QVBoxLayout;
  auto* columnLabel = new QLabel(QStringLiteral("&Compare:"), this);
  columnList = new QComboBox(this);
  columnList->setObjectName(QStringLiteral("CboFitColumn"));
  for (const ColumnItem& item : kColumnItems) columnList->addItem(QString::fromLatin1(item.text));
  columnLabel->setBuddy(columnList);
  columnBox->addWidget(columnLabel);
  columnBox->addWidget(columnList);
  columnBox->addStretch();
  choices->addLayout(columnBox);
  layout->addLayout(choices);

  auto* buttons = new QHBoxLayout;
  fitButton = new QPushButton(QStringLiteral("&Fit"), this);
  fitButton->setObjectName(QStringLiteral("CmdFit"));
  fitButton->setDefault(true);
  cancelButton = new QPushButton(QStringLiteral("Cancel"), this);
  cancelButton->setObjectName(QStringLiteral("CmdFitCancel"));
  cancelButton->setEnabled(false);
  useValuesButton = new QPushButton(QStringLiteral("&Use These Values"), this);
  useValuesButton->setObjectName(QStringLiteral("CmdFitUseValues"));
  useValuesButton->setEnabled(false);
  helpButton = new QPushButton(QStringLiteral("&Help"), this);
  helpButton->setObjectName(QStringLiteral("CmdFitHelp"));
  closeButton = new QPushButton(QStringLiteral("Clo&se"), this);
  closeButton->setObjectName(QStringLiteral("CmdFitClose"));
  for (QPushButton* b : {fitButton, cancelButton, useValuesButton}) buttons->addWidget(b);
  buttons->addStretch();
  buttons->addWidget(helpButton);
  buttons->addWidget(closeButton);
  layout->addLayout(buttons);

  resultTable = new QTableWidget(0, 4, this);
  resultTable->setObjectName(QStringLiteral("GrdFitResults"));
  resultTable->setAccessibleName(QStringLiteral("Fitted values"));
  resultTable->setHorizontalHeaderLabels({QStringLiteral("Parameter"), QStringLiteral("Value"),
                                          QStringLiteral("Std. error"),
                                          QStringLiteral("95 % interval")});
  resultTable->verticalHeader()->hide();
  resultTable->horizontalHeader()->setStretchLastSection(true);
  resultTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
  resultTable->setMaximumHeight(120);
  layout->addWidget(resultTable);
  summaryLabel = new QLabel(this);
  summaryLabel->setObjectName(QStringLiteral("LblFitSummary"));
  summaryLabel->setWordWrap(true);
  layout->addWidget(summaryLabel);
  // The batch's report above the chart: standard errors, every interval the
  // fit gives, correlations and warnings, in the report's own words.
  auto* split = new QSplitter(Qt::Vertical, this);
  auto* reportSide = new QWidget(split);
  auto* reportLayout = new QVBoxLayout(reportSide);
  reportLayout->setContentsMargins(0, 0, 0, 0);
  auto* reportLabel = new QLabel(QStringLiteral("Fit &report:"), reportSide);
  reportBox = new QPlainTextEdit(reportSide);
  reportBox->setObjectName(QStringLiteral("TxtFitReport"));
  reportBox->setReadOnly(true);
  reportBox->setLineWrapMode(QPlainTextEdit::WidgetWidth);
  reportBox->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  reportLabel->setBuddy(reportBox);
  reportLayout->addWidget(reportLabel);
  reportLayout->addWidget(reportBox, 1);
  chart = new FitChartView(split);
  split->addWidget(reportSide);
  split->addWidget(chart);
  split->setStretchFactor(0, 1);
  split->setStretchFactor(1, 2);
  layout->addWidget(split, 1);
  resize(1100, 960);
  setTabOrder(measuredFileBox, browseButton);
}

void KolvFitWindow::onBrowseClicked() {
  const std::string name =
      context_.fileDialogs.askOpenFileName("Transect files(*.txt;*.dat;*.csv;*.tsv)");
  if (!name.empty()) measuredFileBox->setText(QString::fromStdString(name));
}

void KolvFitWindow::onFitClicked() {
  if (fitting()) return;
  std::vector<std::string> names;
  if (alphaCheck->isChecked()) names.emplace_back("alpha");
  if (betaCheck->isChecked()) names.emplace_back("beta");
  if (gammaCheck->isChecked()) names.emplace_back("gamma");
  if (tillDepthCheck->isChecked()) names.emplace_back("till-depth");
  const FitColumn column = kColumnItems[std::max(0, columnList->currentIndex())].column;
  const std::string path = measuredFileBox->text().toStdString();
  if (path.empty()) {
    context_.messages.inform("Choose the measured file first.");
    return;
  }
  auto prepared = prepareFitFromText(state_, path, platform::presetDelimiterOf(path).value_or('\t'),
                                     names, column);
  if (!prepared) {
    // Nothing changes: the message says why.
    context_.messages.inform(prepared.message());
    return;
  }
  reportContext_ = {};
  reportContext_.observedName = path;
  reportContext_.column = column;
  reportContext_.substanceUnit = state_.data.SubstanceUnit;
  reportContext_.startSequence = state_.params.StartSeq;
  reportContext_.observedSequence = prepared->observed.sequence;
  reportContext_.points = state_.params.NodeCount;
  cancel_ = false;
  setFitting(true);
  auto job = std::make_shared<PreparedFit>(std::move(*prepared));
  task_ = std::make_unique<base::BackgroundTask<FitResult>>(
      [this, job] {
        FitOptions options;
        options.cancel = &cancel_;
        return fitStudy(job->study, job->setup, job->observed, options);
      },
      [this] {
        QMetaObject::invokeMethod(
            this, [this] { finishFit(); }, Qt::QueuedConnection);
      });
}

void KolvFitWindow::onCancelClicked() { cancel_ = true; }

void KolvFitWindow::setFitting(bool on) {
  context_.busy.setBusyPointer(on);
  fitButton->setEnabled(!on);
  cancelButton->setEnabled(on);
  if (on) useValuesButton->setEnabled(false);
}

void KolvFitWindow::finishFit() {
  if (!task_) return;
  std::unique_ptr<FitResult> result;
  std::string failure;
  try {
    result = std::make_unique<FitResult>(task_->get());
  } catch (const std::exception& e) {
    failure = e.what();
  } catch (...) {
    failure = "unknown error";
  }
  task_.reset();
  setFitting(false);
  if (!result) {
    context_.messages.inform("The fit failed: " + failure);
    return;
  }
  if (result->cancelled) {
    summaryLabel->setText(QStringLiteral("The fit was cancelled; nothing changed."));
    return;
  }
  result_ = std::move(result);
  showResult();
  useValuesButton->setEnabled(true);
}

void KolvFitWindow::showResult() {
  const FitResult& r = *result_;
  resultTable->setRowCount(static_cast<int>(r.parameters.size()));
  for (int row = 0; row < resultTable->rowCount(); ++row) {
    const FittedParameter& f = r.parameters[static_cast<std::size_t>(row)];
    const QString label =
        QString::fromLatin1(fitParameterLabel(f.parameter).data(),
                            static_cast<int>(fitParameterLabel(f.parameter).size()));
    const bool known = f.determined || f.stdError > 0.0;
    const QStringList cells{label, num(f.value),
                            known ? num(f.stdError) : QStringLiteral("not determined"),
                            known ? num(f.low) + QStringLiteral(" to ") + num(f.high) : QString()};
    for (int c = 0; c < cells.size(); ++c)
      resultTable->setItem(row, c, new QTableWidgetItem(cells[c]));
  }
  resultTable->resizeColumnsToContents();
  QString summary = QString::fromStdString(r.stopReason) + QStringLiteral("; RMSE ") + num(r.rmse) +
                    QStringLiteral(" over ") + QString::number(r.nodes) +
                    QStringLiteral(" points; ") + QString::number(r.runs) +
                    QStringLiteral(" model runs.");
  for (const std::string& w : r.warnings)
    summary += QStringLiteral("\n") + QString::fromStdString(w);
  summaryLabel->setText(summary);
  reportBox->setPlainText(QString::fromStdString(fitReportText(r, reportContext_)));
  chart->setFigureMaker([result = r, context = reportContext_](double width, double height) {
    return fitFigure(result, context, platform::qtTextWidth, width, height);
  });
}

void KolvFitWindow::onUseValuesClicked() {
  if (!result_) return;
  for (const FittedParameter& f : result_->parameters) {
    const std::string text = parameterValueText(f.parameter, f.value);
    if (const CheckResult taken = kolvParameter(f.parameter).check(state_, text); !taken)
      context_.messages.inform(taken.message());
  }
  emit valuesUsed();
}

void KolvFitWindow::onHelpClicked() {
  std::string address = kolvHelpAddress();
  address = address.substr(0, address.rfind('#')) + "#fitting";
  context_.programs.openWebAddress(address);
}

}  // namespace sodwright::kolv
