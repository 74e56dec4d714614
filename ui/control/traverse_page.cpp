#include "ui/control/traverse_page.h"

#include <QCheckBox>
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
#include "ui/control/closure_box.h"
#include "ui/control/control_look.h"
#include "ui/control/observation_table.h"
#include "ui/control/traverse_plan.h"
#include "ui/common/typing_watch.h"

namespace {

using survey::TraverseKind;

enum KnownRole { kBacksight, kStart, kEnd, kForesight };
enum KnownField { kName, kX, kY };

const QStringList kGrades = {QStringLiteral("图根"), QStringLiteral("三级"), QStringLiteral("二级"),
                             QStringLiteral("一级"), QStringLiteral("自定")};

QStringList observationTitles() {
  return {QStringLiteral("点名"), QStringLiteral("观测角"), QStringLiteral("距离"),
          QStringLiteral("天顶角")};
}

KnownTyped knownOf(QLineEdit* const (&fields)[3]) {
  return {fields[kName]->text(), fields[kX]->text(), fields[kY]->text()};
}

void setKnown(QLineEdit* const (&fields)[3], const KnownTyped& known) {
  fields[kName]->setText(known.name);
  fields[kX]->setText(known.x);
  fields[kY]->setText(known.y);
}

}  // namespace

CTraversePage::CTraversePage(QWidget* parent)
    : QWidget(parent),
      m_model(new CTextTableModel(this)),
      m_watch(new CTypingWatch(this)),
      m_computer(new CJobRunner(this)) {
  auto* column = new QVBoxLayout(this);
  column->addWidget(createSetup());
  column->addWidget(createKnown());
  m_rows = new CObservationTable(observationTitles(), this);
  m_rows->setObjectName(QStringLiteral("traverseObservations"));
  m_rows->setToolTip(QStringLiteral("按前进方向，每行：点名、观测角（度.分秒）、到下一点的距离；"
                                    "斜距另填天顶角。可从表格粘贴（Ctrl+V）"));
  m_table = ComputationView(m_model, QStringLiteral("traverseTable"), this);
  m_plan = new CTraversePlan(this);
  m_closureBox = new CClosureBox(this);
  auto* left = new QWidget(this);
  auto* leftColumn = new QVBoxLayout(left);
  leftColumn->setContentsMargins(0, 0, 0, 0);
  leftColumn->addWidget(m_rows, 1);
  leftColumn->addWidget(m_closureBox, 0, Qt::AlignLeft);
  auto* split = new QSplitter(Qt::Horizontal, this);
  split->addWidget(left);
  split->addWidget(m_table);
  split->addWidget(m_plan);
  split->setStretchFactor(0, 2);
  split->setStretchFactor(1, 5);
  split->setStretchFactor(2, 3);
  split->setSizes({270, 700, 310});
  split->setChildrenCollapsible(false);
  column->addWidget(split, 1);
  m_closures = new QLabel(this);
  m_closures->setObjectName(QStringLiteral("traverseClosures"));
  m_closures->setTextFormat(Qt::RichText);
  m_closures->setTextInteractionFlags(Qt::TextSelectableByMouse);
  m_closures->setMinimumHeight(m_closures->fontMetrics().height() * 3);
  m_closures->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  column->addWidget(m_closures);
  connect(m_rows, &CObservationTable::changed, this, &CTraversePage::compute);
  connect(m_watch, &CTypingWatch::settled, this, &CTraversePage::compute);
  enableFields();
  compute();
}

// The fields say nothing more to a page half gone.
CTraversePage::~CTraversePage() {
  for (QObject* child : findChildren<QObject*>()) child->disconnect(this);
}

