#include "ui/transform/grid_form.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

#include "core/packed_angle.h"
#include "core/transform/construction_grid.h"
#include "reader/fields/packed_digits.h"
#include "ui/transform/transform_words.h"
#include "ui/transform/typed_value.h"

CGridForm::CGridForm(CTypingWatch& typing, QWidget* parent) : CParameterForm(typing, parent) {
  m_x0 = addField(QStringLiteral("原点 X0"), QStringLiteral("gridX0"), QStringLiteral("0"),
                  QStringLiteral("施工坐标系原点的测量坐标 X（北）"));
  m_y0 = addField(QStringLiteral("原点 Y0"), QStringLiteral("gridY0"), QStringLiteral("0"),
                  QStringLiteral("施工坐标系原点的测量坐标 Y（东）"));
  m_azimuth = addField(QStringLiteral("A 轴方位角 α"), QStringLiteral("gridAzimuth"),
                       QStringLiteral("0"), QStringLiteral("度.分秒，自北顺时针"));
  m_x1 = addField(QStringLiteral("A 轴上一点 X1"), QStringLiteral("gridX1"), QString(),
                  QStringLiteral("由原点和 A 轴上一点求 α"));
  m_y1 = addField(QStringLiteral("Y1"), QStringLiteral("gridY1"), QString());
  auto* find = new QPushButton(QStringLiteral("由两点求 α"), this);
  find->setObjectName(QStringLiteral("gridFindAzimuth"));
  place(find);
  newRow();
  m_way = addChoice(QStringLiteral("方向"), QStringLiteral("gridWay"),
                    {QStringLiteral("施工 A,B → 测量 X,Y"), QStringLiteral("测量 X,Y → 施工 A,B")});
  connect(find, &QPushButton::clicked, this, [this] {
    QString problem;
    if (findAzimuth(6, problem)) emit changed();
  });
}

bool CGridForm::fill(TransformTask& task, QString& problem) const {
  task.kind = TransformKind::kGrid;
  task.inverse = m_way->currentIndex() == 1;
  return ReadTypedNumber(*m_x0, QStringLiteral("原点 X0"), task.origin.x, problem) &&
         ReadTypedNumber(*m_y0, QStringLiteral("原点 Y0"), task.origin.y, problem) &&
         ReadTypedAngle(*m_azimuth, QStringLiteral("A 轴方位角 α"), task.azimuth, problem);
}

bool CGridForm::findAzimuth(int decimals, QString& problem) {
  survey::PlaneXY origin{}, onAxis{};
  if (!ReadTypedNumber(*m_x0, QStringLiteral("原点 X0"), origin.x, problem) ||
      !ReadTypedNumber(*m_y0, QStringLiteral("原点 Y0"), origin.y, problem) ||
      !ReadTypedNumber(*m_x1, QStringLiteral("A 轴上一点 X1"), onAxis.x, problem) ||
      !ReadTypedNumber(*m_y1, QStringLiteral("Y1"), onAxis.y, problem))
    return false;
  const auto grid = survey::ConstructionGrid::FromAxis(origin, onAxis);
  if (!grid) {
    problem = QString::fromStdString(TransformProblemWords(grid.error()));
    return false;
  }
  std::string text;
  reading::AppendPackedAngle(text, survey::DegreesToPacked(grid->azimuthDegrees()), decimals);
  m_azimuth->setText(QString::fromStdString(text));
  return true;
}
