#pragma once

// What a 坐标转换 sheet states above its tables, in the window's words:
// the job's parameters and conventions, so that the paper tells another
// office exactly what was done — the grid's origin and azimuth; the four
// parameters with the sign of θ and whether they were found (from how many
// points, the limit, the standard error) or given; the ellipsoid with its a
// and 1/f, the zone or central meridian, false easting, zone number in y,
// height surface and scale; both sides of a zone change.

#include <QStringList>

#include "ui/transform/transform_sheet.h"

QStringList StatementOf(const TransformSheet& sheet);

// "CGCS2000（a = 6378137 m，1/f = 298.257222101）".
QString EllipsoidText(survey::Ellipsoid ellipsoid);

// "3° 带 第 38 带，中央子午线 114°00′00″，东偏 500000 m，Y 前加带号，
// 投影面高程 0 m，中央子午线尺度 1".
QString ProjectionText(const survey::ProjectionSetup& setup);
