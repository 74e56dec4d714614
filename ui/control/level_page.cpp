#include "ui/control/level_page.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSplitter>
#include <QTableView>
#include <QVBoxLayout>

#include "ui/common/job_runner.h"
#include "ui/common/text_table.h"
#include "ui/control/control_look.h"
#include "ui/control/observation_table.h"
#include "ui/common/typing_watch.h"

namespace {

using survey::LevelKind;

const QStringList kGrades = {QStringLiteral("等外"), QStringLiteral("四等"), QStringLiteral("三等"),
                             QStringLiteral("自定")};

QStringList observationTitles(bool km) {
  return {QStringLiteral("点名"), QStringLiteral("高差 m"),
          km ? QStringLiteral("距离 km") : QStringLiteral("测站数")};
}

}  // namespace

CLevelPage::CLevelPage(QWidget* parent)
    : QWidget(parent),
      m_model(new CTextTableModel(this)),
      m_watch(new CTypingWatch(this)),
      m_computer(new CJobRunner(this)) {
  auto* column = new QVBoxLayout(this);
  column->addWidget(createSetup());
  m_rows = new CObservationTable(observationTitles(true), this);
  m_rows->setObjectName(QStringLiteral("levelObservations"));
  m_rows->setToolTip(QStringLiteral("每行一个测段：测段终点的点名、观测高差、距离（km）或测站数；"
                                    "支水准先往测到终点，再返测回起点"));
  m_table = ComputationView(m_model, QStringLiteral("levelTable"), this);
  auto* split = new QSplitter(Qt::Horizontal, this);
  split->addWidget(m_rows);
  split->addWidget(m_table);
  split->setStretchFactor(0, 2);
  split->setStretchFactor(1, 3);
  split->setSizes({420, 640});
  split->setChildrenCollapsible(false);
  column->addWidget(split, 1);
  m_closures = new QLabel(this);
  m_closures->setObjectName(QStringLiteral("levelClosures"));
  m_closures->setTextFormat(Qt::RichText);
  m_closures->setTextInteractionFlags(Qt::TextSelectableByMouse);
  m_closures->setMinimumHeight(m_closures->fontMetrics().height() * 2);
  m_closures->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  column->addWidget(m_closures);
  connect(m_rows, &CObservationTable::changed, this, &CLevelPage::compute);
  connect(m_watch, &CTypingWatch::settled, this, &CLevelPage::compute);
  enableFields();
  compute();
}

CLevelPage::~CLevelPage() {
  for (QObject* child : findChildren<QObject*>()) child->disconnect(this);
}

QWidget* CLevelPage::createSetup() {
  auto* box = new QWidget(this);
  auto* grid = new QGridLayout(box);
  grid->setContentsMargins(0, 0, 0, 0);
  m_kind = new QComboBox(box);
  m_kind->setObjectName(QStringLiteral("levelKind"));
  for (LevelKind kind : {LevelKind::kAttached, LevelKind::kClosed, LevelKind::kOutAndBack})
    m_kind->addItem(LevelKindName(kind), int(kind));
  m_count = new QComboBox(box);
  m_count->setObjectName(QStringLiteral("levelCount"));
  m_count->addItem(QStringLiteral("按距离"), int(survey::LevelCount::kLength));
  m_count->addItem(QStringLiteral("按测站数"), int(survey::LevelCount::kStations));
  m_grade = new QComboBox(box);
  m_grade->setObjectName(QStringLiteral("levelGrade"));
  m_grade->addItems(kGrades);
  m_limit = new QLineEdit(QStringLiteral("40"), box);
  m_limit->setObjectName(QStringLiteral("levelLimit"));
  m_startName = new QLineEdit(box);
  m_startName->setObjectName(QStringLiteral("levelStartName"));
  m_startHeight = new QLineEdit(box);
  m_startHeight->setObjectName(QStringLiteral("levelStartHeight"));
  m_endName = new QLineEdit(box);
  m_endName->setObjectName(QStringLiteral("levelEndName"));
  m_endHeight = new QLineEdit(box);
  m_endHeight->setObjectName(QStringLiteral("levelEndHeight"));
  const auto labelled = [&](const QString& text, QWidget* field, int row, int column) {
    auto* label = new QLabel(text, box);
    label->setBuddy(field);
    grid->addWidget(label, row, column);
    grid->addWidget(field, row, column + 1);
  };
  labelled(QStringLiteral("路线类型(&K)"), m_kind, 0, 0);
  labelled(QStringLiteral("改正按(&C)"), m_count, 0, 2);
  labelled(QStringLiteral("等级(&G)"), m_grade, 0, 4);
  labelled(QStringLiteral("限差 ±k√L 或 ±k√n mm，k"), m_limit, 0, 6);
  labelled(QStringLiteral("起点(&S)"), m_startName, 1, 0);
  labelled(QStringLiteral("高程 m"), m_startHeight, 1, 2);
  labelled(QStringLiteral("终点(&E)"), m_endName, 1, 4);
  labelled(QStringLiteral("高程 m"), m_endHeight, 1, 6);
  grid->setColumnStretch(8, 1);
  for (QLineEdit* edit : {m_limit, m_startName, m_startHeight, m_endName, m_endHeight}) {
    m_watch->watch(*edit);
    connect(edit, &QLineEdit::editingFinished, m_watch, &CTypingWatch::flush);
  }
  for (QComboBox* combo : {m_kind, m_count, m_grade})
    connect(combo, &QComboBox::currentIndexChanged, this, [this] {
      enableFields();
      compute();
    });
  return box;
}

