#include "ui/transform/parameter_form.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

#include "ui/common/typing_watch.h"

namespace {

constexpr int kPairsPerRow = 3;

}  // namespace

CParameterForm::CParameterForm(CTypingWatch& typing, QWidget* parent)
    : QWidget(parent), m_typing(typing), m_grid(new QGridLayout(this)) {
  m_grid->setContentsMargins(0, 0, 0, 0);
  for (int pair = 0; pair < kPairsPerRow; ++pair) m_grid->setColumnStretch(2 * pair + 1, 1);
}

void CParameterForm::place(QWidget* widget, const QString& label) {
  if (m_column == kPairsPerRow) newRow();
  if (!label.isEmpty()) {
    auto* shown = new QLabel(label, this);
    shown->setBuddy(widget);
    m_grid->addWidget(shown, m_row, 2 * m_column);
  }
  m_grid->addWidget(widget, m_row, 2 * m_column + 1);
  ++m_column;
}

void CParameterForm::newRow() {
  if (m_column == 0) return;
  ++m_row;
  m_column = 0;
}

QLineEdit* CParameterForm::addField(const QString& label, const QString& name,
                                    const QString& text, const QString& tip) {
  auto* edit = new QLineEdit(text, this);
  edit->setObjectName(name);
  edit->setToolTip(tip);
  m_typing.watch(*edit);
  place(edit, label);
  return edit;
}

QComboBox* CParameterForm::addChoice(const QString& label, const QString& name,
                                     const QStringList& items) {
  auto* box = new QComboBox(this);
  box->setObjectName(name);
  box->addItems(items);
  connect(box, &QComboBox::currentIndexChanged, this, &CParameterForm::changed);
  place(box, label);
  return box;
}

QCheckBox* CParameterForm::addCheck(const QString& label, const QString& name) {
  auto* box = new QCheckBox(label, this);
  box->setObjectName(name);
  connect(box, &QCheckBox::toggled, this, &CParameterForm::changed);
  place(box);
  return box;
}
