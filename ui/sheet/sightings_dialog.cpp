#include "ui/sheet/sightings_dialog.h"

#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QVBoxLayout>

#include "reader/fields/field_number.h"
#include "ui/common/problem_text.h"
#include "ui/common/window_look.h"
#include "ui/sheet/point_name_box.h"
#include "ui/sheet/sheet_job.h"
#include "ui/sheet/sheet_look.h"
#include "ui/sheet/sheet_messages.h"

namespace {

constexpr int kFirstRows = 4;  // rows shown at first, at least

// The residual cells: a reading's in seconds and as a sideways miss, a
// distance's.
enum Residual { kSeconds, kSideways, kDistance };

QString rowName(int row) { return QStringLiteral("第 %1 行").arg(row + 1); }

void mark(QLabel* label, const QString& text, bool over) {
  label->setText(text);
  label->setProperty("over", over);
  QPalette palette = label->palette();
  palette.setColor(QPalette::WindowText, over ? ErrorColour() : QColor(Qt::black));
  label->setPalette(palette);
  label->setFont(over ? BoldFace(label->parentWidget()->font()) : QFont());
}

}  // namespace

CSetupDialog::CSetupDialog(const reading::OrientedStation& setup,
                           std::shared_ptr<const KnownNames> known, const SetupLimits& limits,
                           QWidget* parent)
    : QDialog(parent), m_setup(setup), m_known(std::move(known)) {
  const bool free = setup.method == reading::OrientedStation::Method::kFree;
  setWindowTitle(free ? QStringLiteral("自由设站") : QStringLiteral("多后视定向"));
  auto* layout = new QVBoxLayout(this);
  auto* intro = new QLabel(
      free ? QStringLiteral("在任意点设站，照准两个以上已知点：输入点名、水平度盘读数（度.分秒），"
                            "测了平距的输入平距。")
           : QStringLiteral("在已知测站上照准两个以上后视点：输入点名和水平度盘读数（度.分秒）；"
                            "输入平距可检核测站。"),
      this);
  intro->setWordWrap(true);
  layout->addWidget(intro);
  layout->addLayout(makeOptions(free, setup.sigmas, limits));
  layout->addWidget(makeTable(), 1);
  m_result = new QLabel(this);
  m_result->setObjectName(QStringLiteral("setupResult"));
  m_result->setWordWrap(true);
  m_result->setTextInteractionFlags(Qt::TextSelectableByMouse);
  layout->addWidget(m_result);
  layout->addWidget(makeButtons());
  fillRows(setup.sightings);
  for (QDoubleSpinBox* box :
       {m_directionSigma, m_distanceMm, m_distancePpm, m_limitSeconds, m_limitMm})
    if (box) connect(box, &QDoubleSpinBox::valueChanged, this, &CSetupDialog::recompute);
  recompute();
  const QSize screen = this->screen()->availableSize();
  resize(QSize(760, 600).boundedTo(screen * 9 / 10));
}

CSetupDialog::~CSetupDialog() = default;

// The standard errors of a free station's sightings, and the limits of
// the residuals.
QHBoxLayout* CSetupDialog::makeOptions(bool free, const reading::SetupSigmas& sigmas,
                                       const SetupLimits& limits) {
  auto* options = new QHBoxLayout;
  const auto labelled = [&](const QString& text, QWidget* buddy) {
    auto* label = new QLabel(text, this);
    label->setBuddy(buddy);
    options->addWidget(label);
    options->addWidget(buddy);
  };
  if (free) {
    m_directionSigma = spin(sigmas.directionSeconds, 100, QStringLiteral(" ″"));
    m_directionSigma->setMinimum(0.1);
    m_distanceMm = spin(sigmas.distanceMm, 100, QStringLiteral(" mm"));
    m_distancePpm = spin(sigmas.distancePpm, 100, QStringLiteral(" ppm"));
    m_directionSigma->setObjectName(QStringLiteral("directionSigma"));
    m_distanceMm->setObjectName(QStringLiteral("distanceSigmaMm"));
    m_distancePpm->setObjectName(QStringLiteral("distanceSigmaPpm"));
    labelled(QStringLiteral("方向中误差(&E):"), m_directionSigma);
    labelled(QStringLiteral("测距中误差(&R):"), m_distanceMm);
    options->addWidget(new QLabel(QStringLiteral("+"), this));
    options->addWidget(m_distancePpm);
    options->addSpacing(12);
  }
  m_limitSeconds = spin(limits.seconds, 3600, QStringLiteral(" ″"));
  m_limitMm = spin(limits.millimetres, 1000, QStringLiteral(" mm"));
  for (QDoubleSpinBox* box : {m_limitSeconds, m_limitMm}) box->setMinimum(0.1);
  m_limitSeconds->setObjectName(QStringLiteral("limitSeconds"));
  m_limitMm->setObjectName(QStringLiteral("limitMm"));
  labelled(QStringLiteral("限差(&L):"), m_limitSeconds);
  options->addWidget(m_limitMm);
  options->addStretch(1);
  return options;
}

