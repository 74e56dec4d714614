#pragma once

// A failed row's error as the windows say it, in Chinese, naming the row by
// its line in the file and the field by its Chinese name: "第 12 行：测站与
// 该点重合", "第 19 行：东坐标 Y 不是数字：“50002S.762”". The 放样表's table,
// its tooltips, printed and PDF sheets and CSV, and the transformation's
// rows all take it from here; the field's text is shown as read, to the
// character.

#include <QString>
#include <cstddef>

#include "reader/rows/row_error.h"

// The error `error` of input line `line` on input line `line`; `english` (the tool's "ERROR:
// ..." line) is said where the kind has no words of its own.
QString RowErrorText(const reading::RowError& error, std::size_t line, const QString& english);
