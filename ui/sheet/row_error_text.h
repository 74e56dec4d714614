#pragma once

// A failed row's error as the 放样表 says it, in Chinese, naming the row by
// its line in the file and the field by its Chinese name: "第 12 行：测站与
// 该点重合", "第 19 行：东坐标 Y 不是数字：“50002S.762”". The table, its
// tooltips, the printed and PDF sheets and the window's CSV all take it
// from here; the field's text is shown as read, to the character.

#include <QString>
#include <cstddef>

#include "reader/rows/row_error.h"

class SheetRows;

// The error of failed row `row` of `rows`.
QString RowErrorText(const SheetRows& rows, std::size_t row);

// The same of `error` on input line `line`; `english` (the tool's "ERROR:
// ..." line) is said where the kind has no words of its own.
QString RowErrorText(const reading::RowError& error, std::size_t line, const QString& english);
