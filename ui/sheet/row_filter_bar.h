#pragma once

// The bar over the 放样表's table that narrows the rows shown: 编码 (all
// codes, or one of the sheet's codes) and 查找点名 (rows whose name holds the
// text typed, in any case of its Latin letters). It says what is chosen as
// data; the window orders and filters the rows (ordered_rows.h).

#include <QWidget>
#include <optional>
#include <string>
#include <vector>

class QComboBox;
class QLineEdit;

class CRowFilterBar : public QWidget {
  Q_OBJECT

 public:
  explicit CRowFilterBar(QWidget* parent = nullptr);

  // The codes to choose from (the sheet's, each once, in their order); the
  // code chosen stays where the sheet still has it.
  void setCodes(const std::vector<std::string>& codes);

  // The code chosen ("" for rows without one); none for all codes.
  std::optional<std::string> code() const;
  // The text typed to find names by, blanks around it taken off.
  std::string name() const;
  // Shows a code and a name as chosen, without a change signal.
  void showChoice(const std::optional<std::string>& code, const std::string& name);

 signals:
  // The user chose another code, or changed the name's text.
  void changed();

 private:
  QComboBox* m_code;
  QLineEdit* m_name;
};
