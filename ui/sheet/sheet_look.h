#pragma once

// How a setting-out sheet looks wherever it shows, in one place: the
// window's table, Ctrl+C, the printed page, the PDF and the CSV take from
// here the columns (title, text, alignment), the check line, the station
// line, the heights line, the page heading's fields and the page with its
// margins; the colour of what failed and the faces are every window's
// (ui/common/window_look.h).

#include <QPageLayout>
#include <QString>
#include <array>
#include <string>
#include <vector>

#include "reader/rows/answer_format.h"
#include "reader/sheet/station_setup.h"
#include "ui/sheet/sheet_rows.h"

struct SetoutSheet;
struct SetupLimits;

// One column of the sheet's table.
struct SheetColumn {
  // What the column shows: a text of the row (`field`), or a coordinate of
  // its design point written with the sheet's decimals of lengths.
  enum class Shows : unsigned char { kField, kDesignX, kDesignY };
  const char* title;  // UTF-8: 点名, 编码, 方位角, 水平角, 距离, 设计高程, ...
  Shows shows;
  SheetRows::Field field;  // kField
  bool number;             // right-aligned; a failed row's message takes these columns' place
};

// The page heading's fields (工程名称, 仪器, 观测, 记录, 检查, 天气), as the user
// gives them: printed on every page, an empty one as a line to sign on.
struct PageHeading {
  static constexpr std::size_t kCount = 6;
  std::array<QString, kCount> fields;  // in the order of PageHeadingTitles()
  bool operator==(const PageHeading&) const = default;
};

// 工程名称, 仪器, 观测, 记录, 检查, 天气.
const std::array<QString, PageHeading::kCount>& PageHeadingTitles();

// What the user chose about how a sheet shows, beside the sheet itself.
struct SheetChoices {
  bool designShown = false;  // the design coordinates, 设计X and 设计Y
  PageHeading heading;
};

// The columns every sheet has: 点名, 编码, 方位角, 水平角, 距离, 设计高程.
inline constexpr std::size_t kBaseColumnCount = 6;

// Where the results start: a failed row's message runs from there across.
inline constexpr int kFirstNumberColumn = 2;

// The columns of `sheet` (none: a sheet without heights), in their order:
// the six every sheet has, the sight's 高差, 天顶距 and 斜距 where it has
// heights, and 设计X and 设计Y where they are shown. A listing
// (SetoutSheet::listed) has 点名, 编码, 设计X, 设计Y and 设计高程.
std::vector<SheetColumn> SheetColumns(const SetoutSheet* sheet, bool designShown);

// The column that shows a row's text `field`, as SheetColumns() gives it.
const SheetColumn& ColumnOf(SheetRows::Field field);

// The row's text of an answer column (the tool's), and so its sheet column.
SheetRows::Field FieldOf(const reading::AnswerColumn& column);

// The text of `column` in `row`, appended, as the tool writes it in an
// answer line: names and codes quoted where the row's separator needs it.
void AppendCellText(const SetoutSheet& sheet, std::size_t row, const SheetColumn& column,
                    std::string& out);
// The same as the table, the printed page and the PDF show it: names and
// codes as read ("K3, gate" without quotes).
QString CellText(const SetoutSheet& sheet, std::size_t row, const SheetColumn& column);

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

// The shortest text in fixed notation that reads back to the same number
// (a field shown as if typed: 500000, 2514230.25), with at least `decimals`
// decimals: a reading 0.001 as "0.0010" with 4.
QString ShortestText(double value, int decimals = 0);

// "测站高程 20.000  仪器高 1.552  目标高 1.300  两差改正：无" (or "有（K =
// 0.14，R = 6371 km）"), with the decimals of lengths; "" without heights.
QString HeightsLineText(const SetoutSheet& sheet);

// A4 with margins of 15 mm, the printed and the exported page: upright
// for the columns every sheet has, across where there are more.
QPageLayout SheetPageLayout(std::size_t columns = kBaseColumnCount);
