#pragma once

// The closure limits a traverse or a levelling line is checked against, by
// the grades of the national code for engineering surveys, or typed.
//
// Traverse (angle closure k" sqrt(n), n the angles corrected; relative
// closure 1/N; a-priori standard errors for the rigorous adjustment):
//
//   grade  k     N      angle sigma  distance sigma
//   一级   10"   15000   5"           15 mm
//   二级   16"   10000   8"           15 mm
//   三级   24"    5000  12"           15 mm
//   图根   60"    2000  30"           15 mm
//
// The angle limit is twice the grade's angle standard error times sqrt(n),
// so the angle sigma is k / 2; the distance sigma is the code's ranging
// standard error for the three classed grades, taken for 图根 as well. A
// typed limit gives the same: k / 2 and 15 mm.
//
// Levelling (closure limit in mm, L the line's length in km, n its
// stations):
//
//   grade        by length   by stations
//   三等         12 sqrt(L)   4 sqrt(n)
//   四等         20 sqrt(L)   6 sqrt(n)
//   等外 (图根)  40 sqrt(L)  12 sqrt(n)

#include <string_view>

#include "core/control/control_error.h"

namespace survey {

struct TraverseLimits {
  double angleSeconds;       // k: the angle closure may reach k sqrt(n) seconds; above 0
  double relative;           // N: the relative closure may reach 1/N; above 0
  double angleSigmaSeconds;  // a-priori standard error of an angle, seconds
  double distanceSigmaMm;    // a-priori standard error of a distance, mm
};

struct LevelLimits {
  double perSqrtKm;       // the closure may reach this many mm times sqrt(L km)
  double perSqrtStation;  // or, counted by stations, this many mm times sqrt(n)
};

// A traverse grade by its name: 一级, 二级, 三级 or 图根. kUnknownGrade for
// any other name.
ControlOutcome<TraverseLimits> TraverseGrade(std::string_view name);

// Typed traverse limits: k" sqrt(n) and 1/N, each above 0 (else kBadLimit).
ControlOutcome<TraverseLimits> TypedTraverseLimits(double angleSeconds, double relative);

// A levelling grade by its name: 三等, 四等, 等外 or 图根 (the same as
// 等外). kUnknownGrade for any other name.
ControlOutcome<LevelLimits> LevelGrade(std::string_view name);

// A typed levelling limit, k mm times sqrt(L) or sqrt(n) (whichever the
// line is counted by), above 0 (else kBadLimit).
ControlOutcome<LevelLimits> TypedLevelLimits(double perSqrt);

}  // namespace survey
