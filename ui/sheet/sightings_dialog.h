#pragma once

// The setup dialog of the 放样表 (多后视定向, 自由设站): a table to type what
// the instrument shows for each known point sighted (its name, picked from
// the control points or the design file's names, the horizontal circle
// reading packed, the horizontal distance where one was measured), with the
// residuals beside each row as they are typed: the reading's in seconds and
// as a sideways miss in millimetres, the distance's in millimetres, each
// marked where it is over the limit the user sets (a reading's by the
// seconds, a distance's by the millimetres). Under the table the station
// and orientation found, or what keeps them from being found, in Chinese,
// naming the row and the field. The setup is worked out as the sheet works
// it out (reading/station_setup.h): the same numbers.
//
// A row left wholly empty takes no part; a row begun but not finished, or
// with a value that does not read, is said to be wrong and left out of the
// residuals shown, and keeps 确定 disabled. There is always one empty row
// at the end to type the next sighting into.

#include <QDialog>
#include <QList>
#include <memory>
#include <optional>

#include "reader/sheet/sheet_request.h"
#include "reader/sheet/station_setup.h"
#include "ui/sheet/setout_sheet.h"

class CPointNameBox;
class QDialogButtonBox;
class QDoubleSpinBox;
class QGridLayout;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QScrollArea;
struct KnownNames;

class CSetupDialog : public QDialog {
  Q_OBJECT

 public:
  // `setup`: the method, the station (多后视定向), the sightings to show
  // first and the standard errors; `known`: the names to pick from and look
  // up (none before a file is read).
  CSetupDialog(const reading::OrientedStation& setup, std::shared_ptr<const KnownNames> known,
               const SetupLimits& limits, QWidget* parent = nullptr);
  ~CSetupDialog() override;

  // The setup as typed: every row that reads, in order.
  reading::OrientedStation setup() const;
  SetupLimits limits() const;

  // What is shown: the setup found, or none; and what is wrong, or "".
  const std::optional<reading::SetupAnswer>& answer() const { return m_answer; }
  QString problem() const;

  // Row `row` (from 0) of the table: its fields, and its residual cells
  // (reading ″, sideways mm, distance mm).
  int rowCount() const { return static_cast<int>(m_rows.size()); }
  CPointNameBox* nameBox(int row) const { return m_rows[row].name; }
  QLineEdit* readingField(int row) const { return m_rows[row].reading; }
  QLineEdit* distanceField(int row) const { return m_rows[row].distance; }
  QLabel* residual(int row, int which) const { return m_rows[row].residuals[which]; }

 private:
  struct Row {
    CPointNameBox* name;
    QLineEdit* reading;
    QLineEdit* distance;
    QLabel* residuals[3];
  };
  // A row as typed: empty, a sighting, or what is wrong with it.
  struct Typed {
    bool empty = true;
    std::optional<reading::SetupSighting> sighting;
    QString problem;
  };

  QHBoxLayout* makeOptions(bool free, const reading::SetupSigmas& sigmas,
                           const SetupLimits& limits);
  QScrollArea* makeTable();
  QDialogButtonBox* makeButtons();
  void fillRows(const std::vector<reading::SetupSighting>& sightings);
  void addRow();
  Typed read(int row) const;
  void recompute();
  void showResiduals(const std::vector<int>& rows);
  QDoubleSpinBox* spin(double value, double most, const QString& suffix);

  reading::OrientedStation m_setup;  // method, station and sigmas as given
  std::shared_ptr<const KnownNames> m_known;
  QList<Row> m_rows;
  QGridLayout* m_table;
  QDoubleSpinBox* m_directionSigma = nullptr;
  QDoubleSpinBox* m_distanceMm = nullptr;
  QDoubleSpinBox* m_distancePpm = nullptr;
  QDoubleSpinBox* m_limitSeconds;
  QDoubleSpinBox* m_limitMm;
  QLabel* m_result;
  QDialogButtonBox* m_buttons;
  std::optional<reading::SetupAnswer> m_answer;
  QString m_problem;
  bool m_filling = false;  // the rows given are being shown
};
