#include "ui/transform/grid_form.h"

#include <QComboBox>
#include <QLineEdit>

#include "ui/transform/typed_value.h"

CGridForm::CGridForm(CTypingWatch& typing, QWidget* parent) : CParameterForm(typing, parent) {
  m_x0 = addField(QStringLiteral("原点 X0"), QStringLiteral("gridX0"), QStringLiteral("0"),
                  QStringLiteral("施工坐标系原点的测量坐标 X（北）"));
  m_y0 = addField(QStringLiteral("原点 Y0"), QStringLiteral("gridY0"), QStringLiteral("0"),
                  QStringLiteral("施工坐标系原点的测量坐标 Y（东）"));
  m_azimuth = addField(QStringLiteral("A 轴方位角 α"), QStringLiteral("gridAzimuth"),
                       QStringLiteral("0"), QStringLiteral("度.分秒，自北顺时针"));
  m_x1 = addField(QStringLiteral("A 轴上一点 X1"), QStringLiteral("gridX1"), QString(),
                  QStringLiteral("填了 X1、Y1 时，α 取原点到该点的方位角"));
  m_y1 = addField(QStringLiteral("Y1"), QStringLiteral("gridY1"), QString());
  m_way = addChoice(QStringLiteral("方向"), QStringLiteral("gridWay"),
                    {QStringLiteral("施工 A,B → 测量 X,Y"), QStringLiteral("测量 X,Y → 施工 A,B")});
  const auto showSource = [this] { m_azimuth->setReadOnly(fromAxisPoint()); };
  connect(m_x1, &QLineEdit::textChanged, this, showSource);
  connect(m_y1, &QLineEdit::textChanged, this, showSource);
}

bool CGridForm::fromAxisPoint() const {
  return !m_x1->text().trimmed().isEmpty() || !m_y1->text().trimmed().isEmpty();
}

bool CGridForm::fill(TransformTask& task, QString& problem) const {
  task.kind = TransformKind::kGrid;
  task.inverse = m_way->currentIndex() == 1;
  if (!ReadTypedNumber(*m_x0, QStringLiteral("原点 X0"), task.origin.x, problem) ||
      !ReadTypedNumber(*m_y0, QStringLiteral("原点 Y0"), task.origin.y, problem))
    return false;
  if (!fromAxisPoint())
    return ReadTypedAngle(*m_azimuth, QStringLiteral("A 轴方位角 α"), task.azimuth, problem);
  survey::PlaneXY onAxis{};
  if (!ReadTypedNumber(*m_x1, QStringLiteral("A 轴上一点 X1"), onAxis.x, problem) ||
      !ReadTypedNumber(*m_y1, QStringLiteral("Y1"), onAxis.y, problem))
    return false;
  task.axisPoint = onAxis;
  return true;
}

void CGridForm::showAzimuth(const QString& azimuth) {
  if (fromAxisPoint()) m_azimuth->setText(azimuth);
}
