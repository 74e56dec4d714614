#pragma once

// How the 线路 window's tables look wherever they show, in one place: the
// window's tabs, the printed pages, the PDF take from here their columns
// (the Chinese titles over the texts corvane-calc writes: curve_table.h,
// stake_list.h) and the page.

#include <QPageLayout>
#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

#include "reader/road/curve_table.h"
#include "reader/road/road_design.h"
#include "reader/road/stake_list.h"
#include "ui/common/text_table.h"

// A road as the window shows it: the design, its rows for stakes, and the
// decimals its texts are written with.
struct RoadShown {
  std::shared_ptr<const reading::RoadDesign> design;
  std::shared_ptr<const reading::RoadRows> rows;
  reading::RoadDecimals decimals;
};

// A JD's deflection as a curve table prints it, its side in words and its
// size in D°M′S″ with the angles' decimals (at least whole seconds):
// "左 78°20′44″" for -78.2044, "右 ..." for a curve to the right.
QString TurnText(double packed, const reading::RoadDecimals& decimals);

// The curve table of a JD table (the start point first, a row a JD with its
// X and Y, the end point last), 转角 as TurnText; none for an element table.
TextTable CurveTable(const RoadShown& road);

// The main points, of either kind of table: 主点, 桩号, X, Y, 方位角.
TextTable MainPointTable(const RoadShown& road);

// The stake list's column titles (桩名 ... 设计高程), and the text of a cell.
QStringList StakeTitles();
QString StakeText(const reading::Stake& stake, reading::StakeField field,
                  const reading::RoadDecimals& decimals);

// "交点表 jd.csv：4 个交点，K0+000.000 至 K1+050.220，全长 1050.220 m".
QString RoadSummary(const RoadShown& road);

// A4 across with margins of 12 mm: the printed and the exported page.
QPageLayout RoadPageLayout();
