#include "ui/sheet/station_panel.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QSpinBox>
#include <QStackedWidget>
#include <type_traits>

#include "reader/field_number.h"
#include "ui/sheet/point_name_box.h"
#include "ui/sheet/sheet_look.h"
#include "ui/sheet/sheet_messages.h"

namespace {

// Pages of a point's row, in the order of its kind list.
enum Page { kNamePage, kCoordinatesPage, kAzimuthPage };

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

// The number typed into `edit`, the field named `name` in what is wrong.
std::optional<double> number(const QLineEdit& edit, const QString& name, QString& problem) {
  const QString text = edit.text().trimmed();
  double value = 0.0;
  const reading::FieldNumber read = reading::ReadFieldNumber(text.toStdString(), value);
  if (!text.isEmpty() && read == reading::FieldNumber::kNumber) return value;
  problem = NumberProblem(name, read, text);
  return std::nullopt;
}

// The shortest text that reads back to the same number.
QString numberText(double value) {
  return QString::number(value, 'g', QLocale::FloatingPointShortest);
}

}  // namespace

CStationPanel::CStationPanel(QWidget* parent) : QWidget(parent) {
  auto* grid = new QGridLayout(this);
  m_station = makeRow(QStringLiteral("测站"), false);
  m_backsight = makeRow(QStringLiteral("后视"), true);
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
  m_removeControl = new QPushButton(QStringLiteral("移除(&M)"), this);
  m_removeControl->setToolTip(QStringLiteral("不用控制点文件：点名取自坐标文件"));
  auto* control = new QHBoxLayout;
  control->addWidget(m_controlFile, 1);
  control->addWidget(m_removeControl);
  setControlFile(QString());
  grid->addWidget(m_chooseControl, 0, 3);
  grid->addLayout(control, 0, 4, 1, 3);

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
  m_checkLine->setObjectName(QStringLiteral("checkLine"));
  m_checkLine->setTextInteractionFlags(Qt::TextSelectableByMouse);
  m_checkLine->setWordWrap(true);  // a long message shows whole
  QFont bold = m_checkLine->font();
  bold.setBold(true);
  m_checkLine->setFont(bold);
  grid->addWidget(m_checkLine, 2, 0, 1, 7);
  grid->setColumnStretch(2, 1);

  connect(m_chooseControl, &QPushButton::clicked, this, &CStationPanel::controlFileRequested);
  connect(m_removeControl, &QPushButton::clicked, this, &CStationPanel::controlFileRemoved);
  for (QSpinBox* box : {m_angleDecimals, m_distanceDecimals})
    connect(box, &QSpinBox::valueChanged, this, &CStationPanel::changed);
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
  }
  row.pages->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
  QStackedWidget* pages = row.pages;
  connect(row.kind, &QComboBox::currentIndexChanged, this, [this, pages](int index) {
    pages->setCurrentIndex(index);
    emit changed();
  });
  connect(row.name, &CPointNameBox::chosen, this, &CStationPanel::changed);
  for (QLineEdit* edit : {row.x, row.y})
    connect(edit, &QLineEdit::editingFinished, this, &CStationPanel::changed);
  return row;
}

void CStationPanel::setNames(std::shared_ptr<const NameIndex> names) {
  m_station.name->setNames(names);
  m_backsight.name->setNames(std::move(names));
}

void CStationPanel::setControlFile(const QString& shownName) {
  m_controlFile->setText(shownName.isEmpty() ? QStringLiteral("（无：点名取自坐标文件）")
                                             : shownName);
  m_removeControl->setVisible(!shownName.isEmpty());
}

// The point of `row` as typed: a name, coordinates or (the backsight's) an
// azimuth; none, with `problem` naming the field, where one is wrong.
template <class Point>
std::optional<Point> CStationPanel::readRow(const PointRow& row, QString& problem) {
  switch (row.kind->currentIndex()) {
    case kCoordinatesPage: {
      const auto x = number(*row.x, row.role + QStringLiteral(" X（北）"), problem);
      const auto y = x ? number(*row.y, row.role + QStringLiteral(" Y（东）"), problem) : x;
      if (!y) return std::nullopt;
      return Point(reading::Point{*x, *y});
    }
    case kAzimuthPage:
      if constexpr (std::is_same_v<Point, reading::Backsight>) {
        const QString text = row.azimuth->text().trimmed();
        double packed = 0.0;
        const reading::TypedAzimuth read = reading::ReadTypedAzimuth(text.toStdString(), packed);
        if (!text.isEmpty() && read == reading::TypedAzimuth::kAzimuth)
          return Point(reading::PackedAzimuth{packed});
        problem = AzimuthProblem(QStringLiteral("后视方位角"), read, text);
        return std::nullopt;
      }
      break;
    default:
      break;
  }
  const QString name = row.name->name();
  if (name.isEmpty()) {
    problem = QStringLiteral("请输入%1点名").arg(row.role);
    return std::nullopt;
  }
  return Point(reading::PointName{name.toStdString()});
}

PanelSetup CStationPanel::setup() const {
  PanelSetup read;
  const auto station = readRow<reading::StationPoint>(m_station, read.problem);
  const auto backsight =
      station ? readRow<reading::Backsight>(m_backsight, read.problem) : std::nullopt;
  if (backsight) read.setup = reading::StationAndBacksight{*station, *backsight};
  return read;
}

// Shows a point in `row`'s fields and picks its kind.
template <class Point>
void CStationPanel::showPoint(PointRow& row, const Point& point) {
  std::visit(
      [&row](const auto& given) {
        using Given = std::decay_t<decltype(given)>;
        if constexpr (std::is_same_v<Given, reading::PointName>) {
          row.kind->setCurrentIndex(kNamePage);
          row.name->setName(QString::fromStdString(given.name));
        } else if constexpr (std::is_same_v<Given, reading::Point>) {
          row.kind->setCurrentIndex(kCoordinatesPage);
          row.x->setText(numberText(given.x));
          row.y->setText(numberText(given.y));
        } else if (row.azimuth) {
          row.kind->setCurrentIndex(kAzimuthPage);
          row.azimuth->setText(numberText(given.packed));
        }
      },
      point);
}

void CStationPanel::showSetup(const reading::StationAndBacksight& setup) {
  showPoint(m_station, setup.station);
  if (setup.backsight) showPoint(m_backsight, *setup.backsight);
}

int CStationPanel::angleDecimals() const { return m_angleDecimals->value(); }
int CStationPanel::distanceDecimals() const { return m_distanceDecimals->value(); }

void CStationPanel::setDecimals(int angle, int distance) {
  m_angleDecimals->setValue(angle);
  m_distanceDecimals->setValue(distance);
}

void CStationPanel::setCheckLine(const QString& text, bool problem) {
  m_checkLine->setText(text);
  QPalette palette = m_checkLine->palette();
  palette.setColor(QPalette::WindowText, problem ? ErrorColour() : QColor(Qt::black));
  m_checkLine->setPalette(palette);
}