void CLevelPage::enableFields() {
  const auto kind = LevelKind(m_kind->currentData().toInt());
  m_endName->setEnabled(kind != LevelKind::kClosed);
  m_endHeight->setEnabled(kind == LevelKind::kAttached);
  m_endName->setToolTip(kind == LevelKind::kOutAndBack
                            ? QStringLiteral("支水准的远端点：往测到此点为止，其后各行为返测")
                            : QString());
  m_limit->setEnabled(m_grade->currentIndex() == kGrades.size() - 1);
  m_rows->setTitles(observationTitles(m_count->currentIndex() == 0));
}

LevelTyped CLevelPage::typed() const {
  LevelTyped typed;
  typed.kind = LevelKind(m_kind->currentData().toInt());
  typed.count = survey::LevelCount(m_count->currentData().toInt());
  const bool typedLimit = m_grade->currentIndex() == kGrades.size() - 1;
  typed.grade = typedLimit ? QString() : m_grade->currentText();
  typed.limit = m_limit->text();
  typed.startName = m_startName->text();
  typed.startHeight = m_startHeight->text();
  typed.endName = m_endName->text();
  typed.endHeight = m_endHeight->text();
  typed.rows = m_rows->rows();
  return typed;
}

void CLevelPage::setTyped(const LevelTyped& typed) {
  {
    const QSignalBlocker quietKind(m_kind), quietCount(m_count), quietGrade(m_grade),
        quietRows(m_rows);
    m_kind->setCurrentIndex(m_kind->findData(int(typed.kind)));
    m_count->setCurrentIndex(m_count->findData(int(typed.count)));
    const qsizetype grade = kGrades.indexOf(typed.grade);
    m_grade->setCurrentIndex(grade < 0 ? int(kGrades.size()) - 1 : int(grade));
    m_limit->setText(typed.limit);
    m_startName->setText(typed.startName);
    m_startHeight->setText(typed.startHeight);
    m_endName->setText(typed.endName);
    m_endHeight->setText(typed.endHeight);
    m_rows->setRows(typed.rows);
  }
  enableFields();
  compute();
}

bool CLevelPage::computing() const { return m_pending || m_watch->waiting(); }

void CLevelPage::flush() {
  m_rows->flush();
  m_watch->flush();
}

void CLevelPage::compute() {
  m_pending = true;
  m_computer->start([this, typed = typed()](const std::atomic<bool>&,
                                            const CJobRunner::Progress&) -> CJobRunner::Done {
    QString problem;
    std::shared_ptr<const LevelShown> shown = ComputeLevelSheet(typed, problem);
    return [this, shown, problem] { show(shown, problem); };
  });
}

void CLevelPage::show(std::shared_ptr<const LevelShown> shown, const QString& problem) {
  m_pending = false;
  m_shown = std::move(shown);
  m_problem = problem;
  m_model->setTable(m_shown ? LevelTable(*m_shown) : TextTable{});
  if (m_shown) m_table->resizeColumnsToContents();
  m_closures->setText(m_shown ? ClosuresHtml(LevelClosures(*m_shown)) : ProblemHtml(problem));
  emit shownChanged();
}
