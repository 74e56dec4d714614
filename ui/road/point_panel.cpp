#include "ui/road/point_panel.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <variant>

#include "core/alignment/chainage_text.h"
#include "core/alignment/road_point.h"
#include "reader/fields/angle_text.h"
#include "reader/fields/number_text.h"
#include "reader/road/curve_table.h"
#include "ui/common/problem_text.h"
#include "ui/common/window_look.h"
#include "ui/road/road_messages.h"

namespace {

QString fixed(double value, int decimals) {
  std::string text;
  reading::AppendFixed(text, value, decimals);
  return QString::fromStdString(text);
}

QString angle(double packed, const reading::RoadDecimals& decimals) {
  std::string text;
  reading::AppendAngle(text, packed, decimals.angleFormat, decimals.angles);
  return QString::fromStdString(text);
}

// A number typed into `field`: true with `value`, or false with `problem`.
bool readNumber(const QLineEdit& edit, const QString& field, double& value, QString& problem) {
  const QString text = edit.text().trimmed();
  const reading::FieldNumber read = reading::ReadFieldNumber(text.toStdString(), value);
  if (read == reading::FieldNumber::kNumber) return true;
  problem = NumberProblem(field, read, text);
  return false;
}

// `edit` at `row` and `column` + 1 of `grid`, its label `text` before it.
void add(QGridLayout* grid, int row, int column, const QString& text, QLineEdit* edit) {
  auto* label = new QLabel(text);
  label->setBuddy(edit);
  grid->addWidget(label, row, column);
  grid->addWidget(edit, row, column + 1);
}

const survey::Profile* profileOf(const reading::RoadDesign& design) {
  return design.profile ? &*design.profile : nullptr;
}

// Shows `height` in `edit`; says in `problem` where the profile does not
// reach the point.
void showHeight(const reading::RoadDesign& design, const survey::DesignHeight& height,
                QLineEdit& edit, QString& problem, int decimals) {
  using Is = survey::DesignHeight::Is;
  if (height.is == Is::kHeight)
    edit.setText(fixed(height.metres, decimals));
  else if (height.is == Is::kOutsideProfile)
    problem = HeightProblem(design.profile->startChainage(), design.profile->endChainage());
}

}  // namespace

CPointPanel::CPointPanel(QWidget* parent) : QWidget(parent) {
  m_chainage = field(QStringLiteral("chainage"), true);
  m_chainage->setPlaceholderText(QStringLiteral("K0+120"));
  m_offset = field(QStringLiteral("offset"), true);
  m_offset->setPlaceholderText(QStringLiteral("0（中桩）"));
  m_x = field(QStringLiteral("x"), true);
  m_y = field(QStringLiteral("y"), true);
  m_north = field(QStringLiteral("north"), false);
  m_east = field(QStringLiteral("east"), false);
  m_azimuth = field(QStringLiteral("azimuth"), false);
  m_height = field(QStringLiteral("height"), false);
  m_located = field(QStringLiteral("located"), false);
  m_across = field(QStringLiteral("across"), false);
  m_locatedHeight = field(QStringLiteral("locatedHeight"), false);
  m_locatedText = new QLabel(this);
  m_locatedText->setObjectName(QStringLiteral("locatedText"));
  m_forwardProblem = problemLabel(QStringLiteral("forwardProblem"));
  m_inverseProblem = problemLabel(QStringLiteral("inverseProblem"));

  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(makeForward());
  layout->addWidget(makeInverse());
  for (QLineEdit* edit : {m_chainage, m_offset})
    connect(edit, &QLineEdit::returnPressed, this, &CPointPanel::OnForward);
  for (QLineEdit* edit : {m_x, m_y})
    connect(edit, &QLineEdit::returnPressed, this, &CPointPanel::OnInverse);
  setRoad(nullptr);
}

// 正算: a chainage and an offset in, the point, its azimuth and design
// height out.
QGroupBox* CPointPanel::makeForward() {
  auto* forward = new QGroupBox(QStringLiteral("正算：桩号 → 坐标"), this);
  auto* forwardGrid = new QGridLayout(forward);
  add(forwardGrid, 0, 0, QStringLiteral("桩号(&K)"), m_chainage);
  add(forwardGrid, 0, 2, QStringLiteral("偏距(&O)"), m_offset);
  add(forwardGrid, 1, 0, QStringLiteral("X（北）"), m_north);
  add(forwardGrid, 1, 2, QStringLiteral("Y（东）"), m_east);
  add(forwardGrid, 2, 0, QStringLiteral("方位角"), m_azimuth);
  add(forwardGrid, 2, 2, QStringLiteral("设计高程"), m_height);
  auto* computeForward = new QPushButton(QStringLiteral("正算(&F)"), forward);
  computeForward->setObjectName(QStringLiteral("computeForward"));
  forwardGrid->addWidget(m_forwardProblem, 3, 0, 1, 3);
  forwardGrid->addWidget(computeForward, 3, 3, Qt::AlignRight);
  connect(computeForward, &QPushButton::clicked, this, &CPointPanel::OnForward);
  return forward;
}

