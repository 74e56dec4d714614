#pragma once

// 页眉: the page heading's fields (工程名称, 仪器, 观测, 记录, 检查, 天气) as
// the user types them, one line each, for every printed and exported page.

#include <QDialog>
#include <array>

#include "ui/sheet/sheet_look.h"

class QLineEdit;

class CPageHeadingDialog : public QDialog {
  Q_OBJECT

 public:
  explicit CPageHeadingDialog(const PageHeading& heading, QWidget* parent = nullptr);

  // The fields as typed, blanks at either end taken off.
  PageHeading heading() const;

 private:
  std::array<QLineEdit*, PageHeading::kCount> m_fields;
};
