#pragma once

// 四参数's parameters: found from the common points (由公共点计算: the
// fields then show the fit's ΔX, ΔY, θ and m) or typed (输入参数); the
// residual limit in millimetres; and the way the points go: 源 x,y → 目标
// X,Y or back. θ in packed DMS, clockwise positive; m the scale itself.

#include "ui/transform/parameter_form.h"

namespace survey {
class FourParameters;
}

class CFitForm : public CParameterForm {
  Q_OBJECT

 public:
  CFitForm(CTypingWatch& typing, QWidget* parent);

  // The points' job (kApply, with the parameters typed where they are).
  bool fill(TransformTask& task, QString& problem) const override;
  // The common points' job (kFit): the limit.
  bool fillFit(TransformTask& task, QString& problem) const;

  // Whether the parameters come from the common points.
  bool fitted() const;
  // Shows the parameters of a fit in the fields, with the decimals of
  // lengths (ΔX, ΔY) and of angles (θ); nothing where there is none.
  void showFit(const survey::FourParameters* parameters, int decimals, int angleDecimals);

 private:
  QComboBox* m_source;
  QLineEdit* m_dx;
  QLineEdit* m_dy;
  QLineEdit* m_theta;
  QLineEdit* m_scale;
  QLineEdit* m_limit;
  QComboBox* m_way;
};
