#include "ui/sheet/page_heading_dialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

CPageHeadingDialog::CPageHeadingDialog(const PageHeading& heading, QWidget* parent)
    : QDialog(parent) {
  setWindowTitle(QStringLiteral("页眉"));
  auto* form = new QFormLayout;
  const auto& titles = PageHeadingTitles();
  for (std::size_t i = 0; i < m_fields.size(); ++i) {
    m_fields[i] = new QLineEdit(heading.fields[i], this);
    m_fields[i]->setMinimumWidth(m_fields[i]->fontMetrics().horizontalAdvance(QLatin1Char('M')) *
                                 24);
    form->addRow(titles[i] + QStringLiteral("："), m_fields[i]);
  }
  auto* note =
      new QLabel(QStringLiteral("印在每一页上；空着的一项印成一条横线，以便签名填写。"), this);
  note->setWordWrap(true);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addWidget(note);
  layout->addWidget(buttons);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

PageHeading CPageHeadingDialog::heading() const {
  PageHeading heading;
  for (std::size_t i = 0; i < m_fields.size(); ++i)
    heading.fields[i] = m_fields[i]->text().trimmed();
  return heading;
}
