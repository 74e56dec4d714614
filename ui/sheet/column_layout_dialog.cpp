#include "ui/sheet/column_layout_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QVBoxLayout>

#include "reader/sheet/sheet_request.h"
#include "ui/common/window_look.h"
#include "ui/sheet/sheet_look.h"
#include "ui/sheet/sheet_messages.h"

namespace {

QString roleHeading(const QString& role) {
  static const QHash<QString, QString> kHeadings = {
      {QStringLiteral("name"), QStringLiteral("点名")},
      {QStringLiteral("code"), QStringLiteral("编码")},
      {QStringLiteral("y"), QStringLiteral("东 Y")},
      {QStringLiteral("x"), QStringLiteral("北 X")},
      {QStringLiteral("h"), QStringLiteral("高程")},
      {QStringLiteral("-"), QStringLiteral("（不读）")}};
  return kHeadings.value(role.trimmed(), QStringLiteral("？%1").arg(role.trimmed()));
}

}  // namespace

QString PointColumnsProblem(const QString& columns) {
  std::vector<reading::Column> read;
  return ColumnsProblem(reading::ReadColumns(
      columns.toStdString(), reading::RowNumbers(reading::Mode::kSetout, true), true, read));
}

QString ColumnsOfTitles(const QStringList& titles) {
  static const QHash<QString, QString> kRoles = {{QStringLiteral("NAME"), QStringLiteral("name")},
                                                 {QStringLiteral("CODE"), QStringLiteral("code")},
                                                 {QStringLiteral("X"), QStringLiteral("x")},
                                                 {QStringLiteral("Y"), QStringLiteral("y")},
                                                 {QStringLiteral("H"), QStringLiteral("h")}};
  if (!titles.contains(QStringLiteral("X")) || !titles.contains(QStringLiteral("Y"))) return {};
  QStringList roles;
  for (const QString& title : titles) roles << kRoles.value(title, QStringLiteral("-"));
  return roles.join(QLatin1Char(','));
}

const QList<QPair<QString, QString>>& CColumnLayoutDialog::presets() {
  static const QList<QPair<QString, QString>> kPresets = {
      {QStringLiteral("name,code,y,x,h"), QStringLiteral("点名, 编码, 东, 北, 高程")},
      {QStringLiteral("name,code,x,y,h"), QStringLiteral("点名, 编码, 北, 东, 高程")},
      {QStringLiteral("name,y,x,h"), QStringLiteral("点名, 东, 北, 高程")},
      {QStringLiteral("name,x,y,h"), QStringLiteral("点名, 北, 东, 高程")},
      {QStringLiteral("name,y,x"), QStringLiteral("点名, 东, 北")},
      {QStringLiteral("name,x,y"), QStringLiteral("点名, 北, 东")},
      {QStringLiteral("name,-,-,x,y,-,h"), QStringLiteral("线路桩位：桩名, 北, 东, 设计高程")},
      {QStringLiteral("name,-,-,x,y,-"), QStringLiteral("线路桩位：桩名, 北, 东")}};
  return kPresets;
}

CColumnLayoutDialog::CColumnLayoutDialog(const PreviewRows& preview, const QString& columns,
                                         Check check, QWidget* parent, PreviewReader read,
                                         const reading::InputReading& input)
    : QDialog(parent),
      m_check(std::move(check)),
      m_read(std::move(read)),
      m_decimalMark(input.decimalMark),
      m_refused(preview.refused) {
  setWindowTitle(QStringLiteral("列格式"));
  m_preset = new QComboBox(this);
  for (const auto& [roles, description] : presets())
    m_preset->addItem(QStringLiteral("%1    (%2)").arg(description, roles), roles);
  m_preset->addItem(QStringLiteral("自定义"), QString());
  m_columns = new QLineEdit(this);
  m_columns->setToolTip(
      QStringLiteral("以逗号分隔：name 点名、code 编码、x 北坐标、y 东坐标、h 高程、- 不读"));
  m_encoding = makeEncodingBox(input.encoding);
  m_skipLines = new QSpinBox(this);
  m_skipLines->setRange(0, 1000);
  m_skipLines->setValue(static_cast<int>(std::min<std::size_t>(input.skipLines, 1000)));
  m_skipLines->setToolTip(
      QStringLiteral("文件开头这几行照原样抄写，不当作数据行（标题、仪器导出的说明）"));
  m_problem = new QLabel(this);
  m_problem->setWordWrap(true);  // a long message shows whole
  QPalette palette = m_problem->palette();
  palette.setColor(QPalette::WindowText, ErrorColour());
  m_problem->setPalette(palette);
  m_preview = new QTableWidget(this);
  m_preview->setEditTriggers(QAbstractItemView::NoEditTriggers);
  m_preview->setTabKeyNavigation(false);
  m_preview->verticalHeader()->setDefaultSectionSize(m_preview->fontMetrics().height() + 6);
  m_buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  layOut();
  showPreview(preview);
  connectControls();
  const QString own = preview.rows.isEmpty() ? QString() : ColumnsOfTitles(preview.rows.front());
  showColumns(own.isEmpty() ? columns : own);
  m_preview->resizeColumnsToContents();  // the headings included
}

