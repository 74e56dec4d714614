#pragma once

// The worked cases as a user types them into the 导线/水准 window: the
// attached traverse B-1-2-3-4-C (azimuths in and out typed) and the
// published attached levelling line BMA-1-2-3-BMB over 6, 5, 5 and 4
// stations, the same observations as docs/traverse.txt and docs/level.txt.

#include "ui/control/level_sheet.h"
#include "ui/control/traverse_sheet.h"

namespace control_test {

inline TraverseTyped WorkedTraverse() {
  TraverseTyped typed;
  typed.kind = survey::TraverseKind::kAttached;
  typed.grade = QStringLiteral("图根");
  typed.start = {QStringLiteral("B"), QStringLiteral("2507.698"), QStringLiteral("1215.637")};
  typed.end = {QStringLiteral("C"), QStringLiteral("2166.646"), QStringLiteral("1757.344")};
  typed.azimuthIn = QStringLiteral("237.5930");
  typed.azimuthOut = QStringLiteral("46.4524");
  typed.rows = {{"B", "99.0100", "225.848"},  {"1", "167.4536", "139.026"},
                {"2", "123.1124", "172.572"}, {"3", "189.2036", "100.067"},
                {"4", "179.5918", "102.483"}, {"C", "129.2724", ""}};
  return typed;
}

inline LevelTyped WorkedLevel() {
  LevelTyped typed;
  typed.kind = survey::LevelKind::kAttached;
  typed.count = survey::LevelCount::kStations;
  typed.grade = QStringLiteral("等外");
  typed.startName = QStringLiteral("BMA");
  typed.startHeight = QStringLiteral("421.326");
  typed.endName = QStringLiteral("BMB");
  typed.endHeight = QStringLiteral("425.062");
  typed.rows = {{"1", "+0.152", "6"}, {"2", "-0.325", "5"}, {"3", "+1.428", "5"},
                {"BMB", "+2.511", "4"}};
  return typed;
}

}  // namespace control_test
