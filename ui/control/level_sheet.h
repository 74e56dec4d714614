#pragma once

// A levelling line as the 水准 page holds it, as texts, and the
// computation table made of it: the page's fields and its rows (点名, 高差,
// 距离 in km or 测站数: the section from the row before to the point named)
// read as the tool reads its rows and benchmarks (reader/control/) into
// the arithmetic's input (core/control/level_line.h), and the table's
// cells written by the tool's own writers, corvane-calc level's to the
// character.
//
// The last row ends on the end benchmark (附合) or the start (闭合). An
// out-and-back line (支水准) has its run out and its run back in the same
// rows: the run out ends at the row named as the turning point (the 终点's
// name), the rows after it are the run back to the start.

#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

#include "core/control/level_line.h"
#include "reader/control/control_answer.h"
#include "ui/common/text_table.h"
#include "ui/control/traverse_sheet.h"

struct LevelTyped {
  survey::LevelKind kind = survey::LevelKind::kAttached;
  survey::LevelCount count = survey::LevelCount::kLength;
  QString grade = QStringLiteral("等外");  // 三等 四等 等外; "" for the typed limit
  QString limit;                           // k of ±k√L or ±k√n mm, typed
  QString startName, startHeight, endName, endHeight;
  std::vector<QStringList> rows;  // 点名 高差 距离/测站数; blank rows are left out
  bool operator==(const LevelTyped&) const = default;
};

struct LevelShown {
  LevelTyped typed;
  survey::LevelInput input;
  QStringList names;      // the run out's points, one per section
  QStringList backNames;  // 支水准: the run back's
  survey::LevelResult result;
  reading::ControlAnswer answer;  // the tool's cells
};

enum LevelColumn { kSectionName, kSectionDh, kSectionLength };

// Reads and computes `typed`; null, with `problem` saying why in Chinese,
// where it makes no table.
std::shared_ptr<const LevelShown> ComputeLevelSheet(const LevelTyped& typed, QString& problem);

// The computation table: the start's row with its known height, then a row
// a section, at its end point (the run back's observed only); the tool's
// columns under Chinese titles.
TextTable LevelTable(const LevelShown& shown);

// The closure beside its limit ("fh = +30 mm，限差 ±54 mm"), marked over
// where it exceeds it, and the sums.
std::vector<ClosureText> LevelClosures(const LevelShown& shown);

// "附合水准路线", "闭合水准路线", "支水准路线".
QString LevelKindName(survey::LevelKind kind);
