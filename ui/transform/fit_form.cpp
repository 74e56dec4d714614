#include "ui/transform/fit_form.h"

#include <QComboBox>
#include <QLineEdit>
#include <cmath>

#include "core/transform/four_parameters.h"
#include "reader/fields/number_text.h"
#include "reader/fields/packed_digits.h"
#include "reader/transform/signed_angle.h"
#include "ui/transform/typed_value.h"

namespace {

// The digits of a scale: 1.000012345678, to a thousandth of a ppm.
constexpr int kScaleDecimals = 12;

}  // namespace

CFitForm::CFitForm(CTypingWatch& typing, QWidget* parent) : CParameterForm(typing, parent) {
  m_source = addChoice(QStringLiteral("参数"), QStringLiteral("fitSource"),
                       {QStringLiteral("由公共点计算"), QStringLiteral("输入参数")});
  m_limit = addField(QStringLiteral("限差 (mm)"), QStringLiteral("fitLimit"), QStringLiteral("20"),
                     QStringLiteral("残差超过限差的公共点标红"));
  m_way = addChoice(QStringLiteral("方向"), QStringLiteral("fitWay"),
                    {QStringLiteral("源 x,y → 目标 X,Y"), QStringLiteral("目标 X,Y → 源 x,y")});
  m_dx = addField(QStringLiteral("ΔX"), QStringLiteral("fitDx"), QStringLiteral("0"));
  m_dy = addField(QStringLiteral("ΔY"), QStringLiteral("fitDy"), QStringLiteral("0"));
  m_theta = addField(QStringLiteral("旋转 θ"), QStringLiteral("fitTheta"), QStringLiteral("0"),
                     QStringLiteral("度.分秒，顺时针为正：源中方位角 A 在目标中为 A + θ"));
  m_scale = addField(QStringLiteral("尺度 m"), QStringLiteral("fitScale"), QStringLiteral("1"),
                     QStringLiteral("尺度本身（1.000012），不是 ppm"));
  const auto showSource = [this] {
    for (QLineEdit* field : {m_dx, m_dy, m_theta, m_scale}) field->setReadOnly(fitted());
  };
  connect(m_source, &QComboBox::currentIndexChanged, this, showSource);
  showSource();
}

bool CFitForm::fitted() const { return m_source->currentIndex() == 0; }

bool CFitForm::fillFit(TransformTask& task, QString& problem) const {
  task.kind = TransformKind::kFit;
  return ReadTypedNumber(*m_limit, QStringLiteral("限差"), task.limitMm, problem);
}

bool CFitForm::fill(TransformTask& task, QString& problem) const {
  task.kind = TransformKind::kApply;
  task.inverse = m_way->currentIndex() == 1;
  if (fitted()) return true;  // the fit's, set by the job
  return ReadTypedNumber(*m_dx, QStringLiteral("ΔX"), task.dx, problem) &&
         ReadTypedNumber(*m_dy, QStringLiteral("ΔY"), task.dy, problem) &&
         ReadTypedAngle(*m_theta, QStringLiteral("旋转 θ"), task.theta, problem) &&
         ReadTypedNumber(*m_scale, QStringLiteral("尺度 m"), task.scale, problem);
}

void CFitForm::showFit(const survey::FourParameters* parameters, int decimals,
                       int angleDecimals) {
  if (!fitted()) return;
  if (!parameters) {
    for (QLineEdit* field : {m_dx, m_dy, m_theta, m_scale}) field->clear();
    return;
  }
  std::string dx, dy, theta, scale;
  reading::AppendFixed(dx, parameters->dx(), decimals);
  reading::AppendFixed(dy, parameters->dy(), decimals);
  reading::AppendPackedAngle(theta, reading::DegreesToSignedPacked(parameters->rotationDegrees()),
                             angleDecimals);
  reading::AppendFixed(scale, parameters->scale(), kScaleDecimals);
  m_dx->setText(QString::fromStdString(dx));
  m_dy->setText(QString::fromStdString(dy));
  m_theta->setText(QString::fromStdString(theta));
  m_scale->setText(QString::fromStdString(scale));
}
