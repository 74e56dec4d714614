#pragma once

// What the 导线/水准 window writes to files: the computation table as CSV
// (UTF-8 with a byte order mark, so that a spreadsheet on Chinese Windows
// reads it: the titles, a row a station or a section, then the closures),
// a traverse's adjusted points as a CASS point file (.dat: 点名,编码,Y,X,H
// a line, in GB18030 as CASS reads it; the height left empty, a traverse
// gives none), and the same points as a control file for the 放样表
// (name,x,y in UTF-8 with its mark), which the setting-out sheet reads by its names.
// Each file is replaced only once wholly written; "" where it is, else why
// not, in the system's words.

#include <QString>
#include <vector>

#include "ui/common/text_table.h"
#include "ui/control/traverse_sheet.h"

QString WriteControlCsv(const TextTable& table, const std::vector<ClosureText>& closures,
                        const QString& path);

// The stations once each (a closed loop's start not twice), in their order.
struct NamedPoint {
  QString name;
  survey::PlanePoint point;
};
std::vector<NamedPoint> AdjustedPoints(const TraverseShown& shown);

QString WriteCassDat(const std::vector<NamedPoint>& points, const QString& path);
QString WriteControlPoints(const std::vector<NamedPoint>& points, const QString& path);
