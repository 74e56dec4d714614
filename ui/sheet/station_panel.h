#pragma once

// Where the instrument stands and what it sights, as the setting-out window
// asks for them: each by point name (a searchable list of the names of the
// design file or the control file) or as typed coordinates, the backsight
// also as a packed azimuth; the decimals of angles and distances; and the
// check line, shown where the user looks before going out.

#include <QString>
#include <QStringList>
#include <QWidget>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QStackedWidget;

struct PointChoice {
  enum class Kind { kName, kCoordinates, kAzimuth };
  Kind kind = Kind::kName;
  QString name;     // kName
  QString x;        // kCoordinates: north, as typed
  QString y;        // kCoordinates: east, as typed
  QString azimuth;  // kAzimuth: packed, as typed

  bool operator==(const PointChoice&) const = default;
};

class CStationPanel : public QWidget {
  Q_OBJECT

 public:
  explicit CStationPanel(QWidget* parent = nullptr);

  // The names the station's and the backsight's lists offer, in file order.
  void setPointNames(const QStringList& names);
  void setControlFile(const QString& shownName);

  PointChoice station() const;
  PointChoice backsight() const;
  void setStation(const PointChoice& choice);
  void setBacksight(const PointChoice& choice);
  int angleDecimals() const;     // of azimuths and angles, 4 is whole seconds
  int distanceDecimals() const;  // 3 is millimetres
  void setDecimals(int angle, int distance);

  // The check line, or what keeps the sheet from being computed (`problem`).
  void setCheckLine(const QString& text, bool problem);

 signals:
  // The user changed a choice and left the field, or pressed Enter.
  void changed();
  void controlFileRequested();

 private:
  struct PointRow {
    QComboBox* kind;
    QStackedWidget* pages;
    QComboBox* name;
    QLineEdit* x;
    QLineEdit* y;
    QLineEdit* azimuth;  // the backsight's only
  };

  PointRow makeRow(bool withAzimuth);
  static PointChoice choiceOf(const PointRow& row);
  static void show(PointRow& row, const PointChoice& choice);

  PointRow m_station;
  PointRow m_backsight;
  QLabel* m_controlFile;
  QPushButton* m_chooseControl;
  QSpinBox* m_angleDecimals;
  QSpinBox* m_distanceDecimals;
  QLabel* m_checkLine;
};
