#pragma once

// The Gauss–Krüger projection's fields, as 高斯投影 and both sides of 换带
// show them: the zone width (3° or 6°), the zone (blank: the longitude's
// own, or y's number in front), or a central meridian (packed DMS), the
// false easting, y with the zone number in front, the projection height
// surface (抵偿高程面) and the scale on the central meridian. 高斯投影 adds
// the ellipsoid, the way (B,L → x,y or back) and decimal degrees; 换带 one
// ellipsoid for both sides.

#include "core/transform/gauss_kruger.h"
#include "ui/transform/parameter_form.h"

class CProjectionForm : public CParameterForm {
  Q_OBJECT

 public:
  enum class Use { kProject, kRezoneFrom, kRezoneTo };

  // `prefix`: the start of the fields' object names ("project", "from", "to").
  CProjectionForm(Use use, const QString& prefix, CTypingWatch& typing, QWidget* parent);

  // kProject: the projection, the way and the degrees; kRezoneFrom: the
  // projection the points are in; kRezoneTo: the one they go to (`target`).
  bool fill(TransformTask& task, QString& problem) const override;

  // Sets the projection's fields in `setup`.
  bool fillSetup(survey::ProjectionSetup& setup, QString& problem) const;

 private:
  Use m_use;
  QComboBox* m_ellipsoid = nullptr;
  QComboBox* m_way = nullptr;
  QCheckBox* m_degrees = nullptr;
  QComboBox* m_width;
  QLineEdit* m_zone;
  QLineEdit* m_meridian;
  QLineEdit* m_easting;
  QCheckBox* m_prefix;
  QLineEdit* m_height;
  QLineEdit* m_scale;
};

// The ellipsoids as the forms offer them, in the order of survey::Ellipsoid.
QStringList EllipsoidNames();
