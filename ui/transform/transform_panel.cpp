#include "ui/transform/transform_panel.h"

#include <QFontDatabase>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QSplitter>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>

#include "reader/fields/angle_text.h"
#include "reader/fields/number_text.h"
#include "ui/common/window_look.h"
#include "ui/common/typing_watch.h"
#include "ui/transform/fit_form.h"
#include "ui/transform/grid_form.h"
#include "ui/transform/projection_form.h"
#include "ui/transform/transform_model.h"

namespace {

// What a row of each job holds, shown in the empty points box.
QString RowsHint(TransformTab tab, bool common) {
  switch (tab) {
    case TransformTab::kGrid:
      return QStringLiteral("每行一点：点名 A B（施工坐标）或 点名 X Y（测量坐标）");
    case TransformTab::kFit:
      return common ? QStringLiteral("公共点，每行一点：点名 x y X Y（源坐标、目标坐标）")
                    : QStringLiteral("待转换的点，每行一点：点名 x y");
    case TransformTab::kProject:
      return QStringLiteral("每行一点：点名 B L（度.分秒）或 点名 X Y");
    case TransformTab::kRezone:
      return QStringLiteral("每行一点：点名 X Y（原带坐标）");
  }
  return {};
}

}  // namespace

CTransformPanel::CTransformPanel(TransformTab tab, QWidget* parent)
    : QWidget(parent),
      m_tab(tab),
      m_typing(new CTypingWatch(this)),
      m_problem(new QLabel(this)),
      m_points(new QPlainTextEdit(this)),
      m_pointsModel(new CTransformModel(this)) {
  auto* column = new QVBoxLayout(this);
  createForms();
  for (CParameterForm* form : m_forms) {
    connect(form, &CParameterForm::changed, this, &CTransformPanel::changed);
    if (m_tab != TransformTab::kRezone) column->addWidget(form);
  }
  if (m_tab == TransformTab::kRezone) {
    const QString titles[] = {QStringLiteral("原坐标系"), QStringLiteral("新坐标系")};
    for (int side = 0; side < 2; ++side) {
      auto* box = new QGroupBox(titles[side], this);
      (new QVBoxLayout(box))->addWidget(m_forms[static_cast<std::size_t>(side)]);
      column->addWidget(box);
    }
  }
  m_problem->setObjectName(QStringLiteral("problem"));
  m_problem->setWordWrap(true);
  column->addWidget(m_problem);
  m_points->setObjectName(QStringLiteral("points"));
  m_points->setPlaceholderText(RowsHint(m_tab, false));
  m_typing->watch(*m_points);
  connect(m_typing, &CTypingWatch::settled, this, &CTransformPanel::changed);
  if (m_tab == TransformTab::kFit) {
    m_common = new QPlainTextEdit(this);
    m_common->setObjectName(QStringLiteral("commonPoints"));
    m_common->setPlaceholderText(RowsHint(m_tab, true));
    m_typing->watch(*m_common);
    m_commonModel = new CTransformModel(this);
    connect(m_commonModel, &CTransformModel::participationChanged, this,
            &CTransformPanel::OnParticipation);
    auto* split = new QSplitter(Qt::Vertical, this);
    split->addWidget(pairOf(m_common, m_commonModel, QStringLiteral("commonTable")));
    split->addWidget(pairOf(m_points, m_pointsModel, QStringLiteral("pointsTable")));
    split->setChildrenCollapsible(false);
    column->addWidget(split, 1);
  } else {
    column->addWidget(pairOf(m_points, m_pointsModel, QStringLiteral("pointsTable")), 1);
  }
}

void CTransformPanel::createForms() {
  using Use = CProjectionForm::Use;
  switch (m_tab) {
    case TransformTab::kGrid:
      m_gridForm = new CGridForm(*m_typing, this);
      m_forms.push_back(m_gridForm);
      break;
    case TransformTab::kFit:
      m_fitForm = new CFitForm(*m_typing, this);
      m_forms.push_back(m_fitForm);
      break;
    case TransformTab::kProject:
      m_forms.push_back(new CProjectionForm(Use::kProject, QStringLiteral("project"), *m_typing, this));
      break;
    case TransformTab::kRezone:
      m_forms.push_back(new CProjectionForm(Use::kRezoneFrom, QStringLiteral("from"), *m_typing, this));
      m_forms.push_back(new CProjectionForm(Use::kRezoneTo, QStringLiteral("to"), *m_typing, this));
      break;
  }
}

