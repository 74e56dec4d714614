#pragma once

// 施工坐标's parameters: the construction grid's origin (X0, Y0) in survey
// coordinates and the azimuth α of its A axis (packed DMS), which 由两点
// finds from the origin and a point of the A axis (X1, Y1); and the way:
// 施工 A,B → 测量 X,Y or back.

#include "ui/transform/parameter_form.h"

class CGridForm : public CParameterForm {
  Q_OBJECT

 public:
  CGridForm(CTypingWatch& typing, QWidget* parent);

  bool fill(TransformTask& task, QString& problem) const override;

  // Sets α to the azimuth from the origin to (X1, Y1), with `decimals` of a
  // packed angle; false, with `problem`, where the points do not give one.
  bool findAzimuth(int decimals, QString& problem);

 private:
  QLineEdit* m_x0;
  QLineEdit* m_y0;
  QLineEdit* m_azimuth;
  QLineEdit* m_x1;
  QLineEdit* m_y1;
  QComboBox* m_way;
};
