#include "ui/sheet/sheet_row_error.h"

#include "ui/common/row_error_text.h"
#include "ui/sheet/sheet_rows.h"

QString RowErrorText(const SheetRows& rows, std::size_t row) {
  return RowErrorText(rows.error(row), rows.line(row),
                      QString::fromUtf8(rows.field(row, SheetRows::kError)));
}
