#pragma once

// A failed row of the 放样表 in the words of every window
// (ui/common/row_error_text.h), named by its line in the design file.

#include <QString>
#include <cstddef>

class SheetRows;

// The error of failed row `row` of `rows`.
QString RowErrorText(const SheetRows& rows, std::size_t row);