QWidget* CTraversePage::createSetup() {
  auto* box = new QWidget(this);
  auto* row = new QHBoxLayout(box);
  row->setContentsMargins(0, 0, 0, 0);
  m_kind = new QComboBox(box);
  m_kind->setObjectName(QStringLiteral("traverseKind"));
  for (TraverseKind kind : {TraverseKind::kAttached, TraverseKind::kClosed,
                            TraverseKind::kUnoriented, TraverseKind::kOpen})
    m_kind->addItem(TraverseKindName(kind), int(kind));
  m_side = new QComboBox(box);
  m_side->setObjectName(QStringLiteral("traverseSide"));
  m_side->addItem(QStringLiteral("左角"), int(survey::AngleSide::kLeft));
  m_side->addItem(QStringLiteral("右角"), int(survey::AngleSide::kRight));
  m_grade = new QComboBox(box);
  m_grade->setObjectName(QStringLiteral("traverseGrade"));
  m_grade->addItems(kGrades);
  m_angleLimit = new QLineEdit(QStringLiteral("60"), box);
  m_angleLimit->setObjectName(QStringLiteral("traverseAngleLimit"));
  m_relativeLimit = new QLineEdit(QStringLiteral("2000"), box);
  m_relativeLimit->setObjectName(QStringLiteral("traverseRelativeLimit"));
  for (QLineEdit* edit : {m_angleLimit, m_relativeLimit}) {
    edit->setMaximumWidth(edit->fontMetrics().horizontalAdvance(QStringLiteral("000000")) + 12);
    m_watch->watch(*edit);
    connect(edit, &QLineEdit::editingFinished, m_watch, &CTypingWatch::flush);
  }
  m_rigorous = new QCheckBox(QStringLiteral("严密平差(&R)"), box);
  m_rigorous->setObjectName(QStringLiteral("traverseRigorous"));
  m_rigorous->setToolTip(QStringLiteral("按最小二乘平差，给出各点的点位中误差"));
  const auto labelled = [&](const QString& text, QWidget* field) {
    auto* label = new QLabel(text, box);
    label->setBuddy(field);
    row->addWidget(label);
    row->addWidget(field);
  };
  labelled(QStringLiteral("导线类型(&K)"), m_kind);
  labelled(QStringLiteral("观测角(&A)"), m_side);
  labelled(QStringLiteral("等级(&G)"), m_grade);
  labelled(QStringLiteral("角限差 ±k″√n，k"), m_angleLimit);
  labelled(QStringLiteral("相对限差 1/"), m_relativeLimit);
  row->addWidget(m_rigorous);
  row->addStretch(1);
  for (QComboBox* combo : {m_kind, m_side, m_grade})
    connect(combo, &QComboBox::currentIndexChanged, this, [this] {
      enableFields();
      compute();
    });
  connect(m_rigorous, &QCheckBox::toggled, this, &CTraversePage::compute);
  return box;
}

QWidget* CTraversePage::createKnown() {
  auto* box = new QWidget(this);
  auto* grid = new QGridLayout(box);
  grid->setContentsMargins(0, 0, 0, 0);
  const QStringList heads = {QStringLiteral("点名"), QStringLiteral("X (北)"), QStringLiteral("Y (东)")};
  for (int i = 0; i < 3; ++i) grid->addWidget(new QLabel(heads[i], box), 0, 1 + i);
  grid->addWidget(new QLabel(QStringLiteral("方位角（度.分秒）"), box), 0, 4);
  const QStringList roles = {QStringLiteral("后视点(&B)"), QStringLiteral("起点(&S)"),
                             QStringLiteral("终点(&E)"), QStringLiteral("前视点(&F)")};
  const QStringList names = {QStringLiteral("backsight"), QStringLiteral("start"),
                             QStringLiteral("end"), QStringLiteral("foresight")};
  const QStringList fields = {QStringLiteral("Name"), QStringLiteral("X"), QStringLiteral("Y")};
  for (int role = 0; role < 4; ++role) {
    auto* label = new QLabel(roles[role], box);
    grid->addWidget(label, 1 + role, 0);
    for (int field = 0; field < 3; ++field) {
      auto* edit = new QLineEdit(box);
      edit->setObjectName(names[role] + fields[field]);
      m_known[role][field] = edit;
      grid->addWidget(edit, 1 + role, 1 + field);
      m_watch->watch(*edit);
      connect(edit, &QLineEdit::editingFinished, m_watch, &CTypingWatch::flush);
    }
    label->setBuddy(m_known[role][kName]);
  }
  m_azimuthIn = new QLineEdit(box);
  m_azimuthIn->setObjectName(QStringLiteral("azimuthIn"));
  m_azimuthIn->setPlaceholderText(QStringLiteral("起始方位角：无后视点坐标时"));
  m_azimuthOut = new QLineEdit(box);
  m_azimuthOut->setObjectName(QStringLiteral("azimuthOut"));
  m_azimuthOut->setPlaceholderText(QStringLiteral("终边方位角：无前视点坐标时"));
  grid->addWidget(m_azimuthIn, 1, 4);
  grid->addWidget(m_azimuthOut, 4, 4);
  for (QLineEdit* edit : {m_azimuthIn, m_azimuthOut}) {
    m_watch->watch(*edit);
    connect(edit, &QLineEdit::editingFinished, m_watch, &CTypingWatch::flush);
  }
  grid->setColumnStretch(1, 1);
  grid->setColumnStretch(2, 2);
  grid->setColumnStretch(3, 2);
  grid->setColumnStretch(4, 2);
  return box;
}

