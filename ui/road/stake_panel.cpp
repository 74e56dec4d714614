#include "ui/road/stake_panel.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/alignment/chainage_text.h"
#include "reader/fields/number_text.h"
#include "ui/common/window_look.h"
#include "ui/road/road_messages.h"

namespace {

QString trimmedNumber(double value) { return QString::number(value, 'g', 12); }

}  // namespace

CStakePanel::CStakePanel(QWidget* parent) : QWidget(parent) {
  auto* box = new QGroupBox(QStringLiteral("桩位"), this);
  auto* grid = new QGridLayout(box);
  auto edit = [box](const QString& name, const QString& text, const QString& hint) {
    auto* field = new QLineEdit(text, box);
    field->setObjectName(name);
    field->setPlaceholderText(hint);
    return field;
  };
  m_interval = edit(QStringLiteral("interval"), QStringLiteral("20"), QString());
  m_offsets = edit(QStringLiteral("offsets"), QString(), QStringLiteral("如 -10,10（左负右正）"));
  m_from = edit(QStringLiteral("from"), QString(), QStringLiteral("起点"));
  m_to = edit(QStringLiteral("to"), QString(), QStringLiteral("终点"));
  m_mainPoints = new QCheckBox(QStringLiteral("含主点(&M)"), box);
  m_mainPoints->setObjectName(QStringLiteral("mainPoints"));
  m_mainPoints->setChecked(true);
  auto* generate = new QPushButton(QStringLiteral("生成(&G)"), box);
  generate->setObjectName(QStringLiteral("generate"));
  m_send = new QPushButton(QStringLiteral("送到放样表(&T)"), box);
  m_send->setObjectName(QStringLiteral("send"));
  m_send->setEnabled(false);
  m_problem = new QLabel(box);
  m_problem->setObjectName(QStringLiteral("stakeProblem"));
  m_problem->setWordWrap(true);
  QPalette red = m_problem->palette();
  red.setColor(QPalette::WindowText, ErrorColour());
  m_problem->setPalette(red);

  auto label = [box](const QString& text, QWidget* buddy) {
    auto* shown = new QLabel(text, box);
    shown->setBuddy(buddy);
    return shown;
  };
  grid->addWidget(label(QStringLiteral("间距(&D)"), m_interval), 0, 0);
  grid->addWidget(m_interval, 0, 1);
  grid->addWidget(label(QStringLiteral("边桩偏距(&S)"), m_offsets), 0, 2);
  grid->addWidget(m_offsets, 0, 3);
  grid->addWidget(m_mainPoints, 0, 4);
  grid->addWidget(label(QStringLiteral("桩号从(&A)"), m_from), 1, 0);
  grid->addWidget(m_from, 1, 1);
  grid->addWidget(label(QStringLiteral("至(&Z)"), m_to), 1, 2);
  grid->addWidget(m_to, 1, 3);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(generate);
  buttons->addWidget(m_send);
  grid->addLayout(buttons, 1, 4);
  grid->addWidget(m_problem, 2, 0, 1, 5);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(box);

  connect(generate, &QPushButton::clicked, this, &CStakePanel::generateRequested);
  connect(m_send, &QPushButton::clicked, this, &CStakePanel::sendRequested);
  for (QLineEdit* field : {m_interval, m_offsets, m_from, m_to})
    connect(field, &QLineEdit::returnPressed, this, &CStakePanel::generateRequested);
}

bool CStakePanel::readRange(reading::StakeRange& range) {
  range = reading::StakeRange();
  range.mainPoints = m_mainPoints->isChecked();
  QString problem;
  const QString interval = m_interval->text().trimmed();
  double read = 0.0;
  if (reading::ReadFieldNumber(interval.toStdString(), read) != reading::FieldNumber::kNumber ||
      !(read > 0.0)) {
    problem = QStringLiteral("间距须是大于 0 的数：%1").arg(interval);
  }
  range.interval = read;
  const QString offsets = m_offsets->text().trimmed();
  if (problem.isEmpty() && !offsets.isEmpty() &&
      !reading::ReadOffsets(offsets.toStdString(), range.offsets)) {
    problem =
        QStringLiteral("边桩偏距读不出：%1（以逗号分隔，左负右正，不含 0，不重复）").arg(offsets);
  }
  const auto readEnd = [&problem](QLineEdit* field, const QString& name, double& chainage) {
    const QString text = field->text().trimmed();
    if (!problem.isEmpty() || text.isEmpty()) return;
    const auto read = survey::ReadChainage(text.toStdString());
    if (read)
      chainage = *read;
    else
      problem = ChainageProblem(name, text);
  };
  readEnd(m_from, QStringLiteral("起始桩号"), range.from);
  readEnd(m_to, QStringLiteral("终止桩号"), range.to);
  if (problem.isEmpty() && !(range.from <= range.to))
    problem = QStringLiteral("桩号范围的起点在终点之后");
  setProblem(problem);
  return problem.isEmpty();
}

void CStakePanel::setRange(double interval, const std::vector<double>& offsets) {
  m_interval->setText(trimmedNumber(interval));
  QStringList list;
  for (const double offset : offsets) list << trimmedNumber(offset);
  m_offsets->setText(list.join(QLatin1Char(',')));
}

void CStakePanel::setProblem(const QString& problem) { m_problem->setText(problem); }

void CStakePanel::setStakesShown(bool shown) { m_send->setEnabled(shown); }
