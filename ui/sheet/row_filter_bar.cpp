#include "ui/sheet/row_filter_bar.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>

namespace {

// The entry for all codes carries no data; the others their code.
constexpr int kAllCodes = 0;

}  // namespace

CRowFilterBar::CRowFilterBar(QWidget* parent)
    : QWidget(parent), m_code(new QComboBox(this)), m_name(new QLineEdit(this)) {
  m_code->addItem(QStringLiteral("（全部）"));
  m_code->setSizeAdjustPolicy(QComboBox::AdjustToContents);
  m_code->setMinimumContentsLength(8);
  m_name->setPlaceholderText(QStringLiteral("点名的一部分"));
  m_name->setClearButtonEnabled(true);
  auto* codeLabel = new QLabel(QStringLiteral("编码(&W):"), this);
  codeLabel->setBuddy(m_code);
  auto* nameLabel = new QLabel(QStringLiteral("查找点名(&N):"), this);
  nameLabel->setBuddy(m_name);
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(codeLabel);
  layout->addWidget(m_code);
  layout->addSpacing(12);
  layout->addWidget(nameLabel);
  layout->addWidget(m_name, 1);
  connect(m_code, &QComboBox::currentIndexChanged, this, &CRowFilterBar::changed);
  connect(m_name, &QLineEdit::textChanged, this, &CRowFilterBar::changed);
}

void CRowFilterBar::setCodes(const std::vector<std::string>& codes) {
  const std::optional<std::string> chosen = code();
  const QSignalBlocker quiet(m_code);
  while (m_code->count() > 1) m_code->removeItem(1);
  int keep = kAllCodes;
  for (const std::string& code : codes) {
    const QString text = QString::fromStdString(code);
    m_code->addItem(code.empty() ? QStringLiteral("（无编码）") : text, text);
    if (chosen == code) keep = m_code->count() - 1;
  }
  m_code->setCurrentIndex(keep);
  if (chosen && keep == kAllCodes) emit changed();  // the sheet has the code no more
}

std::optional<std::string> CRowFilterBar::code() const {
  if (m_code->currentIndex() <= kAllCodes) return std::nullopt;
  return m_code->currentData().toString().toStdString();
}

std::string CRowFilterBar::name() const { return m_name->text().trimmed().toStdString(); }

void CRowFilterBar::showChoice(const std::optional<std::string>& code, const std::string& name) {
  const QSignalBlocker quietCode(m_code);
  const QSignalBlocker quietName(m_name);
  m_code->setCurrentIndex(
      code ? std::max(kAllCodes, m_code->findData(QString::fromStdString(*code))) : kAllCodes);
  m_name->setText(QString::fromStdString(name));
}
