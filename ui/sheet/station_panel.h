#pragma once

// Where the instrument stands and what it sights, as the setting-out window
// asks for them: each by point name (typing part of a name lists the names
// of the design file or the control file) or as typed coordinates, the
// backsight also as a packed azimuth; the decimals of angles and distances;
// and the check line, shown where the user looks before going out. The
// panel reads its typed fields itself: the station setup as data, or what
// is wrong with which field, in Chinese.

#include <QString>
#include <QWidget>
#include <memory>
#include <optional>

#include "reader/sheet_request.h"

class CPointNameBox;
class NameIndex;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QStackedWidget;

// The station setup as the panel's fields give it.
struct PanelSetup {
  std::optional<reading::StationAndBacksight> setup;  // none where a field is wrong
  QString problem;  // what is wrong with which field, where one is
};

class CStationPanel : public QWidget {
  Q_OBJECT

 public:
  explicit CStationPanel(QWidget* parent = nullptr);

  // The names the station's and the backsight's fields offer, in file order.
  void setNames(std::shared_ptr<const NameIndex> names);
  void setControlFile(const QString& shownName);

  // The station and the backsight as typed, read.
  PanelSetup setup() const;
  // Shows `setup` in the fields, as if typed (coordinates as the shortest
  // text that reads back to the same numbers).
  void showSetup(const reading::StationAndBacksight& setup);

  int angleDecimals() const;     // of azimuths and angles, 4 is whole seconds
  int distanceDecimals() const;  // 3 is millimetres
  void setDecimals(int angle, int distance);

  // The check line, or what keeps the sheet from being computed (`problem`).
  void setCheckLine(const QString& text, bool problem);

 signals:
  // The user changed a choice and left the field, or pressed Enter.
  void changed();
  void controlFileRequested();
  // 移除 next to the control file's name: names are looked up in the design
  // file again.
  void controlFileRemoved();

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
  template <class Point>
  static std::optional<Point> readRow(const PointRow& row, QString& problem);
  template <class Point>
  static void showPoint(PointRow& row, const Point& point);

  PointRow m_station;
  PointRow m_backsight;
  QLabel* m_controlFile;
  QPushButton* m_chooseControl;
  QPushButton* m_removeControl;  // shown while a control file is read
  QSpinBox* m_angleDecimals;
  QSpinBox* m_distanceDecimals;
  QLabel* m_checkLine;
};
