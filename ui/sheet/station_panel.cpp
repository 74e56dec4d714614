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
#include <algorithm>
#include <type_traits>

#include "reader/fields/field_number.h"
#include "ui/common/problem_text.h"
#include "ui/common/typing_watch.h"
#include "ui/common/window_look.h"
#include "ui/sheet/point_name_box.h"
#include "ui/sheet/sheet_look.h"
#include "ui/sheet/sheet_messages.h"

namespace {

// Pages of a point's row, in the order of its kind list.
enum Page { kNamePage, kCoordinatesPage, kAzimuthPage };

// The number typed into `edit`, the field named `name` in what is wrong.
std::optional<double> number(const QLineEdit& edit, const QString& name, QString& problem) {
  const QString text = edit.text().trimmed();
  double value = 0.0;
  const reading::FieldNumber read = reading::ReadFieldNumber(text.toStdString(), value);
  if (!text.isEmpty() && read == reading::FieldNumber::kNumber) return value;
  problem = NumberProblem(name, read, text);
  return std::nullopt;
}

}  // namespace

void CStationPanel::flush() { m_typing->flush(); }

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
  if (method() != Method::kBacksight) {
    const reading::OrientedStation setup = oriented();
    if (method() == Method::kBacksights && !setup.station) {
      readRow<reading::StationPoint>(m_station, read.problem);
    } else if (setup.sightings.empty()) {
      read.problem = method() == Method::kFree ? QStringLiteral("请点“观测...”输入自由设站的观测")
                                               : QStringLiteral("请点“观测...”输入各后视点的读数");
    } else {
      read.setup = setup;
    }
  } else {
    const auto station = readRow<reading::StationPoint>(m_station, read.problem);
    const auto backsight =
        station ? readRow<reading::Backsight>(m_backsight, read.problem) : std::nullopt;
    if (backsight) read.setup = reading::StationAndBacksight{*station, *backsight};
  }
  if (read.setup) {
    read.heights = readHeights(read.problem);
    if (!read.problem.isEmpty()) read.setup.reset();  // no sheet without the heights asked for
  }
  return read;
}

// The heights as typed; none, with `problem` naming the field where one is
// wrong or missing, or where none is typed.
std::optional<reading::SightHeights> CStationPanel::readHeights(QString& problem) const {
  if (m_stationHeight->text().trimmed().isEmpty() &&
      m_instrumentHeight->text().trimmed().isEmpty() && m_targetHeight->text().trimmed().isEmpty())
    return std::nullopt;
  reading::SightHeights heights;
  if (!m_stationHeight->text().trimmed().isEmpty()) {
    heights.station = number(*m_stationHeight, QStringLiteral("测站高程"), problem);
    if (!heights.station) return std::nullopt;
  }
  const auto instrument = number(*m_instrumentHeight, QStringLiteral("仪器高"), problem);
  const auto target =
      instrument ? number(*m_targetHeight, QStringLiteral("目标高"), problem) : instrument;
  if (!target) return std::nullopt;
  heights.instrument = *instrument;
  heights.target = *target;
  heights.earthCorrection = m_earthCorrection->isChecked();
  return heights;
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
          row.x->setText(ShortestText(given.x));
          row.y->setText(ShortestText(given.y));
        } else if (row.azimuth) {
          row.kind->setCurrentIndex(kAzimuthPage);
          row.azimuth->setText(ShortestText(given.packed));
        }
      },
      point);
}

void CStationPanel::showSetup(const reading::StationAndBacksight& setup) {
  setMethod(Method::kBacksight);
  showPoint(m_station, setup.station);
  if (setup.backsight) showPoint(m_backsight, *setup.backsight);
}

void CStationPanel::showSetup(const reading::OrientedStation& setup) {
  if (setup.station) showPoint(m_station, *setup.station);
  setOriented(setup, m_limits);
  setMethod(setup.method == reading::OrientedStation::Method::kFree ? Method::kFree
                                                                    : Method::kBacksights);
}

void CStationPanel::forgetNamesNotIn(const std::function<bool(const std::string&)>& known) {
  const QSignalBlocker quiet(this);
  for (PointRow* row : {&m_station, &m_backsight}) {
    const QString name = row->name->name();
    if (row->kind->currentIndex() == kNamePage && !name.isEmpty() && !known(name.toStdString()))
      row->name->setName(QString());
  }
  const auto& sightings = m_oriented.sightings;
  if (!std::all_of(sightings.begin(), sightings.end(),
                   [&](const reading::SetupSighting& sighting) { return known(sighting.name); })) {
    m_oriented.sightings.clear();
    showMethod();
  }
}

CStationPanel::Method CStationPanel::method() const { return Method(m_method->currentIndex()); }

void CStationPanel::setMethod(Method method) { m_method->setCurrentIndex(int(method)); }

reading::OrientedStation CStationPanel::oriented() const {
  reading::OrientedStation setup = m_oriented;
  setup.method = method() == Method::kFree ? reading::OrientedStation::Method::kFree
                                           : reading::OrientedStation::Method::kBacksights;
  setup.station.reset();
  QString problem;
  if (method() == Method::kBacksights)
    setup.station = readRow<reading::StationPoint>(m_station, problem);
  return setup;
}

void CStationPanel::setOriented(const reading::OrientedStation& setup, const SetupLimits& limits) {
  m_oriented.sightings = setup.sightings;
  m_oriented.sigmas = setup.sigmas;
  m_limits = limits;
  showMethod();
}

// The rows and buttons the method takes.
void CStationPanel::showMethod() {
  const Method method = this->method();
  const bool stationShown = method != Method::kFree;
  const bool backsightShown = method == Method::kBacksight;
  for (QWidget* part :
       {static_cast<QWidget*>(m_stationLabel), static_cast<QWidget*>(m_station.kind),
        static_cast<QWidget*>(m_station.pages)})
    part->setVisible(stationShown);
  for (QWidget* part :
       {static_cast<QWidget*>(m_backsightLabel), static_cast<QWidget*>(m_backsight.kind),
        static_cast<QWidget*>(m_backsight.pages)})
    part->setVisible(backsightShown);
  m_observe->setVisible(!backsightShown);
  m_setupSummary->setVisible(!backsightShown);
  const std::size_t count = m_oriented.sightings.size();
  m_setupSummary->setText(count == 0 ? QStringLiteral("尚无观测")
                                     : QStringLiteral("%1 个观测").arg(count));
}

void CStationPanel::showHeights(const std::optional<reading::SightHeights>& heights) {
  HeightTexts texts;
  if (heights) {
    if (heights->station) texts.station = ShortestText(*heights->station);
    texts.instrument = ShortestText(heights->instrument);
    texts.target = ShortestText(heights->target);
    texts.earthCorrection = heights->earthCorrection;
  }
  setHeightTexts(texts);
}

CStationPanel::HeightTexts CStationPanel::heightTexts() const {
  return {m_stationHeight->text(), m_instrumentHeight->text(), m_targetHeight->text(),
          m_earthCorrection->isChecked()};
}

void CStationPanel::setHeightTexts(const HeightTexts& texts) {
  m_stationHeight->setText(texts.station);
  m_instrumentHeight->setText(texts.instrument);
  m_targetHeight->setText(texts.target);
  m_earthCorrection->setChecked(texts.earthCorrection);
}

reading::AngleFormat CStationPanel::angleFormat() const {
  return reading::AngleFormat(m_angleFormat->currentData().toInt());
}

void CStationPanel::setAngleFormat(reading::AngleFormat format) {
  m_angleFormat->setCurrentIndex(m_angleFormat->findData(int(format)));
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