// 自动 and each encoding a file may be read in, `chosen` selected (none: 自动).
QComboBox* CColumnLayoutDialog::makeEncodingBox(std::optional<reading::TextEncoding> chosen) {
  auto* box = new QComboBox(this);
  box->addItem(QStringLiteral("自动"));
  for (const reading::TextEncoding encoding : reading::kTextEncodings) {
    const QString name =
        QString::fromUtf8(reading::EncodingName(encoding).data(),
                          static_cast<qsizetype>(reading::EncodingName(encoding).size()));
    box->addItem(encoding == reading::TextEncoding::kGb18030
                     ? QStringLiteral("%1（GBK、GB2312）").arg(name)
                     : name,
                 static_cast<int>(encoding));
  }
  if (chosen) box->setCurrentIndex(box->findData(static_cast<int>(*chosen)));
  box->setToolTip(
      QStringLiteral("没有字节顺序标记的文件用什么编码读取；自动：按文件开头的各行判断，"
                     "含汉字的 UTF-8 行居多就按 UTF-8，否则按 GB18030（GBK）。"
                     "所选编码只用于这个文件"));
  return box;
}

void CColumnLayoutDialog::layOut() {
  auto* form = new QFormLayout;
  form->addRow(QStringLiteral("常用格式(&P):"), m_preset);
  form->addRow(QStringLiteral("各列依次为(&C):"), m_columns);
  form->addRow(QStringLiteral("编码(&N):"), m_encoding);
  form->addRow(QStringLiteral("跳过行数(&S):"), m_skipLines);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addWidget(m_problem);
  layout->addWidget(new QLabel(QStringLiteral("文件的前几行："), this));
  layout->addWidget(m_preview, 1);
  layout->addWidget(m_buttons);
  resize(640, 400);
}

void CColumnLayoutDialog::connectControls() {
  connect(m_preset, &QComboBox::activated, this, [this](int index) {
    const QString roles = m_preset->itemData(index).toString();
    if (!roles.isEmpty()) showColumns(roles);
    m_columns->setFocus();
  });
  connect(m_columns, &QLineEdit::textEdited, this, &CColumnLayoutDialog::showColumns);
  connect(m_encoding, &QComboBox::activated, this, &CColumnLayoutDialog::readAgain);
  connect(m_skipLines, &QSpinBox::valueChanged, this, &CColumnLayoutDialog::readAgain);
  connect(m_buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(m_buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

QString CColumnLayoutDialog::columns() const { return m_columns->text().trimmed(); }

reading::InputReading CColumnLayoutDialog::input() const {
  reading::InputReading input;
  const QVariant encoding = m_encoding->currentData();
  if (encoding.isValid()) input.encoding = static_cast<reading::TextEncoding>(encoding.toInt());
  input.skipLines = static_cast<std::size_t>(m_skipLines->value());
  input.decimalMark = m_decimalMark;
  return input;
}

FileLayout CColumnLayoutDialog::layout() const { return {columns(), input()}; }

// The preview read again with the encoding and the lines to skip chosen.
void CColumnLayoutDialog::readAgain() {
  if (!m_read) return;
  m_problem->clear();
  showPreview(m_read(input()));
  showColumns(m_columns->text());
  m_preview->resizeColumnsToContents();
}

// The rows, what keeps them from being read, and under 自动 the encoding
// they were found in.
void CColumnLayoutDialog::showPreview(const PreviewRows& preview) {
  m_refused = preview.refused;
  fillPreview(preview.rows);
  if (!preview.problem.isEmpty()) m_problem->setText(preview.problem);
  // Read in an encoding picked, the list still says what 自动 finds.
  QString found = preview.encoding;
  if (m_encoding->currentIndex() != 0) {
    reading::InputReading automatic = input();
    automatic.encoding.reset();
    found = m_read ? m_read(automatic).encoding : QString();
  }
  m_encoding->setItemText(
      0, found.isEmpty() ? QStringLiteral("自动") : QStringLiteral("自动（%1）").arg(found));
}

// The list in the field, its preset picked where it is one, its roles as the
// preview's headings, and OK only for a list the reader takes.
void CColumnLayoutDialog::showColumns(const QString& columns) {
  if (m_columns->text() != columns) m_columns->setText(columns);
  QStringList roles = columns.split(QLatin1Char(','));
  for (QString& role : roles) role = role.trimmed();
  const int preset = m_preset->findData(roles.join(QLatin1Char(',')));
  m_preset->setCurrentIndex(preset >= 0 ? preset : m_preset->count() - 1);
  for (int column = 0; column < m_preview->columnCount(); ++column)
    m_preview->setHorizontalHeaderItem(
        column, new QTableWidgetItem(column < roles.size() ? roleHeading(roles[column])
                                                           : QStringLiteral("（多余）")));
  const QString problem = m_check ? m_check(columns.trimmed()) : QString();
  // What is wrong with the file stays in view.
  if (!m_refused &&
      (!problem.isEmpty() || m_problem->text().isEmpty() || m_preview->rowCount() > 0))
    m_problem->setText(problem);
  m_buttons->button(QDialogButtonBox::Ok)->setEnabled(problem.isEmpty() && !m_refused);
}

void CColumnLayoutDialog::fillPreview(const QList<QStringList>& rows) {
  m_preview->clearContents();
  qsizetype columns = 0;
  for (const QStringList& row : rows) columns = std::max(columns, row.size());
  m_preview->setRowCount(static_cast<int>(rows.size()));
  m_preview->setColumnCount(static_cast<int>(columns));
  for (int row = 0; row < rows.size(); ++row)
    for (int column = 0; column < rows[row].size(); ++column)
      m_preview->setItem(row, column, new QTableWidgetItem(rows[row][column]));
}
