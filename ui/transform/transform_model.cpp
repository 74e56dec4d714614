#include "ui/transform/transform_model.h"

#include <QColor>
#include <QPalette>

#include "reader/fields/number_text.h"
#include "ui/common/window_look.h"

void CTransformModel::setAnswer(std::shared_ptr<const TransformAnswer> answer, bool fit) {
  beginResetModel();
  m_answer = std::move(answer);
  m_fit = fit;
  endResetModel();
}

namespace {

QString TitleOf(const std::string& column) {
  if (column == "NAME") return QStringLiteral("点名");
  if (column == "CONVERGENCE") return QStringLiteral("子午线收敛角");
  if (column == "SCALE") return QStringLiteral("长度比");
  if (column == "VX") return QStringLiteral("vX (mm)");
  if (column == "VY") return QStringLiteral("vY (mm)");
  return QString::fromStdString(column);
}

}  // namespace

QStringList AnswerTitles(const TransformAnswer& answer, bool fit) {
  QStringList titles;
  for (const std::string& title : answer.titles) titles << TitleOf(title);
  if (fit) titles << QStringLiteral("v (mm)") << QStringLiteral("参与");
  return titles;
}

QString AnswerCellText(const TransformAnswer& answer, bool fit, std::size_t row, int column) {
  const TransformLine& line = answer.lines[row];
  if (line.what == TransformLine::What::kError) {
    if (column == 0) return QStringLiteral("第 %1 行").arg(line.line);
    return column == 1 ? QString::fromStdString(line.problem) : QString();
  }
  const int answerColumns = static_cast<int>(answer.titles.size());
  if (fit && column == answerColumns) {
    std::string length;
    if (answer.fit) reading::AppendFixed(length, line.residualMm, 1);
    return QString::fromStdString(length);
  }
  if (fit && column == answerColumns + 1) {
    const QString used = line.leftOut ? QStringLiteral("未参与") : QStringLiteral("参与");
    return line.overLimit ? used + QStringLiteral(" 超限") : used;
  }
  if (column >= static_cast<int>(line.cells.size())) return QString();
  return QString::fromStdString(line.cells[static_cast<std::size_t>(column)]);
}

int CTransformModel::useColumn() const {
  return m_fit && m_answer ? static_cast<int>(m_answer->titles.size()) + 1 : -1;
}

int CTransformModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() || !m_answer ? 0 : static_cast<int>(m_answer->lines.size());
}

int CTransformModel::columnCount(const QModelIndex& parent) const {
  if (parent.isValid() || !m_answer) return 0;
  return static_cast<int>(m_answer->titles.size()) + (m_fit ? 2 : 0);
}

QString CTransformModel::text(int row, int column) const {
  if (column == useColumn()) return QString();
  return AnswerCellText(*m_answer, m_fit, static_cast<std::size_t>(row), column);
}

QVariant CTransformModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || !m_answer) return {};
  const TransformLine& line = m_answer->lines[static_cast<std::size_t>(index.row())];
  const bool answered = line.what == TransformLine::What::kAnswer;
  if (index.column() == useColumn()) {
    if (role == Qt::CheckStateRole && answered) return line.leftOut ? Qt::Unchecked : Qt::Checked;
    return {};
  }
  switch (role) {
    case Qt::DisplayRole:
      return text(index.row(), index.column());
    case Qt::ForegroundRole:
      if (!answered || (line.overLimit && index.column() > 0)) return ErrorColour();
      if (line.leftOut) return QPalette().color(QPalette::Disabled, QPalette::Text);
      return {};
    case Qt::TextAlignmentRole:
      if (index.column() == 0 || !answered) return int(Qt::AlignLeft | Qt::AlignVCenter);
      return int(Qt::AlignRight | Qt::AlignVCenter);
    default:
      return {};
  }
}

QVariant CTransformModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (role != Qt::DisplayRole || !m_answer) return {};
  if (orientation == Qt::Vertical) return section + 1;
  return AnswerTitles(*m_answer, m_fit).value(section);
}

Qt::ItemFlags CTransformModel::flags(const QModelIndex& index) const {
  Qt::ItemFlags flags = QAbstractTableModel::flags(index);
  if (index.isValid() && index.column() == useColumn() &&
      m_answer->lines[static_cast<std::size_t>(index.row())].what == TransformLine::What::kAnswer &&
      !LeftOutKey(m_answer->lines[static_cast<std::size_t>(index.row())]).empty())
    flags |= Qt::ItemIsUserCheckable;
  return flags;
}

// The check box only says what the user asked for: the fit is made again
// without (or with) the point, and its answer comes back as a new table.
bool CTransformModel::setData(const QModelIndex& index, const QVariant& value, int role) {
  if (role != Qt::CheckStateRole || index.column() != useColumn()) return false;
  emit participationChanged(index.row(), value.toInt() == Qt::Checked);
  return true;
}
