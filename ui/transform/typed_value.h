#pragma once

// The numbers of the 坐标转换 window's parameter fields, read as the rows'
// numbers are (full-width digits too, field_text.h): a length or a factor,
// and a packed DMS angle whose minutes and seconds are below 60. Where a
// field does not read, `problem` says which field and what it holds.

#include <QString>

class QLineEdit;

// `label` names the field in the problem: "原点 X0 不是数字：“abc”".
bool ReadTypedNumber(const QLineEdit& field, const QString& label, double& value,
                     QString& problem);

// The same for a packed DMS angle (45.302512, -0.0000012440), `degrees`
// what it stands for in decimal degrees.
bool ReadTypedAngle(const QLineEdit& field, const QString& label, double& degrees,
                    QString& problem);
