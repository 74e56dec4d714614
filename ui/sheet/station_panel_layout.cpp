// The station panel's fields, built and laid out: the method's line, the
// station's and the backsight's rows, the heights, how the answers are
// written and the check line; each field followed as it is typed. Reading
// and showing them is in station_panel.cpp.

#include "ui/sheet/station_panel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QStackedWidget>
#include <QVBoxLayout>

#include "reader/fields/field_number.h"
#include "reader/fields/number_text.h"
#include "ui/common/typing_watch.h"
#include "ui/common/window_look.h"
#include "ui/sheet/point_name_box.h"

namespace {

QLineEdit* field(const QString& placeholder, QWidget* parent) {
  auto* edit = new QLineEdit(parent);
  edit->setPlaceholderText(placeholder);
  return edit;
}

QSpinBox* decimals(int value, QWidget* parent) {
  auto* box = new QSpinBox(parent);
  box->setRange(0, 20);  // what corvane-calc accepts
  box->setValue(value);
  box->setKeyboardTracking(false);
  return box;
}

// Marks `edit` as one that does not read, in the colour of what is wrong,
// or unmarks it.
void markField(QLineEdit& edit, bool wrong) {
  QPalette palette = edit.palette();
  palette.setColor(QPalette::Text, wrong ? ErrorColour() : QGuiApplication::palette().color(QPalette::Text));
  edit.setPalette(palette);
}

// Whether the text of `edit` is empty or reads as a number.
bool readsAsNumber(const QLineEdit& edit) {
  const QString text = edit.text().trimmed();
  double value = 0.0;
  return text.isEmpty() ||
         reading::ReadFieldNumber(text.toStdString(), value) == reading::FieldNumber::kNumber;
}

bool readsAsAzimuth(const QLineEdit& edit) {
  const QString text = edit.text().trimmed();
  double packed = 0.0;
  return text.isEmpty() ||
         reading::ReadTypedAzimuth(text.toStdString(), packed) == reading::TypedAzimuth::kAzimuth;
}

}  // namespace

CStationPanel::CStationPanel(QWidget* parent)
    : QWidget(parent), m_typing(new CTypingWatch(this)) {
  connect(m_typing, &CTypingWatch::settled, this, &CStationPanel::changed);
  auto* outer = new QVBoxLayout(this);
  outer->addLayout(makeMethodRow());
  // The station's and the backsight's rows, shown as the method needs them.
  outer->addLayout(makePointRows());
  // The heights, then how the answers are written, each a line of its own.
  outer->addWidget(makeHeights());
  outer->addLayout(makeAnswerRow());
  outer->addWidget(makeCheckLine());
  connectControls();
}

// The top line: how the station is set up, and where the names of known
// points come from; both stay whatever the method, so neither leaves a
// gap when the station's and the backsight's rows are hidden.
QHBoxLayout* CStationPanel::makeMethodRow() {
  auto* methodRow = new QHBoxLayout;
  m_method = new QComboBox(this);
  m_method->setObjectName(QStringLiteral("setupMethod"));
  m_method->addItems(
      {QStringLiteral("已知点 + 后视"), QStringLiteral("多后视定向"), QStringLiteral("自由设站")});
  auto* methodLabel = new QLabel(QStringLiteral("设站方式(&M):"), this);
  methodLabel->setBuddy(m_method);
  m_observe = new QPushButton(QStringLiteral("观测(&O)..."), this);
  m_observe->setObjectName(QStringLiteral("observe"));
  m_setupSummary = new QLabel(this);
  m_setupSummary->setObjectName(QStringLiteral("setupSummary"));
  m_controlFile = new QLabel(this);
  m_chooseControl = new QPushButton(QStringLiteral("控制点文件(&K)..."), this);
  m_removeControl = new QPushButton(QStringLiteral("移除(&X)"), this);
  m_removeControl->setToolTip(QStringLiteral("不用控制点文件：点名取自坐标文件"));
  setControlFile(QString());
  methodRow->addWidget(methodLabel);
  methodRow->addWidget(m_method);
  methodRow->addWidget(m_observe);
  methodRow->addWidget(m_setupSummary);
  methodRow->addStretch(1);
  methodRow->addWidget(m_chooseControl);
  methodRow->addWidget(m_controlFile);
  methodRow->addWidget(m_removeControl);
  return methodRow;
}

