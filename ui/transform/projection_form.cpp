#include "ui/transform/projection_form.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <cmath>

#include "ui/transform/typed_value.h"

QStringList EllipsoidNames() {
  return {QStringLiteral("CGCS2000"), QStringLiteral("WGS84"), QStringLiteral("西安80 (IAG-75)"),
          QStringLiteral("北京54 (克拉索夫斯基)")};
}

CProjectionForm::CProjectionForm(Use use, const QString& prefix, CTypingWatch& typing,
                                 QWidget* parent)
    : CParameterForm(typing, parent), m_use(use) {
  const auto named = [&prefix](const char* name) { return prefix + QLatin1String(name); };
  if (use != Use::kRezoneTo)
    m_ellipsoid = addChoice(QStringLiteral("椭球"), named("Ellipsoid"), EllipsoidNames());
  if (use == Use::kProject)
    m_way = addChoice(QStringLiteral("方向"), named("Way"),
                      {QStringLiteral("正算 B,L → X,Y"), QStringLiteral("反算 X,Y → B,L")});
  m_width = addChoice(QStringLiteral("带宽"), named("Width"), {QStringLiteral("3°"), QStringLiteral("6°")});
  m_zone = addField(QStringLiteral("带号"), named("Zone"), QString(),
                    QStringLiteral("空着：正算按经度定带，反算按 Y 前的带号"));
  m_meridian = addField(QStringLiteral("中央子午线"), named("Meridian"), QString(),
                        QStringLiteral("度.分秒；空着：按带号"));
  m_easting = addField(QStringLiteral("东偏 (m)"), named("Easting"), QStringLiteral("500000"));
  m_height = addField(QStringLiteral("投影面高程 (m)"), named("Height"), QStringLiteral("0"),
                      QStringLiteral("抵偿高程面，椭球面上为 0"));
  m_scale = addField(QStringLiteral("中央子午线尺度"), named("Scale"), QStringLiteral("1"));
  m_prefix = addCheck(QStringLiteral("Y 前加带号"), named("Prefix"));
  if (use == Use::kProject) m_degrees = addCheck(QStringLiteral("B,L 用十进制度"), named("Degrees"));
}

bool CProjectionForm::fillSetup(survey::ProjectionSetup& setup, QString& problem) const {
  if (m_ellipsoid) setup.ellipsoid = survey::Ellipsoid(m_ellipsoid->currentIndex());
  setup.zoneWidth = m_width->currentIndex() == 0 ? 3 : 6;
  setup.zone.reset();
  setup.centralMeridian.reset();
  if (!m_zone->text().trimmed().isEmpty()) {
    double zone = 0;
    if (!ReadTypedNumber(*m_zone, QStringLiteral("带号"), zone, problem)) return false;
    if (zone != std::floor(zone) || std::fabs(zone) > 1000) {
      problem = QStringLiteral("带号须是整数：“%1”").arg(m_zone->text());
      return false;
    }
    setup.zone = static_cast<int>(zone);
  }
  if (!m_meridian->text().trimmed().isEmpty()) {
    double meridian = 0;
    if (!ReadTypedAngle(*m_meridian, QStringLiteral("中央子午线"), meridian, problem)) return false;
    setup.centralMeridian = meridian;
  }
  setup.zonePrefix = m_prefix->isChecked();
  return ReadTypedNumber(*m_easting, QStringLiteral("东偏"), setup.falseEasting, problem) &&
         ReadTypedNumber(*m_height, QStringLiteral("投影面高程"), setup.heightSurface, problem) &&
         ReadTypedNumber(*m_scale, QStringLiteral("中央子午线尺度"), setup.scale, problem);
}

bool CProjectionForm::fill(TransformTask& task, QString& problem) const {
  switch (m_use) {
    case Use::kProject:
      task.kind = TransformKind::kProject;
      task.inverse = m_way->currentIndex() == 1;
      task.degrees = m_degrees->isChecked();
      return fillSetup(task.projection, problem);
    case Use::kRezoneFrom:
      task.kind = TransformKind::kRezone;
      return fillSetup(task.projection, problem);
    case Use::kRezoneTo: {
      const bool filled = fillSetup(task.target, problem);
      task.target.ellipsoid = task.projection.ellipsoid;  // one ellipsoid, no datum shift
      return filled;
    }
  }
  return false;
}
