#pragma once

// 施工坐标's parameters: the construction grid's origin (X0, Y0) in survey
// coordinates and the azimuth α of its A axis (packed DMS), or a point of
// the A axis (X1, Y1), from which α is found (and shown); and the way:
// 施工 A,B → 测量 X,Y or back.

#include "ui/transform/parameter_form.h"

class CGridForm : public CParameterForm {
  Q_OBJECT

 public:
  CGridForm(CTypingWatch& typing, QWidget* parent);

  bool fill(TransformTask& task, QString& problem) const override;

  // Whether α comes from the point of the A axis.
  bool fromAxisPoint() const;
  // Shows the α found from the axis point (`azimuth` as the answers write
  // an angle); nothing where α is typed.
  void showAzimuth(const QString& azimuth);

 private:
  QLineEdit* m_x0;
  QLineEdit* m_y0;
  QLineEdit* m_azimuth;
  QLineEdit* m_x1;
  QLineEdit* m_y1;
  QComboBox* m_way;
};
