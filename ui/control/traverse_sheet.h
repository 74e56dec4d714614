#pragma once

// A traverse as the 导线 page holds it, as texts, and the computation
// table made of it: the page's fields and its observation rows (点名,
// 观测角, 距离 and, for a slope distance, 天顶角) read as the tool reads
// its rows and known points (reader/control/) into the arithmetic's input
// (core/control/traverse.h), the table computed by the compass rule or
// rigorously, and its cells written by the tool's own writers, so that the
// window's table is corvane-calc traverse's to the character.
//
// The rows run in the order of travel, the start first: an attached
// traverse's last row is its end, a closed loop's last row its start
// again. The known points' names name the first and the last row where
// those rows have none; the rows must start on the start (and end on the
// end) as the tool's do.

#include <QString>
#include <QStringList>
#include <memory>
#include <optional>
#include <vector>

#include "core/control/traverse.h"
#include "core/control/traverse_rigorous.h"
#include "reader/control/control_answer.h"
#include "ui/common/text_table.h"

struct KnownTyped {
  QString name, x, y;
  bool operator==(const KnownTyped&) const = default;
};

struct TraverseTyped {
  survey::TraverseKind kind = survey::TraverseKind::kAttached;
  survey::AngleSide side = survey::AngleSide::kLeft;
  QString grade = QStringLiteral("图根");  // 一级 二级 三级 图根; "" for the typed limits
  QString angleLimit;                      // k″ of ±k″√n, typed
  QString relativeLimit;                   // N of 1/N, typed
  bool rigorous = false;
  // A backsight (foresight) point with both coordinates fixes the azimuth
  // in (out) in place of the azimuth typed.
  KnownTyped backsight, start, end, foresight;
  QString azimuthIn, azimuthOut;  // packed DMS
  std::vector<QStringList> rows;  // 点名 观测角 距离 [天顶角]; blank rows are left out
  bool operator==(const TraverseTyped&) const = default;
};

struct TraverseShown {
  TraverseTyped typed;
  survey::TraverseInput input;
  QStringList names;  // one per station
  survey::TraverseResult result;
  std::optional<survey::RigorousTraverse> rigorous;
  reading::ControlAnswer answer;  // the tool's cells
};

// The observation rows' columns.
enum TraverseColumn { kStationName, kStationAngle, kStationDistance, kStationZenith };

// Reads and computes `typed`; null, with `problem` saying why in Chinese,
// where it makes no table.
std::shared_ptr<const TraverseShown> ComputeTraverseSheet(const TraverseTyped& typed,
                                                          QString& problem);

// The computation table: a row a station, the leg to the next on its row;
// the tool's columns (reader/control/control_text.h) under Chinese titles.
TextTable TraverseTable(const TraverseShown& shown);

// The closures beside their limits, one text each: the angle closure
// ("fβ = −36″，限差 ±147″"), the coordinate closure ("fx = −0.038 m …"),
// the relative closure ("K = 1/9567，限差 1/2000"); a text is marked over
// where its closure exceeds the limit.
struct ClosureText {
  QString text;
  bool over = false;
};
std::vector<ClosureText> TraverseClosures(const TraverseShown& shown);

// "附合导线", "闭合导线", "无定向附合导线", "支导线".
QString TraverseKindName(survey::TraverseKind kind);