// 反算: a point in, its chainage, offset and design height out.
QGroupBox* CPointPanel::makeInverse() {
  auto* inverse = new QGroupBox(QStringLiteral("反算：坐标 → 桩号"), this);
  auto* inverseGrid = new QGridLayout(inverse);
  add(inverseGrid, 0, 0, QStringLiteral("X（北）(&X)"), m_x);
  add(inverseGrid, 0, 2, QStringLiteral("Y（东）(&Y)"), m_y);
  add(inverseGrid, 1, 0, QStringLiteral("桩号"), m_located);
  inverseGrid->addWidget(m_locatedText, 1, 2, 1, 2);
  add(inverseGrid, 2, 0, QStringLiteral("偏距"), m_across);
  add(inverseGrid, 2, 2, QStringLiteral("设计高程"), m_locatedHeight);
  auto* computeInverse = new QPushButton(QStringLiteral("反算(&I)"), inverse);
  computeInverse->setObjectName(QStringLiteral("computeInverse"));
  inverseGrid->addWidget(m_inverseProblem, 3, 0, 1, 3);
  inverseGrid->addWidget(computeInverse, 3, 3, Qt::AlignRight);
  connect(computeInverse, &QPushButton::clicked, this, &CPointPanel::OnInverse);
  return inverse;
}

// An input field, or a result that can be selected and copied but not
// typed into (and that Tab passes by).
QLineEdit* CPointPanel::field(const QString& name, bool input) {
  auto* edit = new QLineEdit(this);
  edit->setObjectName(name);
  // Room for a grid coordinate with millimetres, and for K12+345.678.
  edit->setMinimumWidth(edit->fontMetrics().horizontalAdvance(QStringLiteral("0000000.000")) + 8);
  if (!input) {
    edit->setReadOnly(true);
    edit->setFocusPolicy(Qt::ClickFocus);
  }
  return edit;
}

// What is wrong with a half's fields, in red; empty while nothing is.
QLabel* CPointPanel::problemLabel(const QString& name) {
  auto* label = new QLabel(this);
  label->setObjectName(name);
  label->setWordWrap(true);
  QPalette red = label->palette();
  red.setColor(QPalette::WindowText, ErrorColour());
  label->setPalette(red);
  return label;
}

void CPointPanel::setRoad(std::shared_ptr<const RoadShown> road) {
  m_road = std::move(road);
  setEnabled(m_road != nullptr);
  m_forwardProblem->clear();
  m_inverseProblem->clear();
  m_marks = RoadMarks();
  if (m_forwardShown) OnForward();
  if (m_inverseShown) OnInverse();
}

void CPointPanel::clearForward() {
  for (QLineEdit* edit : {m_north, m_east, m_azimuth, m_height}) edit->clear();
  m_marks.forward.reset();
  m_forwardShown = false;
}

void CPointPanel::clearInverse() {
  for (QLineEdit* edit : {m_located, m_across, m_locatedHeight}) edit->clear();
  m_locatedText->clear();
  m_marks.measured.reset();
  m_marks.foot.reset();
  m_inverseShown = false;
}

void CPointPanel::OnForward() {
  clearForward();
  if (!m_road) return;
  const QString typed = m_chainage->text().trimmed();
  const auto chainage = survey::ReadChainage(typed.toStdString());
  double offset = 0.0;
  QString problem;
  if (!chainage) {
    problem = ChainageProblem(QStringLiteral("桩号"), typed);
  } else if (!m_offset->text().trimmed().isEmpty()) {
    readNumber(*m_offset, QStringLiteral("偏距"), offset, problem);
  }
  const reading::RoadDesign& design = *m_road->design;
  const survey::Alignment& alignment = design.alignment;
  if (problem.isEmpty()) {
    const auto stake = survey::StakeOnRoad(alignment, profileOf(design), *chainage, offset);
    if (const auto* fault = std::get_if<survey::AlignmentError>(&stake)) {
      problem = PointProblem(*fault, alignment.startChainage(), alignment.endChainage());
    } else {
      const survey::RoadStake& staked = std::get<survey::RoadStake>(stake);
      const reading::RoadDecimals& decimals = m_road->decimals;
      m_north->setText(fixed(staked.point.x, decimals.lengths));
      m_east->setText(fixed(staked.point.y, decimals.lengths));
      m_azimuth->setText(angle(staked.point.azimuth, decimals));
      m_marks.forward = RoadMarks::Ground{staked.point.x, staked.point.y};
      m_forwardShown = true;
      showHeight(design, staked.height, *m_height, problem, decimals.lengths);
    }
  }
  m_forwardProblem->setText(problem);
  emit marksChanged(m_marks);
}

void CPointPanel::OnInverse() {
  clearInverse();
  if (!m_road) return;
  double x = 0.0, y = 0.0;
  QString problem;
  if (readNumber(*m_x, QStringLiteral("X（北）"), x, problem) &&
      readNumber(*m_y, QStringLiteral("Y（东）"), y, problem)) {
    const reading::RoadDesign& design = *m_road->design;
    const survey::Alignment& alignment = design.alignment;
    m_marks.measured = RoadMarks::Ground{x, y};
    m_inverseShown = true;
    const auto located = survey::LocateOnRoad(alignment, profileOf(design), x, y);
    if (const auto* fault = std::get_if<survey::AlignmentError>(&located)) {
      problem = PointProblem(*fault, alignment.startChainage(), alignment.endChainage());
    } else {
      const survey::Location& location = std::get<survey::RoadLocation>(located).location;
      const reading::RoadDecimals& decimals = m_road->decimals;
      m_located->setText(fixed(location.chainage, decimals.lengths));
      m_locatedText->setText(
          QString::fromStdString(reading::ChainageText(location.chainage, decimals.lengths)));
      m_across->setText(fixed(location.offset, decimals.lengths));
      const auto foot = std::get<survey::StakePoint>(alignment.Stake(location.chainage));
      m_marks.foot = RoadMarks::Ground{foot.x, foot.y};
      showHeight(design, std::get<survey::RoadLocation>(located).height, *m_locatedHeight, problem,
                 decimals.lengths);
    }
  }
  m_inverseProblem->setText(problem);
  emit marksChanged(m_marks);
}