// The points' box and their answers side by side.
QWidget* CTransformPanel::pairOf(QPlainTextEdit* editor, CTransformModel* model,
                                 const QString& name) {
  editor->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  editor->setLineWrapMode(QPlainTextEdit::NoWrap);
  auto* table = new QTableView(this);
  table->setObjectName(name);
  table->setFont(WithNarrowPrimes(table->font()));
  table->setModel(model);
  table->setSelectionBehavior(QAbstractItemView::SelectRows);
  table->setWordWrap(false);
  table->setTabKeyNavigation(false);
  table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  table->verticalHeader()->setDefaultSectionSize(table->fontMetrics().height() + 6);
  connect(model, &QAbstractItemModel::modelReset, table, &QTableView::resizeColumnsToContents);
  auto* split = new QSplitter(Qt::Horizontal, this);
  split->addWidget(editor);
  split->addWidget(table);
  split->setStretchFactor(0, 2);
  split->setStretchFactor(1, 3);
  split->setChildrenCollapsible(false);
  return split;
}

QString CTransformPanel::title() const {
  static const QString kTitles[] = {QStringLiteral("施工坐标"), QStringLiteral("四参数"),
                                    QStringLiteral("高斯投影"), QStringLiteral("换带")};
  return kTitles[static_cast<int>(m_tab)];
}

bool CTransformPanel::makeSheet(int decimals, int angleDecimals, TransformSheet& sheet,
                                QString& problem) const {
  sheet = TransformSheet();
  sheet.title = title();
  TransformTask& task = sheet.points;
  task.decimals = decimals;
  task.angleDecimals = angleDecimals;
  for (const CParameterForm* form : m_forms)
    if (!form->fill(task, problem)) return false;
  task.points = m_points->toPlainText().toStdString();
  if (m_fitForm && m_fitForm->fitted()) {
    TransformTask fit = task;
    if (!m_fitForm->fillFit(fit, problem)) return false;
    fit.points = m_common->toPlainText().toStdString();
    fit.leftOut = m_leftOut;
    sheet.fit = std::move(fit);
  }
  return true;
}

void CTransformPanel::showSheet(std::shared_ptr<const TransformSheet> sheet) {
  m_sheet = std::move(sheet);
  if (m_commonModel) m_commonModel->setAnswer(m_sheet->fitAnswer, true);
  m_pointsModel->setAnswer(m_sheet->pointsAnswer, false);
  if (m_fitForm) {
    const bool found = m_sheet->fitAnswer && m_sheet->fitAnswer->fit;
    m_fitForm->showFit(found ? &m_sheet->fitAnswer->fit->parameters : nullptr,
                       m_sheet->points.decimals, m_sheet->points.angleDecimals + 4);
  }
  if (m_gridForm && m_sheet->pointsAnswer)
    m_gridForm->showAzimuth(QString::fromStdString(m_sheet->pointsAnswer->gridAzimuth));
  m_problem->setStyleSheet(QString());
  m_problem->setText(fitLine());
  if (m_sheet->fitAnswer && !m_sheet->fitAnswer->fitProblem.empty())
    showProblem(QString::fromStdString(m_sheet->fitAnswer->fitProblem));
  else if (m_sheet->pointsAnswer && !m_sheet->pointsAnswer->problem.empty())
    showProblem(QString::fromStdString(m_sheet->pointsAnswer->problem));
}

void CTransformPanel::showProblem(const QString& problem) {
  m_problem->setStyleSheet(QStringLiteral("color: %1").arg(ErrorColour().name()));
  m_problem->setText(problem);
}

// "参与 3 点，单位权中误差 ±4.2 mm，1 点超限"; "" without a fit.
QString CTransformPanel::fitLine() const {
  if (!m_sheet || !m_sheet->fitAnswer || !m_sheet->fitAnswer->fit) return {};
  const survey::FourParameterFit& fit = *m_sheet->fitAnswer->fit;
  QString line = QStringLiteral("参与 %1 点").arg(fit.pointsUsed);
  std::string sigma = "无（两点无多余观测）";
  if (fit.sigma0Mm) {
    sigma = "±";
    reading::AppendFixed(sigma, *fit.sigma0Mm, 1);
    sigma += " mm";
  }
  line += QStringLiteral("，单位权中误差 %1").arg(QString::fromStdString(sigma));
  const auto over = std::count_if(fit.residuals.begin(), fit.residuals.end(),
                                  [](const survey::CommonPointResidual& v) { return v.overLimit; });
  if (over > 0) line += QStringLiteral("，%1 点超限").arg(over);
  return line;
}

void CTransformPanel::OnParticipation(int row, bool used) {
  if (!m_sheet || !m_sheet->fitAnswer) return;
  const std::string key = LeftOutKey(m_sheet->fitAnswer->lines[static_cast<std::size_t>(row)]);
  std::erase(m_leftOut, key);
  if (!used) m_leftOut.push_back(key);
  emit changed();
}

void CTransformPanel::flush() { m_typing->flush(); }
