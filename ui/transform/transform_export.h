#pragma once

// A 坐标转换 tab's answers as files and as design points. CSV is what
// corvane-calc writes for the same rows and options with --header (the
// points' answer; for four parameters found from common points without
// points to convert, the fit's: PARAMS and the residuals), in UTF-8 with a
// byte-order mark so that spreadsheets show Chinese names right. CASS .dat
// is 点名,编码,Y(东),X(北),高程 a point, no height given (the field left
// empty), in GB18030 as the offices' CASS reads it. A file is replaced only
// once it is wholly written; `stop` turning true leaves it as it was.

#include <QString>
#include <atomic>
#include <vector>

#include "reader/rows/design_point.h"
#include "ui/transform/transform_sheet.h"

// The converted points (their name, X north, Y east), in their order; the
// rows without an answer left out.
std::vector<reading::DesignPoint> DesignPointsOf(const TransformAnswer& answer);

// The text the CSV holds, without its byte-order mark.
std::string TransformCsvText(const TransformSheet& sheet);

// "" where the file is written (or stopped), else why not.
QString WriteTransformCsv(const TransformSheet& sheet, const QString& path,
                          const std::atomic<bool>* stop = nullptr);
QString WriteCassDat(const TransformSheet& sheet, const QString& path,
                     const std::atomic<bool>* stop = nullptr);