// The sightings' table under its titles, its rows at the top.
QScrollArea* CSetupDialog::makeTable() {
  auto* area = new QScrollArea(this);
  area->setWidgetResizable(true);
  auto* inner = new QWidget(area);
  m_table = new QGridLayout(inner);
  const QStringList titles = {QStringLiteral("点名"),       QStringLiteral("读数（度.分秒）"),
                              QStringLiteral("平距（米）"), QStringLiteral("读数残差 ″"),
                              QStringLiteral("横向 mm"),    QStringLiteral("平距残差 mm")};
  for (int column = 0; column < titles.size(); ++column) {
    auto* title = new QLabel(titles[column], inner);
    title->setFont(BoldFace(title->font()));
    m_table->addWidget(title, 0, column, column >= 3 ? Qt::AlignRight : Qt::AlignLeft);
  }
  m_table->setColumnStretch(0, 2);
  m_table->setColumnStretch(1, 2);
  m_table->setColumnStretch(2, 2);
  m_table->setHorizontalSpacing(12);
  auto* column = new QWidget(area);  // the rows at the top
  auto* stack = new QVBoxLayout(column);
  stack->setContentsMargins(0, 0, 0, 0);
  stack->addWidget(inner);
  stack->addStretch(1);
  area->setWidget(column);
  return area;
}

