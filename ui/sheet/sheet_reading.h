#pragma once

// Where the setting-out window meets the reader that corvane-calc uses: the
// first rows of a file for the layout dialog, the check of a column list,
// and the whole sheet of a design file, computed with the same rules, the
// same numbers and the same "ERROR: " texts as the tool.

#include <QList>
#include <QString>
#include <QStringList>
#include <atomic>
#include <functional>
#include <memory>

#include "ui/sheet/sheet_request.h"

struct SetoutSheet;

struct PreviewRows {
  QList<QStringList> rows;  // the first data rows, split into fields
  QString problem;          // why there are none, in Chinese
};

// The first `count` rows of the file that are neither blank nor comments.
PreviewRows ReadPreviewRows(const QString& path, int count);

// What is wrong with a --columns list for setting out, or an empty string.
QString CheckColumns(const QString& columns);

struct SheetResult {
  // Null where the station or the backsight is not settled (`problem` says
  // why); the names are there all the same, so that the user can pick them.
  std::shared_ptr<const SetoutSheet> sheet;
  QStringList pointNames;  // of the control file, else of the design file
  QString problem;
  QString failure;  // the file cannot be read or is not text; nothing else is set
};

// Reads the request's files and computes the sheet. `progress` gets the
// percentage done now and then; when `stop` turns true the reading ends
// early and the result is meaningless.
SheetResult ComputeSheet(const SheetRequest& request, const std::atomic<bool>& stop,
                         const std::function<void(int percent)>& progress);

// Writes `sheet` as CSV: exactly what corvane-calc setout --header writes for
// the same file and settings, in UTF-8 with a byte-order mark so that
// spreadsheets show Chinese names right. The file is replaced only once it is
// wholly written. Returns what went wrong, in Chinese, or an empty string.
QString WriteSheetCsv(const SetoutSheet& sheet, const QString& path);

// Reads `corvane --setout [FILE] [OPTIONS] [--pdf OUT]` (without the program's
// name) into `request` and `pdf`; returns what is wrong, or an empty string.
QString ParseSetoutArguments(const QStringList& arguments, SheetRequest& request, QString& pdf);
