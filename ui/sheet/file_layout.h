#pragma once

// How a coordinate file is laid out, as the layout box (列格式) chooses it
// and the 放样表 keeps it with a file's setup: the roles of its columns.
// Whatever else decides how a file is read belongs here too, so that
// whatever keeps a file's layout keeps all of it: the layout is one value.

#include <QString>
#include <QVariant>

struct FileLayout {
  QString columns;  // in corvane-calc's --columns spelling; "": none
  bool operator==(const FileLayout&) const = default;
};

// The layout as one settings value: a map of "columns" (the list).
QVariant LayoutValue(const FileLayout& layout);

// The layout `value` holds. Where it holds no map, or an entry is missing
// or does not read, that part is `fallback`'s.
FileLayout LayoutOf(const QVariant& value, const FileLayout& fallback);
