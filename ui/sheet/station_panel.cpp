#include "ui/sheet/station_panel.h"

#include <QComboBox>
#include <QCompleter>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QSpinBox>
#include <QStackedWidget>
#include <QStringListModel>

namespace {

// Pages of a point's row, in the order of its kind list.
enum Page { kNamePage, kCoordinatesPage, kAzimuthPage };

QComboBox* nameList(QWidget* parent) {
  auto* box = new QComboBox(parent);
  box->setEditable(true);
  box->setInsertPolicy(QComboBox::NoInsert);
  box->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  box->setMinimumContentsLength(12);
  box->setModel(new QStringListModel(box));
  // Typing any part of a name finds it, in any case: lists run to many
  // thousands of names.
  box->completer()->setFilterMode(Qt::MatchContains);
  box->completer()->setCaseSensitivity(Qt::CaseInsensitive);
  box->completer()->setCompletionMode(QCompleter::PopupCompletion);
  if (auto* view = qobject_cast<QListView*>(box->view())) view->setUniformItemSizes(true);
  box->lineEdit()->setPlaceholderText(QStringLiteral("点名"));
  return box;
}

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

}  // namespace

CStationPanel::CStationPanel(QWidget* parent) : QWidget(parent) {
  auto* grid = new QGridLayout(this);
  m_station = makeRow(false);
  m_backsight = makeRow(true);
  auto* stationLabel = new QLabel(QStringLiteral("测站(&S):"), this);
  stationLabel->setBuddy(m_station.kind);
  auto* backsightLabel = new QLabel(QStringLiteral("后视(&B):"), this);
  backsightLabel->setBuddy(m_backsight.kind);
  grid->addWidget(stationLabel, 0, 0);
  grid->addWidget(m_station.kind, 0, 1);
  grid->addWidget(m_station.pages, 0, 2);
  grid->addWidget(backsightLabel, 1, 0);
  grid->addWidget(m_backsight.kind, 1, 1);
  grid->addWidget(m_backsight.pages, 1, 2);

  m_controlFile = new QLabel(this);
  m_chooseControl = new QPushButton(QStringLiteral("控制点文件(&K)..."), this);
  setControlFile(QString());
  grid->addWidget(m_chooseControl, 0, 3);
  grid->addWidget(m_controlFile, 0, 4, 1, 3);

  m_angleDecimals = decimals(4, this);
  m_distanceDecimals = decimals(3, this);
  auto* angleLabel = new QLabel(QStringLiteral("角度小数位(&A):"), this);
  angleLabel->setBuddy(m_angleDecimals);
  auto* distanceLabel = new QLabel(QStringLiteral("距离小数位(&D):"), this);
  distanceLabel->setBuddy(m_distanceDecimals);
  grid->addWidget(angleLabel, 1, 3);
  grid->addWidget(m_angleDecimals, 1, 4);
  grid->addWidget(distanceLabel, 1, 5);
  grid->addWidget(m_distanceDecimals, 1, 6);

  m_checkLine = new QLabel(this);
  m_checkLine->setTextInteractionFlags(Qt::TextSelectableByMouse);
  QFont bold = m_checkLine->font();
  bold.setBold(true);
  m_checkLine->setFont(bold);
  grid->addWidget(m_checkLine, 2, 0, 1, 7);
  grid->setColumnStretch(2, 1);

  connect(m_chooseControl, &QPushButton::clicked, this, &CStationPanel::controlFileRequested);
  for (QSpinBox* box : {m_angleDecimals, m_distanceDecimals})
    connect(box, &QSpinBox::valueChanged, this, &CStationPanel::changed);
}

CStationPanel::PointRow CStationPanel::makeRow(bool withAzimuth) {
  PointRow row{
      new QComboBox(this), new QStackedWidget(this), nameList(this), nullptr, nullptr, nullptr};
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
  }
  row.pages->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
  QStackedWidget* pages = row.pages;
  connect(row.kind, &QComboBox::currentIndexChanged, this, [this, pages](int index) {
    pages->setCurrentIndex(index);
    emit changed();
  });
  connect(row.name, &QComboBox::activated, this, &CStationPanel::changed);
  connect(row.name->lineEdit(), &QLineEdit::editingFinished, this, &CStationPanel::changed);
  for (QLineEdit* edit : {row.x, row.y})
    connect(edit, &QLineEdit::editingFinished, this, &CStationPanel::changed);
  return row;
}

void CStationPanel::setPointNames(const QStringList& names) {
  for (QComboBox* box : {m_station.name, m_backsight.name}) {
    const QString typed = box->currentText();
    static_cast<QStringListModel*>(box->model())->setStringList(names);
    box->setEditText(typed);
  }
}

void CStationPanel::setControlFile(const QString& shownName) {
  m_controlFile->setText(shownName.isEmpty() ? QStringLiteral("（无：点名取自坐标文件）")
                                             : shownName);
}

PointChoice CStationPanel::choiceOf(const PointRow& row) {
  PointChoice choice;
  switch (row.kind->currentIndex()) {
    case kCoordinatesPage:
      choice.kind = PointChoice::Kind::kCoordinates;
      break;
    case kAzimuthPage:
      choice.kind = PointChoice::Kind::kAzimuth;
      break;
    default:
      choice.kind = PointChoice::Kind::kName;
  }
  choice.name = row.name->currentText().trimmed();
  choice.x = row.x->text().trimmed();
  choice.y = row.y->text().trimmed();
  if (row.azimuth) choice.azimuth = row.azimuth->text().trimmed();
  return choice;
}

void CStationPanel::show(PointRow& row, const PointChoice& choice) {
  const int page = choice.kind == PointChoice::Kind::kCoordinates              ? kCoordinatesPage
                   : choice.kind == PointChoice::Kind::kAzimuth && row.azimuth ? kAzimuthPage
                                                                               : kNamePage;
  row.kind->setCurrentIndex(page);
  row.name->setEditText(choice.name);
  row.x->setText(choice.x);
  row.y->setText(choice.y);
  if (row.azimuth) row.azimuth->setText(choice.azimuth);
}

PointChoice CStationPanel::station() const { return choiceOf(m_station); }
PointChoice CStationPanel::backsight() const { return choiceOf(m_backsight); }
void CStationPanel::setStation(const PointChoice& choice) { show(m_station, choice); }
void CStationPanel::setBacksight(const PointChoice& choice) { show(m_backsight, choice); }
int CStationPanel::angleDecimals() const { return m_angleDecimals->value(); }
int CStationPanel::distanceDecimals() const { return m_distanceDecimals->value(); }

void CStationPanel::setDecimals(int angle, int distance) {
  m_angleDecimals->setValue(angle);
  m_distanceDecimals->setValue(distance);
}

void CStationPanel::setCheckLine(const QString& text, bool problem) {
  m_checkLine->setText(text);
  QPalette palette = m_checkLine->palette();
  palette.setColor(QPalette::WindowText, problem ? QColor(200, 0, 0) : QColor(0, 0, 0));
  m_checkLine->setPalette(palette);
}