// The station's and the backsight's rows: a label, the kind of each
// (点名, 坐标, 方位角) and its fields.
QGridLayout* CStationPanel::makePointRows() {
  auto* grid = new QGridLayout;
  m_station = makeRow(QStringLiteral("测站"), false);
  m_backsight = makeRow(QStringLiteral("后视"), true);
  auto* stationLabel = new QLabel(QStringLiteral("测站(&S):"), this);
  stationLabel->setBuddy(m_station.kind);
  auto* backsightLabel = new QLabel(QStringLiteral("后视(&B):"), this);
  backsightLabel->setBuddy(m_backsight.kind);
  m_stationLabel = stationLabel;
  m_backsightLabel = backsightLabel;
  grid->addWidget(stationLabel, 0, 0);
  grid->addWidget(m_station.kind, 0, 1);
  grid->addWidget(m_station.pages, 0, 2);
  grid->addWidget(backsightLabel, 1, 0);
  grid->addWidget(m_backsight.kind, 1, 1);
  grid->addWidget(m_backsight.pages, 1, 2);
  grid->setColumnStretch(2, 1);
  return grid;
}

// How the answers are written: the angles' format and the decimals.
QHBoxLayout* CStationPanel::makeAnswerRow() {
  m_angleFormat = new QComboBox(this);
  m_angleFormat->addItem(QStringLiteral("度.分秒"), int(reading::AngleFormat::kPacked));
  m_angleFormat->addItem(QStringLiteral("度°分′秒″"), int(reading::AngleFormat::kDms));
  auto* formatLabel = new QLabel(QStringLiteral("角度格式(&G):"), this);
  formatLabel->setBuddy(m_angleFormat);
  m_angleDecimals = decimals(4, this);
  m_distanceDecimals = decimals(3, this);
  auto* angleLabel = new QLabel(QStringLiteral("角度小数位(&A):"), this);
  angleLabel->setBuddy(m_angleDecimals);
  auto* distanceLabel = new QLabel(QStringLiteral("距离小数位(&D):"), this);
  distanceLabel->setBuddy(m_distanceDecimals);
  auto* answers = new QHBoxLayout;
  answers->addWidget(formatLabel);
  answers->addWidget(m_angleFormat);
  answers->addSpacing(12);
  answers->addWidget(angleLabel);
  answers->addWidget(m_angleDecimals);
  answers->addSpacing(12);
  answers->addWidget(distanceLabel);
  answers->addWidget(m_distanceDecimals);
  answers->addStretch(1);
  return answers;
}

// The check line, or what keeps the sheet from being computed, in bold.
QLabel* CStationPanel::makeCheckLine() {
  m_checkLine = new QLabel(this);
  m_checkLine->setObjectName(QStringLiteral("checkLine"));
  m_checkLine->setTextInteractionFlags(Qt::TextSelectableByMouse);
  m_checkLine->setWordWrap(true);  // a long message shows whole
  QFont bold = WithNarrowPrimes(m_checkLine->font());
  bold.setBold(true);
  m_checkLine->setFont(bold);
  return m_checkLine;
}

void CStationPanel::connectControls() {
  connect(m_chooseControl, &QPushButton::clicked, this, &CStationPanel::controlFileRequested);
  connect(m_removeControl, &QPushButton::clicked, this, &CStationPanel::controlFileRemoved);
  connect(m_observe, &QPushButton::clicked, this, &CStationPanel::setupRequested);
  connect(m_method, &QComboBox::currentIndexChanged, this, [this] {
    showMethod();
    emit changed();
  });
  showMethod();
  for (QSpinBox* box : {m_angleDecimals, m_distanceDecimals})
    connect(box, &QSpinBox::valueChanged, this, &CStationPanel::changed);
  connect(m_angleFormat, &QComboBox::currentIndexChanged, this, &CStationPanel::changed);
}

