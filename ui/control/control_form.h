#pragma once

// The office's forms as data, before they are painted (control_printer.h):
// the 导线计算表 and the 水准测量成果计算表 in their classic columns. A
// form's rows alternate as on the paper form: a row a point (its name, its
// angle, its coordinates or height), and between two points a row of the
// leg or the section (azimuth, distance and increments; length and height
// difference), a correction written small over the number it corrects.
// Under the rows: the sums, the closures beside their limits (辅助计算),
// and the lines to sign (计算, 检查, 日期).

#include <QString>
#include <QStringList>
#include <vector>

#include "ui/control/level_sheet.h"
#include "ui/control/traverse_sheet.h"

struct FormColumn {
  QString group;  // over several columns ("坐标"); "" where the title stands alone
  QString title;  // "X (m)"
  double share;   // of the table's width, in proportion to the others
};

struct FormRow {
  QStringList cells;
  QStringList small;  // over the cells: the corrections of a leg or a section
  bool between = false;  // a leg's or a section's row, set between two points
};

struct ControlForm {
  QString title;    // 导线计算表
  QStringList facts;  // the heading's line: 导线类型、等级, ...
  std::vector<FormColumn> columns;
  std::vector<FormRow> rows;
  QStringList sums;  // Σ, by column
  std::vector<ClosureText> closures;  // 辅助计算
  const TraverseShown* sketch = nullptr;  // a traverse's route, drawn beside
};

// `title`: the route's name in the heading ("" for none).
ControlForm TraverseForm(const TraverseShown& shown, const QString& title);
ControlForm LevelForm(const LevelShown& shown, const QString& title);
