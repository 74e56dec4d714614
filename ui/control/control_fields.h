#pragma once

// The numbers of the 导线/水准 window's fields and cells, read as the
// tool reads a row's fields (reader/fields): the whole text one number,
// full-width digits folded, an angle a valid packed one from 0 to 360.
// What does not read is said in Chinese, naming the field: "第 3 行的距离
// 不是数：2o1.5".

#include <QString>
#include <optional>

// A field's number; none where `text` is blank. `problem` is set where it
// is no number, naming `field`.
std::optional<double> ReadControlNumber(const QString& text, const QString& field,
                                        QString& problem);

// A packed angle, 0 to 360, its minutes and seconds digits below 60; none
// where `text` is blank.
std::optional<double> ReadControlAngle(const QString& text, const QString& field,
                                       QString& problem);

// "第 3 行的距离": the cell of row `row` (from 0) in column `column`.
QString CellName(int row, const QString& column);
