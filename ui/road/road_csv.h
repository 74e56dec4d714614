#pragma once

// The road's tables as CSV, exactly what corvane-calc writes for the same
// road and decimals (`alignment --header`, `stake --every ... --header`),
// in UTF-8 with a byte-order mark so that spreadsheets show Chinese names
// right; a stakes file reads back into the 放样表 and `setout` as it is.
// A file is replaced only once it is wholly written.

#include <QString>
#include <atomic>
#include <vector>

#include "ui/road/road_look.h"

// "" where the file is written (or `stop` turned true: the file is left as
// it was), else why not, in the system's words.
QString WriteCurveCsv(const RoadShown& road, const QString& path);
QString WriteStakeCsv(const RoadShown& road, const std::vector<reading::Stake>& stakes,
                      const QString& path, const std::atomic<bool>* stop = nullptr);
