#pragma once

// How a coordinate file is laid out, as the layout box (列格式) chooses it
// and the 放样表 remembers it: the roles of its columns, its encoding (编码)
// and the lines at its start copied as they are (跳过行数). The three are one
// value, so whatever keeps a file's layout keeps its encoding with it; the
// layout another file starts from keeps the columns and the lines to skip,
// but not the encoding (NextFileLayout).

#include <QString>
#include <QVariant>

#include "reader/rows/input_reading.h"

struct FileLayout {
  QString columns;  // in corvane-calc's --columns spelling; "": none
  // The encoding (none: 自动) and the lines to skip; the decimal mark rides
  // along as it was given (the box does not choose it, and it is not kept).
  reading::InputReading input;
  bool operator==(const FileLayout&) const = default;
};

// The layout as one settings value: a map of "columns" (the list),
// "encoding" (its name as messages give it, "GB18030"; "" for 自动) and
// "skipLines" (a count).
QVariant LayoutValue(const FileLayout& layout);

// The layout a file not opened before starts from, after `layout`: its
// columns and lines to skip, under 自动: an encoding picked is the file's
// own, and each file's is found from what it holds.
FileLayout NextFileLayout(FileLayout layout);

// The layout `value` holds. Where it holds no map, or an entry is missing
// or does not read (an encoding this program does not know, a count that is
// no number), that part is `fallback`'s.
FileLayout LayoutOf(const QVariant& value, const FileLayout& fallback);
