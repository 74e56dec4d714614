#pragma once

// Writes a setting-out sheet as a PDF file, on the sheet's page (A4, margins
// of 15 mm, upright or across as its columns need), the faces embedded so that the file reads the
// same on any machine. The file is replaced only once the whole PDF is written; a file that cannot
// be written, or a writing that is stopped, keeps what it held.

#include <QString>
#include <atomic>

#include "ui/sheet/sheet_printer.h"

struct SetoutSheet;

// "" where the file is written (or `stop` turned true), else why not, in
// the system's words ("?" where it has none). `date` goes into the heading;
// `choices` say which columns show and what the page heading holds.
QString WriteSheetPdf(const SetoutSheet& sheet, const QString& path, const QString& date,
                      const std::atomic<bool>* stop = nullptr,
                      const SheetPrinter::Progress& progress = {},
                      const SheetChoices& choices = {});