// The heights' row: 测站高程, 仪器高, 目标高 and 两差改正.
QWidget* CStationPanel::makeHeights() {
  auto* heights = new QWidget(this);
  auto* row = new QHBoxLayout(heights);
  row->setContentsMargins(0, 0, 0, 0);
  const auto add = [&](const QString& label, const QString& placeholder) {
    QLineEdit* edit = field(placeholder, heights);
    auto* buddy = new QLabel(label, heights);
    buddy->setBuddy(edit);
    row->addWidget(buddy);
    row->addWidget(edit, 1);
    connect(edit, &QLineEdit::editingFinished, this, &CStationPanel::changed);
    watchNumber(*edit, readsAsNumber);
    return edit;
  };
  m_stationHeight = add(QStringLiteral("测站高程(&H):"), QStringLiteral("空：测站点的高程"));
  m_instrumentHeight = add(QStringLiteral("仪器高(&I):"), QStringLiteral("米"));
  m_targetHeight = add(QStringLiteral("目标高(&T):"), QStringLiteral("米"));
  m_earthCorrection = new QCheckBox(QStringLiteral("两差改正(&R)"), heights);
  m_earthCorrection->setToolTip(
      QStringLiteral("地球曲率和大气折光改正（K = 0.14，R = 6371 km），1 km 约 7 cm"));
  row->addWidget(m_earthCorrection);
  connect(m_earthCorrection, &QCheckBox::toggled, this, &CStationPanel::changed);
  return heights;
}

CStationPanel::PointRow CStationPanel::makeRow(const QString& role, bool withAzimuth) {
  PointRow row{role,
               new QComboBox(this),
               new QStackedWidget(this),
               new CPointNameBox(this),
               nullptr,
               nullptr,
               nullptr};
  row.kind->addItems({QStringLiteral("点名"), QStringLiteral("坐标")});
  auto* coordinates = new QWidget(this);
  auto* pair = new QHBoxLayout(coordinates);
  pair->setContentsMargins(0, 0, 0, 0);
  row.x = field(QStringLiteral("X（北）"), coordinates);
  row.y = field(QStringLiteral("Y（东）"), coordinates);
  pair->addWidget(row.x);
  pair->addWidget(row.y);
  row.pages->addWidget(row.name);
  row.pages->addWidget(coordinates);
  if (withAzimuth) {
    row.kind->addItem(QStringLiteral("方位角"));
    row.azimuth = field(QStringLiteral("方位角（度.分秒）"), this);
    row.pages->addWidget(row.azimuth);
    connect(row.azimuth, &QLineEdit::editingFinished, this, &CStationPanel::changed);
    watchNumber(*row.azimuth, readsAsAzimuth);
  }
  row.pages->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
  QStackedWidget* pages = row.pages;
  connect(row.kind, &QComboBox::currentIndexChanged, this, [this, pages](int index) {
    pages->setCurrentIndex(index);
    emit changed();
  });
  connect(row.name, &CPointNameBox::chosen, this, &CStationPanel::changed);
  for (QLineEdit* edit : {row.x, row.y}) {
    connect(edit, &QLineEdit::editingFinished, this, &CStationPanel::changed);
    watchNumber(*edit, readsAsNumber);
  }
  m_typing->watch(*row.name->lineEdit());
  return row;
}

// The table follows what is typed into `edit`; a text that does not read
// (`reads`) is marked at each key, the field shown set anew too.
void CStationPanel::watchNumber(QLineEdit& edit, bool (*reads)(const QLineEdit&)) {
  m_typing->watch(edit);
  const auto mark = [&edit, reads] { markField(edit, !reads(edit)); };
  connect(&edit, &QLineEdit::textChanged, this, mark);
}
