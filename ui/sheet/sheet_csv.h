#pragma once

// The sheet as CSV: exactly what corvane-calc setout --header writes for the
// same file and settings (a caller's points as a sheet with commas), in
// UTF-8 with a byte-order mark so that spreadsheets show Chinese names
// right. The file is replaced only once it is wholly written.

#include <QString>
#include <atomic>

struct SetoutSheet;

// "" where the file is written (or `stop` turned true: the writing ends and
// the file is left as it was), else why not, in the system's words.
QString WriteSheetCsv(const SetoutSheet& sheet, const QString& path,
                      const std::atomic<bool>* stop = nullptr);
