#pragma once

// A point name typed or picked from the names of a design or control file:
// typing any part of a name lists the names that hold it, in any case of
// their Latin letters, under the field; the list of the box itself offers
// the file's first names. Lists of a million names answer each key within
// a few milliseconds (NameIndex): only the names shown are made into text.

#include <QComboBox>
#include <memory>

class NameIndex;
class QCompleter;
class QStringListModel;

class CPointNameBox : public QComboBox {
  Q_OBJECT

 public:
  // At most this many names are listed at a time.
  static constexpr int kListed = 200;

  explicit CPointNameBox(QWidget* parent = nullptr);
  ~CPointNameBox() override;

  // The names to offer; the typed text stays, and so do the names listed
  // for it where the names are the same.
  void setNames(std::shared_ptr<const NameIndex> names);

  // The name as typed, blanks around it taken off.
  QString name() const;
  void setName(const QString& name);

  // The names listed under the field for what is typed.
  QStringList listed() const;

 signals:
  // The user picked a name from a list, or left the field or pressed Enter
  // (not while the list of names found is open over it).
  void chosen();

 private:
  void search(const QString& typed);

  std::shared_ptr<const NameIndex> m_names;
  QStringListModel* m_found;
  QCompleter* m_completer;
};
