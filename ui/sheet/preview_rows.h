#pragma once

// The first rows of a file, split into fields as the reader splits them,
// for the layout box to show under the roles of its columns: read in the
// encoding given (or found), its first lines skipped as --skip-lines skips
// them. Only the start of the file is read, streamed, and a file that is no
// text is refused at the first sign of it.

#include <QList>
#include <QString>
#include <QStringList>
#include <string>

#include "reader/rows/input_reading.h"

struct PreviewRows {
  QList<QStringList> rows;  // the first data rows, split into fields
  QString problem;          // why there are none, in Chinese
  bool refused = false;     // the file cannot be read, or is no text
  QString encoding;         // the encoding the rows are read in ("GB18030"); "" for ASCII
};

// The first `count` rows of the file at `path` (its bytes) that are neither
// blank nor comments, past its first `input.skipLines` lines. A row that is
// no text in the file's encoding shows as one field that says so.
PreviewRows ReadPreviewRows(const std::string& path, int count,
                            const reading::InputReading& input = {});

// The same for a path as Qt spells it.
PreviewRows ReadPreviewRows(const QString& path, int count);
