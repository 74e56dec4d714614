#include "ui/control/control_printer.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPdfWriter>
#include <numeric>

#include "ui/common/pdf_file.h"
#include "ui/common/plan_frame.h"
#include "ui/common/plan_marks.h"
#include "ui/control/traverse_plan.h"
#include "ui/common/window_look.h"

namespace {

constexpr double kPad = 4.0;         // beside a cell's text
constexpr double kGap = 10.0;        // between the parts of a page
constexpr double kFootLeast = 210.0;  // the foot's height at least: closures, sketch, signatures
constexpr double kRule = 0.8;        // the form's rules
constexpr double kThin = 0.4;

}  // namespace

ControlPrinter::ControlPrinter(const ControlForm& form, QString date)
    : m_form(form), m_date(std::move(date)) {
  m_font = WithNarrowPrimes(QFont(QStringLiteral("宋体")));
  m_font.setPixelSize(12);
  m_small = m_font;
  m_small.setPixelSize(9);
  m_bold = m_font;
  m_bold.setBold(true);
  m_title = m_font;
  m_title.setPixelSize(22);
  m_title.setBold(true);
}

QPageLayout ControlPrinter::PageLayout() {
  return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape, QMarginsF(12, 12, 12, 12),
                     QPageLayout::Millimeter);
}

double ControlPrinter::headingHeight() const {
  return QFontMetricsF(m_title).height() + QFontMetricsF(m_font).height() * 1.6 + kGap;
}

double ControlPrinter::headerHeight() const { return QFontMetricsF(m_font).height() * 2.4 + 4; }

double ControlPrinter::rowHeight() const {
  return QFontMetricsF(m_font).height() + QFontMetricsF(m_small).height() * 0.7 + 2;
}

// The closures' lines under their title, the gap above and the signatures'
// line below; the sketch beside takes the same height.
double ControlPrinter::footHeight() const {
  const double line = QFontMetricsF(m_font).height() * 1.4;
  return std::max(kFootLeast, kGap + line * (3.7 + static_cast<double>(m_form.closures.size())));
}

std::vector<double> ControlPrinter::widths(double width) const {
  double shares = 0;
  for (const FormColumn& column : m_form.columns) shares += column.share;
  std::vector<double> out;
  for (const FormColumn& column : m_form.columns) out.push_back(width * column.share / shares);
  return out;
}

std::vector<std::pair<std::size_t, std::size_t>> ControlPrinter::pages(QSizeF page) const {
  const double body = page.height() - headingHeight() - headerHeight();
  const auto perPage = static_cast<std::size_t>(std::max(4.0, std::floor(body / rowHeight())));
  const auto lastPage = static_cast<std::size_t>(
      std::max(0.0, std::floor((body - rowHeight() - footHeight()) / rowHeight())));
  std::vector<std::pair<std::size_t, std::size_t>> out;
  std::size_t first = 0;
  const std::size_t rows = m_form.rows.size();
  while (rows - first > lastPage) {
    const std::size_t end = std::min(rows, first + perPage);
    out.emplace_back(first, end);
    first = end;
  }
  // The last page holds the rest (maybe none), the sums and the foot.
  out.emplace_back(first, rows);
  return out;
}

void ControlPrinter::paintHeading(QPainter& painter, double width, std::size_t index,
                                  std::size_t pages) const {
  painter.setPen(Qt::black);
  painter.setFont(m_title);
  const double titleHeight = QFontMetricsF(m_title).height();
  painter.drawText(QRectF(0, 0, width, titleHeight), Qt::AlignCenter, m_form.title);
  painter.setFont(m_font);
  const QRectF facts(0, titleHeight + 4, width, QFontMetricsF(m_font).height());
  painter.drawText(facts, Qt::AlignLeft | Qt::AlignVCenter,
                   m_form.facts.join(QStringLiteral("　　")));
  painter.drawText(facts, Qt::AlignRight | Qt::AlignVCenter,
                   QStringLiteral("%1　　第 %2 页，共 %3 页").arg(m_date).arg(index + 1).arg(pages));
}

double ControlPrinter::paintHeader(QPainter& painter, const std::vector<double>& widths,
                                   double top) const {
  const double height = headerHeight();
  const double half = height / 2;
  painter.setFont(m_bold);
  painter.setPen(QPen(Qt::black, kRule));
  double left = 0;
  for (std::size_t i = 0; i < widths.size(); ++i) {
    const FormColumn& column = m_form.columns[i];
    if (column.group.isEmpty()) {
      painter.drawRect(QRectF(left, top, widths[i], height));
      painter.drawText(QRectF(left, top, widths[i], height), Qt::AlignCenter, column.title);
    } else {
      // A group's title over all its columns, drawn with the first.
      std::size_t end = i;
      double span = 0;
      while (end < widths.size() && m_form.columns[end].group == column.group) span += widths[end++];
      if (i == 0 || m_form.columns[i - 1].group != column.group) {
        painter.drawRect(QRectF(left, top, span, half));
        painter.drawText(QRectF(left, top, span, half), Qt::AlignCenter, column.group);
      }
      painter.drawRect(QRectF(left, top + half, widths[i], half));
      painter.drawText(QRectF(left, top + half, widths[i], half), Qt::AlignCenter, column.title);
    }
    left += widths[i];
  }
  return top + height;
}

