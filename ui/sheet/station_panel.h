#pragma once

// Where the instrument stands and what it sights, as the setting-out window
// asks for them: each by point name (typing part of a name lists the names
// of the design file or the control file) or as typed coordinates, the
// backsight also as a packed azimuth; the heights of the sight to each
// design point (测站高程, 仪器高, 目标高, 两差改正); the angles' format and
// the decimals of angles and distances; and the check line, shown where
// the user looks before going out. The panel reads its typed fields itself:
// the station setup and the heights as data, or what is wrong with which
// field, in Chinese.
//
// 设站方式 picks how the station and the direction the angles start from
// are fixed: 已知点 + 后视 (the station and the backsight rows), 多后视定向
// (the station row, and readings to several backsights) or 自由设站
// (readings, with or without distances, to known points). The last two
// keep the sightings the setup dialog gave (观测...), and the limits their
// residuals are marked by.

#include <QString>
#include <QWidget>
#include <functional>
#include <memory>
#include <string>
#include <optional>

#include "reader/sheet/sheet_request.h"
#include "ui/sheet/setout_sheet.h"

class CPointNameBox;
class CTypingWatch;
class NameIndex;
class QCheckBox;
class QComboBox;
class QGridLayout;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QStackedWidget;

// The station setup as the panel's fields give it.
struct PanelSetup {
  std::optional<reading::StationSetup> setup;  // none where a field is wrong
  // None where no height is typed: the sheet is then without the sight.
  std::optional<reading::SightHeights> heights;
  QString problem;  // what is wrong with which field, where one is
};

class CStationPanel : public QWidget {
  Q_OBJECT

 public:
  explicit CStationPanel(QWidget* parent = nullptr);

  // The names the station's and the backsight's fields offer, in file order.
  void setNames(std::shared_ptr<const NameIndex> names);
  void setControlFile(const QString& shownName);

  // The station, the backsight and the heights as typed, read. The sight
  // is asked for once any of the three heights is typed; the instrument's
  // and the target's are then needed, the station's may be left to the
  // station point's own h.
  PanelSetup setup() const;
  // Shows `setup` in the fields, as if typed (coordinates as the shortest
  // text that reads back to the same numbers), and picks its method.
  void showSetup(const reading::StationAndBacksight& setup);
  void showSetup(const reading::OrientedStation& setup);

  // Empties the station's and the backsight's name fields, and drops the
  // sightings, where they name a point that `known` does not: a setup of
  // another file is asked for again, not looked for among these points.
  void forgetNamesNotIn(const std::function<bool(const std::string&)>& known);

  // 设站方式, in the order of its list.
  enum class Method { kBacksight, kBacksights, kFree };
  Method method() const;
  void setMethod(Method method);

  // The setup on sightings as the panel holds it: the method, the station
  // row as typed (多后视定向; none where it is wrong), the sightings and the
  // standard errors; and the limits of its residuals.
  reading::OrientedStation oriented() const;
  SetupLimits limits() const { return m_limits; }
  // Keeps the sightings, the standard errors and the limits the setup
  // dialog gave.
  void setOriented(const reading::OrientedStation& setup, const SetupLimits& limits);

  // The same for the heights; none empties the fields.
  void showHeights(const std::optional<reading::SightHeights>& heights);
  // The heights' fields as typed, and the correction's box: what the window
  // remembers.
  struct HeightTexts {
    QString station, instrument, target;
    bool earthCorrection = false;
  };
  HeightTexts heightTexts() const;
  void setHeightTexts(const HeightTexts& texts);

  reading::AngleFormat angleFormat() const;
  void setAngleFormat(reading::AngleFormat format);

  int angleDecimals() const;     // of azimuths and angles, 4 is whole seconds
  int distanceDecimals() const;  // 3 is millimetres
  void setDecimals(int angle, int distance);

  // What is typed and not yet settled counts as changed now (changed() is
  // emitted where a key waits): before a command reads the fields.
  void flush();

  // The check line, or what keeps the sheet from being computed (`problem`).
  void setCheckLine(const QString& text, bool problem);

 signals:
  // The user changed a choice and left the field, or pressed Enter, or
  // typed and rested a moment (CTypingWatch).
  void changed();
  void controlFileRequested();
  // 移除 next to the control file's name: names are looked up in the design
  // file again.
  void controlFileRemoved();
  // 观测... was pressed: the setup dialog is wanted.
  void setupRequested();

 private:
  struct PointRow {
    QString role;  // 测站, 后视
    QComboBox* kind;
    QStackedWidget* pages;
    CPointNameBox* name;
    QLineEdit* x;
    QLineEdit* y;
    QLineEdit* azimuth;  // the backsight's only
  };

  PointRow makeRow(const QString& role, bool withAzimuth);
  void showMethod();
  template <class Point>
  static std::optional<Point> readRow(const PointRow& row, QString& problem);
  template <class Point>
  static void showPoint(PointRow& row, const Point& point);
  std::optional<reading::SightHeights> readHeights(QString& problem) const;
  QHBoxLayout* makeMethodRow();
  QGridLayout* makePointRows();
  QWidget* makeHeights();
  QHBoxLayout* makeAnswerRow();
  QLabel* makeCheckLine();
  void connectControls();
  void watchNumber(QLineEdit& edit, bool (*reads)(const QLineEdit&));

  CTypingWatch* m_typing;
  PointRow m_station;
  PointRow m_backsight;
  QLabel* m_controlFile;
  QPushButton* m_chooseControl;
  QPushButton* m_removeControl;  // shown while a control file is read
  QLineEdit* m_stationHeight;
  QLineEdit* m_instrumentHeight;
  QLineEdit* m_targetHeight;
  QCheckBox* m_earthCorrection;
  QComboBox* m_angleFormat;
  QSpinBox* m_angleDecimals;
  QSpinBox* m_distanceDecimals;
  QLabel* m_checkLine;
  QComboBox* m_method;
  QPushButton* m_observe;
  QLabel* m_setupSummary;
  QLabel* m_stationLabel;
  QLabel* m_backsightLabel;
  reading::OrientedStation m_oriented;  // the sightings and standard errors kept
  SetupLimits m_limits;
};
