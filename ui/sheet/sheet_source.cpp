#include "ui/sheet/sheet_source.h"

#include "reader/sheet/sheet_resolver.h"
#include "ui/sheet/station_panel.h"

namespace {

// The roles of a setout row's columns.
std::span<const char* const> pointNumbers() {
  return reading::RowNumbers(reading::Mode::kSetout, true);
}

// The list as read; none where it is empty or does not read.
std::vector<reading::Column> columnsOf(const QString& list) {
  std::vector<reading::Column> columns;
  if (list.isEmpty() || reading::ReadColumns(list.toStdString(), pointNumbers(), true, columns))
    columns.clear();
  return columns;
}

QString columnsText(const std::vector<reading::Column>& columns) {
  return QString::fromStdString(reading::ColumnsText(columns, pointNumbers()));
}

}  // namespace

SheetSource SheetSource::Of(const reading::SheetRequest& request) {
  SheetSource source;
  if (const auto* file = std::get_if<reading::DesignFile>(&request.design))
    source.path = file->path;
  source.layout = {columnsText(request.columns), request.input};
  if (const auto* control = std::get_if<reading::ControlFile>(&request.known)) {
    source.controlPath = control->path;
    source.controlLayout = {control->columns ? columnsText(*control->columns) : QString(),
                            control->input.value_or(request.input)};
  }
  return source;
}

SheetSource SheetSource::OfPoints(const QString& title, std::vector<reading::DesignPoint> points) {
  SheetSource source;
  source.title = title;
  source.points = std::make_shared<const std::vector<reading::DesignPoint>>(std::move(points));
  source.layout.columns = QStringLiteral("name,code,x,y,h");
  return source;
}

reading::SheetRequest SheetSource::request(const CStationPanel& panel, QString& problem) const {
  reading::SheetRequest request;
  request.mode = reading::Mode::kSetout;
  const PanelSetup given = panel.setup();
  problem = given.problem;
  if (given.setup) request.setup = *given.setup;
  request.heights = given.heights;
  request.columns = columnsOf(layout.columns);
  request.decimals = panel.distanceDecimals();
  request.azimuthDecimals = panel.angleDecimals();
  request.angleFormat = panel.angleFormat();
  request.input = layout.input;
  if (controlPath.empty()) {
    request.known = reading::DesignNames();
  } else {
    reading::ControlFile control{controlPath, std::nullopt, controlLayout.input};
    if (!controlLayout.columns.isEmpty()) control.columns = columnsOf(controlLayout.columns);
    request.known = std::move(control);
  }
  if (points)
    request.design = *points;
  else
    request.design = reading::DesignFile{path};
  return request;
}
