#include "ui/transform/transform_printer.h"

#include <QFontMetricsF>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <algorithm>

#include "ui/common/pdf_file.h"
#include "ui/common/window_look.h"
#include "ui/transform/transform_model.h"
#include "ui/transform/transform_statement.h"

namespace {

constexpr double kCellPad = 10.0;        // beside a cell's text, in all
constexpr double kGap = 10.0;            // between the parts of a page
constexpr std::size_t kMeasured = 2000;  // rows measured at each end of a long table

}  // namespace

TransformPrinter::TransformPrinter(const TransformSheet& sheet, QString date)
    : m_sheet(sheet), m_date(std::move(date)), m_statement(StatementOf(sheet)) {
  m_font = WithNarrowPrimes(QFont(QStringLiteral("宋体")));
  m_font.setPixelSize(12);
  m_bold = BoldFace(m_font);
}

QPageLayout TransformPageLayout() {
  return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(15, 15, 15, 15),
                     QPageLayout::Millimeter);
}

double TransformPrinter::headingHeight() const {
  return QFontMetricsF(m_bold).height() * 1.6 + kGap;
}

// The statement's lines wrap at the page's width.
double TransformPrinter::statementHeight(double width) const {
  const QFontMetricsF metrics(m_font);
  double height = kGap;
  for (const QString& line : m_statement)
    height += metrics.boundingRect(QRectF(0, 0, width, 1e6), Qt::TextWordWrap, line).height() + 3;
  return height;
}

// The tables' columns, measured, and the rows each page holds.
std::vector<std::vector<TransformPrinter::Piece>> TransformPrinter::layOut(
    QSizeF page, std::vector<Table>& tables) const {
  const QFontMetricsF metrics(m_font);
  for (Table& table : tables) {
    const QStringList titles = AnswerTitles(*table.answer, table.fit);
    for (const QString& title : titles) table.widths.push_back(QFontMetricsF(m_bold).horizontalAdvance(title) + kCellPad);
    const std::size_t rows = table.answer->lines.size();
    for (std::size_t row = 0; row < rows; ++row) {
      if (row == kMeasured && rows > 2 * kMeasured) row = rows - kMeasured;
      for (int column = 0; column < titles.size(); ++column) {
        double& width = table.widths[static_cast<std::size_t>(column)];
        width = std::max(width, metrics.horizontalAdvance(
                                    AnswerCellText(*table.answer, table.fit, row, column)) + kCellPad);
      }
    }
  }
  const double rowHeight = metrics.height() + 4;
  const double titleHeight = QFontMetricsF(m_bold).height() + 4;
  std::vector<std::vector<Piece>> pages(1);
  double top = headingHeight() + statementHeight(page.width());
  for (std::size_t at = 0; at < tables.size(); ++at) {
    const std::size_t rows = tables[at].answer->lines.size();
    std::size_t row = 0;
    do {
      if (top + titleHeight + 2 * rowHeight > page.height()) {
        pages.emplace_back();
        top = headingHeight();
      }
      Piece piece{at, row, row, top};
      top += titleHeight + rowHeight;
      while (row < rows && top + rowHeight <= page.height()) {
        top += rowHeight;
        ++row;
      }
      piece.end = row;
      pages.back().push_back(piece);
      top += kGap;
    } while (row < rows);
  }
  return pages;
}

void TransformPrinter::paintHeading(QPainter& painter, double width, std::size_t page,
                                    std::size_t pages) const {
  const QFontMetricsF bold(m_bold);
  painter.setPen(Qt::black);
  painter.setFont(m_bold);
  painter.drawText(QRectF(0, 0, width, bold.height()), Qt::AlignLeft | Qt::AlignVCenter,
                   QStringLiteral("坐标转换  %1").arg(m_sheet.title));
  painter.setFont(m_font);
  painter.drawText(QRectF(0, 0, width, bold.height()), Qt::AlignRight | Qt::AlignVCenter,
                   QStringLiteral("%1    第 %2 页，共 %3 页").arg(m_date).arg(page + 1).arg(pages));
  const double line = headingHeight() - kGap / 2;
  painter.setPen(QPen(Qt::black, 0.8));
  painter.drawLine(QPointF(0, line), QPointF(width, line));
}

