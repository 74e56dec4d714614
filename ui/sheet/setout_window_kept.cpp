// What the 放样表 keeps: the shown file's setup, so that it opens again as
// it was left (kept_file_setups.h), and the panel's choices and the page
// heading for the next window on a file without a setup of its own
// (setout_conf.h). The rest of the window is in setout_window.cpp.

#include "ui/sheet/setout_window.h"

#include <QAction>

#include "reader/fields/angle_text.h"
#include "ui/common/file_path.h"
#include "ui/sheet/kept_file_setups.h"
#include "ui/sheet/kept_station_setup.h"
#include "ui/sheet/setout_conf.h"
#include "ui/sheet/sheet_model.h"
#include "ui/sheet/station_panel.h"

using namespace setout_conf;

namespace {

reading::AngleFormat angleFormatOf(const QString& name) {
  reading::AngleFormat format = reading::AngleFormat::kPacked;
  reading::ReadAngleFormat(name.toStdString(), format);
  return format;
}

// Writes `value` where it differs from what is remembered.
void rememberChanged(const QString& key, const QVariant& value) {
  if (Recalled(key) != value) Remember(key, value);
}

}  // namespace

// The panel's choices and the page heading as the last window left them,
// for a file with no setup of its own.
void CSetoutWindow::recallChoices() {
  m_panel->setDecimals(Recalled(kAngleDecimals, 4).toInt(), Recalled(kDistanceDecimals, 3).toInt());
  int method = 0;
  reading::OrientedStation kept;
  SetupLimits limits;
  if (ReadSetupRecord(Recalled(kSetup), method, kept, limits)) {
    m_panel->setOriented(kept, limits);
    m_panel->setMethod(CStationPanel::Method(method));
  }
  m_panel->setAngleFormat(angleFormatOf(Recalled(kAngleFormat).toString()));
  m_panel->setHeightTexts(
      {Recalled(kStationHeight).toString(), Recalled(kInstrumentHeight).toString(),
       Recalled(kTargetHeight).toString(), Recalled(kEarthCorrection, false).toBool()});
  const QStringList heading = Recalled(kPageHeading).toStringList();
  for (std::size_t i = 0; i < m_heading.fields.size() && i < std::size_t(heading.size()); ++i)
    m_heading.fields[i] = heading[static_cast<qsizetype>(i)];
}

// The kept setup in the panel and in `source`, its ticks to go on the
// file's rows once they show.
void CSetoutWindow::applySetup(const SheetSetup& setup, Source& source) {
  source.layout = setup.layout;
  source.controlPath = setup.controlPath.isEmpty() ? std::string() : ChosenFileBytes(setup.controlPath);
  source.controlLayout = setup.controlLayout;
  {
    const QSignalBlocker quiet(m_panel);
    m_panel->showSetup(setup.setup ? *setup.setup
                                   : reading::StationAndBacksight{reading::PointName{},
                                                                  reading::PointName{}});
    int method = 0;
    reading::OrientedStation oriented;
    SetupLimits limits;
    if (ReadSetupRecord(setup.stationSetup, method, oriented, limits)) {
      m_panel->setOriented(oriented, limits);
      m_panel->setMethod(CStationPanel::Method(method));
    }
    m_panel->setHeightTexts({setup.stationHeight, setup.instrumentHeight, setup.targetHeight,
                             setup.earthCorrection});
    if (!setup.angleFormat.isEmpty()) m_panel->setAngleFormat(angleFormatOf(setup.angleFormat));
    m_panel->setDecimals(setup.angleDecimals, setup.distanceDecimals);
  }
  // The design columns as the file was left, without keeping them for the
  // file shown until the kept one shows.
  if (auto* design = findChild<QAction*>(QStringLiteral("designShown"))) {
    const QSignalBlocker quiet(design);
    design->setChecked(setup.designShown);
    m_model->setDesignShown(setup.designShown);
  }
  m_setup = setup.setup;
  m_wantedTicks = setup.ticks;
}

// The shown file's setup, kept for it.
void CSetoutWindow::keepSetup() {
  m_keepTicks.stop();
  if (m_shown.path.empty() || !m_model->sheet()) return;
  SheetSetup setup;
  setup.layout = m_shown.layout;
  setup.controlPath = m_shown.controlPath.empty() ? QString() : ShownPath(m_shown.controlPath);
  setup.controlLayout = m_shown.controlLayout;
  setup.setup = m_setup;
  setup.stationSetup =
      SetupRecord(int(m_panel->method()), m_panel->oriented(), m_panel->limits());
  const CStationPanel::HeightTexts heights = m_panel->heightTexts();
  setup.stationHeight = heights.station;
  setup.instrumentHeight = heights.instrument;
  setup.targetHeight = heights.target;
  setup.earthCorrection = heights.earthCorrection;
  setup.angleFormat = QString::fromUtf8(reading::AngleFormatName(m_panel->angleFormat()));
  setup.angleDecimals = m_panel->angleDecimals();
  setup.distanceDecimals = m_panel->distanceDecimals();
  setup.designShown = m_model->designShown();
  setup.ticks = m_model->ticks().kept();
  const QString path = KeptPath(m_shown.path);
  // Written where it changed (a new station, a tick), or for another file.
  if (m_kept && m_kept->first == path && m_kept->second == setup) return;
  setup.Keep(path);
  m_kept.emplace(path, std::move(setup));
}

// The panel's choices, for the next window on a file without a setup of
// its own: the decimals, the station setup, the angles' format and the
// heights as typed.
void CSetoutWindow::rememberPanel() {
  rememberChanged(kAngleDecimals, m_panel->angleDecimals());
  rememberChanged(kDistanceDecimals, m_panel->distanceDecimals());
  rememberChanged(kSetup,
                  SetupRecord(int(m_panel->method()), m_panel->oriented(), m_panel->limits()));
  rememberChanged(kAngleFormat,
                  QString::fromUtf8(reading::AngleFormatName(m_panel->angleFormat())));
  const CStationPanel::HeightTexts heights = m_panel->heightTexts();
  rememberChanged(kStationHeight, heights.station);
  rememberChanged(kInstrumentHeight, heights.instrument);
  rememberChanged(kTargetHeight, heights.target);
  rememberChanged(kEarthCorrection, heights.earthCorrection);
}
