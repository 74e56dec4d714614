#pragma once

// The sheet as CSV: what corvane-calc setout --header writes for the same
// file and settings (a caller's points as a sheet with commas), its comment
// line and heading row the sheet's own in Chinese (the station, the
// backsight, the check and the heights; the column titles), a failed row
// its name, its code and the table's Chinese message, and where they are
// shown the design coordinates after the tool's columns; in UTF-8 with a byte-order
// mark so that spreadsheets show Chinese names right. The file is replaced
// only once it is wholly written.

#include <QString>
#include <atomic>

struct SetoutSheet;

// "" where the file is written (or `stop` turned true: the writing ends and
// the file is left as it was), else why not, in the system's words.
// `designShown`: with 设计X and 设计Y.
QString WriteSheetCsv(const SetoutSheet& sheet, const QString& path,
                      const std::atomic<bool>* stop = nullptr, bool designShown = false);
