#pragma once

// How a setting-out sheet looks wherever it shows, in one place: the
// window's table, Ctrl+C, the printed page and the PDF take from here the
// columns (title, text, alignment), the check line, the station line, the
// colour of what failed and the page with its margins.

#include <QColor>
#include <QPageLayout>
#include <QString>
#include <span>

#include "ui/sheet/sheet_rows.h"

struct SetoutSheet;

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
// decimals of lengths.
QString SetupLineText(const SetoutSheet& sheet);

// Failed rows, their points in the sketch, and what keeps a sheet from
// being computed.
QColor ErrorColour();

// A4 upright with margins of 15 mm: the printed and the exported page.
QPageLayout SheetPageLayout();
