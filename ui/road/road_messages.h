#pragma once

// The 线路 window's words for what is wrong, in Chinese, naming the JDs of
// a design, the lines of its file or the field the user typed into. The
// reader says what is wrong as values (road_design.h, text_file.h,
// field_number.h); the tool words the same values in English.

#include <QString>

#include "core/alignment/alignment_error.h"
#include "reader/road/road_design.h"

// What keeps a road from being read or built: "jd.csv 第 2 行：JD1 与 JD2
// 的曲线重叠 444.174 m（两切线长之和大于交点间距）".
QString RoadProblem(const reading::RoadError& error);

// A chainage typed into `field` ("桩号") that is none.
QString ChainageProblem(const QString& field, const QString& text);

// What keeps one point from being computed on the road: a chainage outside
// it (`start` and `end` its ends), a point beside every element.
QString PointProblem(const survey::AlignmentError& error, double start, double end);

// The profile does not reach `chainage`; it runs from `start` to `end`.
QString HeightProblem(double start, double end);