double ControlPrinter::paintRow(QPainter& painter, const std::vector<double>& widths,
                                const FormRow& row, double top, bool bold) const {
  const double height = rowHeight();
  const double smallHeight = QFontMetricsF(m_small).height();
  double left = 0;
  for (std::size_t i = 0; i < widths.size(); ++i) {
    const QRectF cell(left, top, widths[i], height);
    // The rules: every column's, and under a point's row; a leg's row
    // hangs between two points, as on the paper form, with a thin rule.
    painter.setPen(QPen(Qt::black, kRule));
    painter.drawLine(cell.topLeft(), cell.bottomLeft());
    painter.drawLine(cell.topRight(), cell.bottomRight());
    painter.setPen(QPen(Qt::black, row.between || bold ? kRule : kThin));
    painter.drawLine(cell.bottomLeft(), cell.bottomRight());
    const QString text = row.cells.value(static_cast<qsizetype>(i));
    const QString small = row.small.value(static_cast<qsizetype>(i));
    const bool name = i == 0 || i + 1 == widths.size();
    painter.setPen(Qt::black);
    if (!small.isEmpty()) {
      painter.setFont(m_small);
      painter.drawText(QRectF(cell.left() + kPad, top, cell.width() - 2 * kPad, smallHeight),
                       Qt::AlignRight | Qt::AlignTop, small);
    }
    painter.setFont(bold ? m_bold : m_font);
    painter.drawText(cell.adjusted(kPad, 0, -kPad, 0),
                     (name ? Qt::AlignHCenter : Qt::AlignRight) | Qt::AlignBottom |
                         Qt::TextSingleLine,
                     text);
    left += widths[i];
  }
  return top + height;
}

void ControlPrinter::paintFoot(QPainter& painter, QSizeF page, double top) const {
  const double line = QFontMetricsF(m_font).height() * 1.4;
  const double bottom = std::min(page.height(), top + footHeight()) - line * 1.5;
  const bool sketch = m_form.sketch != nullptr && !m_form.sketch->result.rows.empty();
  const double notesWidth = sketch ? page.width() * 0.55 : page.width();
  const QRectF notes(0, top, notesWidth, bottom - top);
  painter.setPen(QPen(Qt::black, kRule));
  painter.setBrush(Qt::NoBrush);
  painter.drawRect(notes);
  painter.setFont(m_bold);
  painter.drawText(notes.adjusted(kPad * 2, kPad, 0, 0), Qt::AlignLeft | Qt::AlignTop,
                   QStringLiteral("辅助计算"));
  double y = top + kPad + line * 1.2;
  for (const ClosureText& closure : m_form.closures) {
    painter.setFont(closure.over ? m_bold : m_font);
    painter.setPen(closure.over ? ErrorColour() : QColor(Qt::black));
    painter.drawText(QRectF(kPad * 4, y, notesWidth - kPad * 6, line), Qt::AlignLeft | Qt::AlignVCenter,
                     closure.over ? closure.text + QStringLiteral("　超限") : closure.text);
    y += line;
  }
  if (sketch) {
    const QRectF area(notesWidth + kGap, top, page.width() - notesWidth - kGap, bottom - top);
    painter.setPen(QPen(Qt::black, kRule));
    painter.drawRect(area);
    painter.setFont(m_bold);
    painter.drawText(area.adjusted(kPad * 2, kPad, 0, 0), Qt::AlignLeft | Qt::AlignTop,
                     QStringLiteral("略图"));
    const QRectF inner = area.adjusted(4, line, -4, -4);
    const PlanFrame frame =
        PlanFrame::fit(CTraversePlan::routeBounds(*m_form.sketch), inner.size(), 28.0);
    painter.save();
    painter.setClipRect(inner);
    QFont names = m_font;
    names.setPixelSize(10);
    painter.setFont(names);
    CTraversePlan::paintRoute(painter, *m_form.sketch, frame, inner);
    PaintNorthArrow(painter, inner);
    painter.restore();
  }
  painter.setFont(m_font);
  painter.setPen(Qt::black);
  const QString blank = QStringLiteral("＿＿＿＿＿＿＿＿");
  painter.drawText(QRectF(0, bottom, page.width(), line * 1.5), Qt::AlignLeft | Qt::AlignBottom,
                   QStringLiteral("计算：%1　　　　检查：%1　　　　日期：%1").arg(blank));
}

void ControlPrinter::paintPage(QPainter& painter, QSizeF page, std::size_t index,
                               std::size_t first, std::size_t end, std::size_t pages) const {
  paintHeading(painter, page.width(), index, pages);
  const std::vector<double> columns = widths(page.width());
  double top = paintHeader(painter, columns, headingHeight());
  for (std::size_t row = first; row < end; ++row)
    top = paintRow(painter, columns, m_form.rows[row], top, false);
  if (index + 1 < pages) return;
  FormRow sums;
  sums.cells = m_form.sums;
  top = paintRow(painter, columns, sums, top, true);
  paintFoot(painter, page, top + kGap);
}

bool ControlPrinter::print(QPagedPaintDevice& device) const {
  QPainter painter;
  if (!painter.begin(&device)) return false;
  const double scale = device.logicalDpiX() / 96.0;
  const QSizeF page(device.width() / scale, device.height() / scale);
  const auto layout = pages(page);
  for (std::size_t index = 0; index < layout.size(); ++index) {
    if (index > 0 && !device.newPage()) return false;
    painter.save();
    painter.scale(scale, scale);
    paintPage(painter, page, index, layout[index].first, layout[index].second, layout.size());
    painter.restore();
  }
  return painter.end();
}

QString WriteControlPdf(const ControlForm& form, const QString& path, const QString& date,
                        const std::atomic<bool>* stop) {
  return WritePdfFile(path, form.title, ControlPrinter::PageLayout(), stop,
                      [&](QPdfWriter& writer) {
                        return ControlPrinter(form, date).print(writer) && !(stop && *stop);
                      });
}
