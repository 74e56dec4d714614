#pragma once

// The windows' words for a file that cannot be read and for a number or an
// azimuth typed that is none: Chinese, naming the file by its name or the
// field the user typed into, never an option of the command line. The
// reader says what is wrong as values (text_file.h, field_number.h,
// number_text.h); this words them for every window.

#include <QString>

#include "reader/fields/field_number.h"
#include "reader/fields/number_text.h"
#include "reader/text/text_file.h"

// A file that cannot be read: "无法打开 design.csv：文件不存在", "design.csv
// 不是文本文件，不能作为坐标文件读取。". Files are named by their names.
QString FileProblem(const reading::FileError& error);

// A coordinate typed into `field` ("测站 X（北）") that is no number.
QString NumberProblem(const QString& field, reading::FieldNumber read, const QString& text);

// A packed azimuth typed into `field` that is no azimuth.
QString AzimuthProblem(const QString& field, reading::TypedAzimuth read, const QString& text);