void TransformPrinter::paintStatement(QPainter& painter, double width) const {
  const QFontMetricsF metrics(m_font);
  painter.setFont(m_font);
  painter.setPen(Qt::black);
  double top = headingHeight();
  for (const QString& line : m_statement) {
    const double height =
        metrics.boundingRect(QRectF(0, 0, width, 1e6), Qt::TextWordWrap, line).height();
    painter.drawText(QRectF(0, top, width, height), Qt::AlignLeft | Qt::TextWordWrap, line);
    top += height + 3;
  }
}

// A row of `texts` at `top`: names at the left, numbers at the right;
// returns the row's bottom.
double TransformPrinter::paintRow(QPainter& painter, const Table& table, const QStringList& texts,
                                  double top, bool header, bool red) const {
  const double height = QFontMetricsF(m_font).height() + 4;
  painter.setFont(header ? m_bold : m_font);
  painter.setPen(red ? ErrorColour() : QColor(Qt::black));
  double left = 0;
  for (int column = 0; column < texts.size(); ++column) {
    const double width = table.widths[static_cast<std::size_t>(column)];
    const QRectF rect(left + kCellPad / 2, top, width - kCellPad, height);
    const Qt::Alignment align = column == 0 ? Qt::AlignLeft : Qt::AlignRight;
    painter.drawText(rect, align | Qt::AlignVCenter | Qt::TextSingleLine, texts[column]);
    left += width;
  }
  painter.setPen(QPen(QColor(180, 180, 180), 0.5));
  painter.drawLine(QPointF(0, top + height), QPointF(left, top + height));
  return top + height;
}

bool TransformPrinter::print(QPagedPaintDevice& device, const std::atomic<bool>* stop) const {
  QPainter painter;
  if (!painter.begin(&device)) return false;
  const double scale = device.logicalDpiX() / 96.0;  // 96-dpi pixels inside the margins
  const QSizeF page(device.width() / scale, device.height() / scale);
  std::vector<Table> tables;
  if (m_sheet.fitAnswer)
    tables.push_back({QStringLiteral("公共点残差"), m_sheet.fitAnswer.get(), true, {}});
  if (m_sheet.pointsAnswer && !m_sheet.pointsAnswer->lines.empty())
    tables.push_back({QStringLiteral("转换结果"), m_sheet.pointsAnswer.get(), false, {}});
  const std::vector<std::vector<Piece>> pages = layOut(page, tables);
  const double titleHeight = QFontMetricsF(m_bold).height() + 4;
  for (std::size_t index = 0; index < pages.size(); ++index) {
    if (stop && *stop) return false;
    if (index > 0 && !device.newPage()) return false;
    painter.save();
    painter.scale(scale, scale);
    paintHeading(painter, page.width(), index, pages.size());
    if (index == 0) paintStatement(painter, page.width());
    for (const Piece& piece : pages[index]) {
      const Table& table = tables[piece.table];
      painter.setFont(m_bold);
      painter.setPen(Qt::black);
      painter.drawText(QRectF(0, piece.top, page.width(), titleHeight), Qt::AlignLeft | Qt::AlignVCenter,
                       piece.first == 0 ? table.title : QStringLiteral("%1（续）").arg(table.title));
      const QStringList titles = AnswerTitles(*table.answer, table.fit);
      double top = paintRow(painter, table, titles, piece.top + titleHeight, true, false);
      for (std::size_t row = piece.first; row < piece.end; ++row) {
        QStringList texts;
        for (int column = 0; column < titles.size(); ++column)
          texts << AnswerCellText(*table.answer, table.fit, row, column);
        const TransformLine& line = table.answer->lines[row];
        const bool red = line.what == TransformLine::What::kError || line.overLimit;
        top = paintRow(painter, table, texts, top, false, red);
      }
    }
    painter.restore();
  }
  return painter.end();
}

QString WriteTransformPdf(const TransformSheet& sheet, const QString& path, const QString& date,
                          const std::atomic<bool>* stop) {
  return WritePdfFile(path, QStringLiteral("坐标转换 %1").arg(sheet.title), TransformPageLayout(),
                      stop, [&](QPdfWriter& writer) {
                        return TransformPrinter(sheet, date).print(writer, stop);
                      });
}
