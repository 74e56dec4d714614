#pragma once

// Writes a setting-out sheet as a PDF file, A4 upright with margins of 15 mm,
// the faces embedded so that the file reads the same on any machine. The
// file is replaced only once the whole PDF is written; a file that cannot
// be written keeps what it held.

#include <QString>

struct SetoutSheet;

// Returns what went wrong, in Chinese, or an empty string.
QString WriteSheetPdf(const SetoutSheet& sheet, const QString& path);
