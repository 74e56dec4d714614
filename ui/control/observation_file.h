#pragma once

// A file of observation rows as the 导线/水准 window opens and saves it:
// a row a line (a traverse's NAME ANGLE [DISTANCE] [ZENITH], a levelling
// line's TO DH LENGTH), fields apart by tabs, commas or blanks, read as
// every input is (reader/text: encodings, line ends); blank lines,
// comment lines (#) and a header line before the first row are passed
// over. The table then reads the rows as the tool reads them.

#include <QString>
#include <QStringList>
#include <vector>

// The rows of the file at `path`; false, with `problem` in Chinese, where
// it cannot be read.
bool ReadObservationFile(const QString& path, std::vector<QStringList>& rows, QString& problem);

// Writes `rows` to `path` (UTF-8), one row a line, fields apart by blanks;
// "" or why not.
QString WriteObservationFile(const std::vector<QStringList>& rows, const QString& path);

// A row's fields: apart by tabs, commas or blanks, as pasted rows are.
QStringList ObservationFields(const QString& line);