QDialogButtonBox* CSetupDialog::makeButtons() {
  m_buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  m_buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("确定"));
  m_buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("取消"));
  connect(m_buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(m_buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  return m_buttons;
}

// A row for each of `sightings`, and empty rows after them: at least
// kFirstRows, and always one to type the next sighting into.
void CSetupDialog::fillRows(const std::vector<reading::SetupSighting>& sightings) {
  m_filling = true;
  for (const reading::SetupSighting& sighting : sightings) {
    addRow();
    const Row row = m_rows.back();  // typing into it adds the next row
    row.name->setName(QString::fromStdString(sighting.name));
    row.reading->setText(ShortestText(sighting.reading, 4));
    if (sighting.distance) row.distance->setText(ShortestText(*sighting.distance, 3));
  }
  m_filling = false;
  while (m_rows.size() < kFirstRows || !read(static_cast<int>(m_rows.size()) - 1).empty) addRow();
}

QDoubleSpinBox* CSetupDialog::spin(double value, double most, const QString& suffix) {
  auto* box = new QDoubleSpinBox(this);
  box->setRange(0.0, most);
  box->setDecimals(1);
  box->setSuffix(suffix);
  box->setValue(value);
  box->setKeyboardTracking(false);
  return box;
}

// A row at the end of the table, in the tab order after the one before.
void CSetupDialog::addRow() {
  QWidget* inner = m_table->parentWidget();
  Row row{new CPointNameBox(inner), new QLineEdit(inner), new QLineEdit(inner), {}};
  if (m_known) row.name->setNames(std::shared_ptr<const NameIndex>(m_known, &m_known->index));
  row.reading->setPlaceholderText(QStringLiteral("度.分秒"));
  row.distance->setPlaceholderText(QStringLiteral("不测可空"));
  const int at = static_cast<int>(m_rows.size()) + 1;
  m_table->addWidget(row.name, at, 0);
  m_table->addWidget(row.reading, at, 1);
  m_table->addWidget(row.distance, at, 2);
  for (int which = 0; which < 3; ++which) {
    row.residuals[which] = new QLabel(inner);
    m_table->addWidget(row.residuals[which], at, 3 + which, Qt::AlignRight);
  }
  QWidget* before = m_rows.isEmpty() ? static_cast<QWidget*>(m_limitMm) : m_rows.back().distance;
  QWidget::setTabOrder(before, row.name);
  QWidget::setTabOrder(row.name, row.reading);
  QWidget::setTabOrder(row.reading, row.distance);
  const auto changed = [this] {
    if (m_filling) return;
    // One empty row at the end to type the next sighting into.
    if (!read(static_cast<int>(m_rows.size()) - 1).empty) addRow();
    recompute();
  };
  connect(row.name->lineEdit(), &QLineEdit::textChanged, this, changed);
  connect(row.reading, &QLineEdit::textChanged, this, changed);
  connect(row.distance, &QLineEdit::textChanged, this, changed);
  m_rows.push_back(row);
}

CSetupDialog::Typed CSetupDialog::read(int at) const {
  const Row& row = m_rows[at];
  const QString name = row.name->name();
  const QString reading = row.reading->text().trimmed();
  const QString distance = row.distance->text().trimmed();
  Typed typed;
  typed.empty = name.isEmpty() && reading.isEmpty() && distance.isEmpty();
  if (typed.empty) return typed;
  if (name.isEmpty()) {
    typed.problem = QStringLiteral("请输入%1点名").arg(rowName(at));
    return typed;
  }
  reading::SetupSighting sighting{name.toStdString(), 0.0, std::nullopt};
  const reading::TypedAzimuth read =
      reading::ReadTypedAzimuth(reading.toStdString(), sighting.reading);
  if (reading.isEmpty() || read != reading::TypedAzimuth::kAzimuth) {
    typed.problem = AzimuthProblem(rowName(at) + QStringLiteral("读数"), read, reading);
    return typed;
  }
  if (!distance.isEmpty()) {
    double metres = 0.0;
    const reading::FieldNumber number = reading::ReadFieldNumber(distance.toStdString(), metres);
    if (number != reading::FieldNumber::kNumber) {
      typed.problem = NumberProblem(rowName(at) + QStringLiteral("平距"), number, distance);
      return typed;
    }
    if (!(metres > 0.0)) {
      typed.problem = QStringLiteral("%1平距须大于 0").arg(rowName(at));
      return typed;
    }
    sighting.distance = metres;
  }
  typed.sighting = std::move(sighting);
  return typed;
}

reading::OrientedStation CSetupDialog::setup() const {
  reading::OrientedStation setup = m_setup;
  setup.sightings.clear();
  for (int row = 0; row < rowCount(); ++row)
    if (const Typed typed = read(row); typed.sighting) setup.sightings.push_back(*typed.sighting);
  if (m_directionSigma) {
    setup.sigmas = {m_directionSigma->value(), m_distanceMm->value(), m_distancePpm->value()};
  }
  return setup;
}

SetupLimits CSetupDialog::limits() const { return {m_limitSeconds->value(), m_limitMm->value()}; }

QString CSetupDialog::problem() const { return m_problem; }

// Works the setup out from the rows that read, shows it and their
// residuals, and what is wrong.
void CSetupDialog::recompute() {
  const reading::OrientedStation typed = setup();
  std::vector<int> rows;  // the table's row of each sighting
  QString rowProblem;
  for (int row = 0; row < rowCount(); ++row) {
    const Typed read = this->read(row);
    if (read.sighting) rows.push_back(row);
    if (!read.empty && !read.sighting && rowProblem.isEmpty()) rowProblem = read.problem;
  }
  m_answer.reset();
  QString setupProblem;
  if (!m_known) {
    setupProblem = QStringLiteral("请先打开坐标文件：点名从中查找");
  } else if (m_known->first->problem) {
    setupProblem = SheetProblem(m_known->first->problem);
  } else {
    reading::SetupAnswer answer;
    reading::SheetError error = reading::ComputeSetup(typed, &m_known->first->points, answer);
    if (!error) {
      m_answer = std::move(answer);
    } else {
      // Sightings are counted among the rows that read: name the table's.
      const auto tableRow = [&rows](std::size_t sighting) {
        return sighting < rows.size() ? static_cast<std::size_t>(rows[sighting]) : sighting;
      };
      error.sighting = tableRow(error.sighting);
      error.setup.sighting = tableRow(error.setup.sighting);
      error.setup.other = tableRow(error.setup.other);
      setupProblem = SheetProblem(error);
    }
  }
  m_problem = rowProblem.isEmpty() ? setupProblem : rowProblem;
  showResiduals(rows);
  QString text;
  if (m_answer) {
    const reading::SheetSetup shown = reading::ForSheet(typed, *m_answer, 0, 0);
    QString lines = SetupStationText(shown) + QLatin1Char('\n') + SetupCheckText(shown, limits());
    text = lines.toHtmlEscaped()
               .replace(QStringLiteral("  "), QStringLiteral("&nbsp; "))
               .replace(QLatin1Char('\n'), QStringLiteral("<br>"));
  }
  if (!m_problem.isEmpty()) {
    if (!text.isEmpty()) text += QStringLiteral("<br>");
    text += QStringLiteral("<span style=\"color:%1\">%2</span>")
                .arg(ErrorColour().name(), m_problem.toHtmlEscaped());
  }
  m_result->setText(text);
  m_buttons->button(QDialogButtonBox::Ok)->setEnabled(m_answer && m_problem.isEmpty());
}

void CSetupDialog::showResiduals(const std::vector<int>& rows) {
  for (const Row& row : m_rows)
    for (QLabel* cell : row.residuals) mark(cell, QString(), false);
  if (!m_answer) return;
  const SetupLimits limits = this->limits();
  for (std::size_t at = 0; at < rows.size(); ++at) {
    const survey::TargetResidual& residual = m_answer->residuals[at];
    const Row& row = m_rows[rows[at]];
    const bool secondsOver = limits.overSeconds(residual.seconds);
    mark(row.residuals[kSeconds], ResidualText(residual.seconds, secondsOver), secondsOver);
    mark(row.residuals[kSideways], ResidualText(residual.lateralMm), false);
    if (residual.distanceMm) {
      const bool distanceOver = limits.overMillimetres(*residual.distanceMm);
      mark(row.residuals[kDistance], ResidualText(*residual.distanceMm, distanceOver),
           distanceOver);
    }
  }
}
