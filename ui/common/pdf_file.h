#pragma once

// A PDF file written by a window (the 放样表's sheet, the 线路 window's
// road): the faces embedded, so that the file reads the same on any
// machine; the file replaced only once the whole PDF is written, and a file
// that cannot be written, or a writing that is stopped, keeps what it held.

#include <QPageLayout>
#include <QString>
#include <atomic>
#include <functional>

class QPdfWriter;

// Writes `path` with `paint`, which paints every page on the writer (set to
// `page`, titled `title`) and returns false where it could not or `stop`
// turned true. "" where the file is written (or the writing stopped), else
// why not, in the system's words ("?" where it has none).
QString WritePdfFile(const QString& path, const QString& title, const QPageLayout& page,
                     const std::atomic<bool>* stop,
                     const std::function<bool(QPdfWriter& writer)>& paint);