// Only the fields the kind of traverse reads take input.
void CTraversePage::enableFields() {
  const auto kind = TraverseKind(m_kind->currentData().toInt());
  const bool oriented = kind != TraverseKind::kUnoriented;
  const bool end = kind == TraverseKind::kAttached || kind == TraverseKind::kUnoriented;
  const bool foresight = kind == TraverseKind::kAttached;
  for (int field = 0; field < 3; ++field) {
    m_known[kBacksight][field]->setEnabled(oriented);
    m_known[kEnd][field]->setEnabled(end);
    m_known[kForesight][field]->setEnabled(foresight);
  }
  m_azimuthIn->setEnabled(oriented);
  m_azimuthOut->setEnabled(foresight);
  const bool typedLimits = m_grade->currentIndex() == kGrades.size() - 1;
  m_angleLimit->setEnabled(typedLimits);
  m_relativeLimit->setEnabled(typedLimits);
}

TraverseTyped CTraversePage::typed() const {
  TraverseTyped typed;
  typed.kind = TraverseKind(m_kind->currentData().toInt());
  typed.side = survey::AngleSide(m_side->currentData().toInt());
  const bool typedLimits = m_grade->currentIndex() == kGrades.size() - 1;
  typed.grade = typedLimits ? QString() : m_grade->currentText();
  typed.angleLimit = m_angleLimit->text();
  typed.relativeLimit = m_relativeLimit->text();
  typed.rigorous = m_rigorous->isChecked();
  typed.backsight = knownOf(m_known[kBacksight]);
  typed.start = knownOf(m_known[kStart]);
  typed.end = knownOf(m_known[kEnd]);
  typed.foresight = knownOf(m_known[kForesight]);
  typed.azimuthIn = m_azimuthIn->text();
  typed.azimuthOut = m_azimuthOut->text();
  typed.rows = m_rows->rows();
  return typed;
}

void CTraversePage::setTyped(const TraverseTyped& typed) {
  {
    const QSignalBlocker quietKind(m_kind), quietSide(m_side), quietGrade(m_grade),
        quietRigorous(m_rigorous), quietRows(m_rows);
    m_kind->setCurrentIndex(m_kind->findData(int(typed.kind)));
    m_side->setCurrentIndex(m_side->findData(int(typed.side)));
    const qsizetype grade = kGrades.indexOf(typed.grade);
    m_grade->setCurrentIndex(grade < 0 ? int(kGrades.size()) - 1 : int(grade));
    m_angleLimit->setText(typed.angleLimit);
    m_relativeLimit->setText(typed.relativeLimit);
    m_rigorous->setChecked(typed.rigorous);
    setKnown(m_known[kBacksight], typed.backsight);
    setKnown(m_known[kStart], typed.start);
    setKnown(m_known[kEnd], typed.end);
    setKnown(m_known[kForesight], typed.foresight);
    m_azimuthIn->setText(typed.azimuthIn);
    m_azimuthOut->setText(typed.azimuthOut);
    m_rows->setRows(typed.rows);
  }
  enableFields();
  compute();
}

bool CTraversePage::computing() const { return m_pending || m_watch->waiting(); }

void CTraversePage::flush() {
  m_rows->flush();
  m_watch->flush();
}

void CTraversePage::compute() {
  m_pending = true;
  m_computer->start([this, typed = typed()](const std::atomic<bool>&,
                                            const CJobRunner::Progress&) -> CJobRunner::Done {
    QString problem;
    std::shared_ptr<const TraverseShown> shown = ComputeTraverseSheet(typed, problem);
    return [this, shown, problem] { show(shown, problem); };
  });
}

void CTraversePage::show(std::shared_ptr<const TraverseShown> shown, const QString& problem) {
  m_pending = false;
  m_shown = std::move(shown);
  m_problem = problem;
  m_model->setTable(m_shown ? TraverseTable(*m_shown) : TextTable{});
  if (m_shown) m_table->resizeColumnsToContents();
  m_plan->setTraverse(m_shown);
  m_closureBox->setTraverse(m_shown);
  m_closures->setText(m_shown ? ClosuresHtml(TraverseClosures(*m_shown)) : ProblemHtml(problem));
  emit shownChanged();
}
