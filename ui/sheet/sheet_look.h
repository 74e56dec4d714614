#pragma once

// How a setting-out sheet looks wherever it shows, in one place: the
// window's table, Ctrl+C, the printed page and the PDF take from here the
// columns (title, text, alignment), the check line, the station line, the
// colour of what failed and the page with its margins.

#include <QColor>
#include <QPageLayout>
#include <QString>
#include <span>

#include "reader/station_setup.h"
#include "ui/sheet/sheet_rows.h"

struct SetoutSheet;
struct SetupLimits;

// One column of the sheet's table.
struct SheetColumn {
  const char* title;  // UTF-8: 点名, 编码, 方位角, 水平角, 距离, 设计高程
  SheetRows::Field field;
  bool number;  // right-aligned; a failed row's message takes these columns' place
};

// The table's columns, in their order.
std::span<const SheetColumn> SheetColumns();

// Where the numbers start: a failed row's message runs from there across.
inline constexpr int kFirstNumberColumn = 2;

// "检核：后视方位角 7.3541   距离 151.327", the distance only where the
// backsight is a point.
QString CheckLineText(const SetoutSheet& sheet);

// "测站 A1  X 3350000.000  Y 500000.000    后视 A2  X ...  Y ...", or the
// backsight's azimuth where it is one; coordinates with the sheet's
// decimals of lengths. For a station setup on sightings, its station and
// orientation (SetupStationText), and the check line its quality
// (SetupCheckText).
QString SetupLineText(const SetoutSheet& sheet);

// A setup's station and orientation as the sheet takes them:
// "自由设站  X 6188.9593  Y 8356.6768    定向 349.595819", "多后视定向  测站 A1
// X ...  Y ...    定向 ...".
QString SetupStationText(const reading::SheetSetup& setup);

// A setup's quality: "mX 3.5 mm  mY 1.7 mm  σ0 2.49    11 个观测，超限 3 个"
// (a free station), "3 个观测，超限 0 个"; over the limits as OverLimits
// counts.
QString SetupCheckText(const reading::SheetSetup& setup, const SetupLimits& limits);

// How many of a setup's residuals are over the limits: readings' by the
// seconds, distances' by the millimetres.
int OverLimits(const reading::SetupAnswer& answer, const SetupLimits& limits);

// A residual with one decimal and its sign: "+2.9", "-12.7", "0.0"; one
// over its limit marked "*": "+11.4*".
QString ResidualText(double value, bool over = false);

// The shortest text that reads back to the same number (a field shown as
// if typed), with at least `decimals` decimals: a reading 0.001 as
// "0.0010" with 4.
QString ShortestText(double value, int decimals = 0);

// Failed rows, their points in the sketch, and what keeps a sheet from
// being computed.
QColor ErrorColour();

// A4 upright with margins of 15 mm: the printed and the exported page.
QPageLayout SheetPageLayout();
