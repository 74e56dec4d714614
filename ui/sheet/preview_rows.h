#pragma once

// The first rows of a file, split into fields as the reader splits them,
// for the layout box to show under the roles of its columns. Only the start
// of the file is read, streamed, and a file that is no text is refused at
// the first sign of it.

#include <QList>
#include <QString>
#include <QStringList>

struct PreviewRows {
  QList<QStringList> rows;  // the first data rows, split into fields
  QString problem;          // why there are none, in Chinese
  bool refused = false;     // the file cannot be read, or is no text
};

// The first `count` rows of the file that are neither blank nor comments.
PreviewRows ReadPreviewRows(const QString& path, int count);
