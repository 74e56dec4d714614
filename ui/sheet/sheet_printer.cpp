#include "ui/sheet/sheet_printer.h"

#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>
#include <algorithm>
#include <numeric>

#include "ui/sheet/setout_sheet.h"
#include "ui/sheet/sketch_painter.h"

namespace {

constexpr double kDpi = 96.0;        // the page's pixels
constexpr double kPad = 6.0;         // around a cell's text
constexpr double kGap = 10.0;        // between the parts of a page
constexpr double kNameShare = 0.35;  // of the width, at most, for names and codes
const QColor kFailedText(200, 0, 0);
const QColor kStripe(242, 242, 242);
const QColor kRule(120, 120, 120);

const char* const kTitles[] = {"行", "点名", "编码", "方位角", "水平角", "距离", "设计高程"};
constexpr int kColumns = 7;
constexpr int kFirstNumber = 3;  // the azimuth's column; failed rows' message starts there
constexpr SheetRows::Field kFields[kColumns] = {
    SheetRows::kName,  SheetRows::kName,     SheetRows::kCode,  SheetRows::kAzimuth,
    SheetRows::kAngle, SheetRows::kDistance, SheetRows::kHeight};

QFont pixelFont(int pixels, bool bold) {
  QFont font(QStringLiteral("宋体"));
  font.setPixelSize(pixels);
  font.setBold(bold);
  // Smooth at any size: the print preview draws the page small, where the
  // application's crisp (unsmoothed) screen font loses strokes.
  font.setStyleStrategy(QFont::PreferAntialias);
  return font;
}

QString cellText(const SheetRows& rows, std::size_t row, int column) {
  if (column == 0) return QString::number(rows.line(row));
  return QString::fromUtf8(rows.field(row, kFields[column]));
}

QString pointText(const QString& role, const SheetPoint& point) {
  return QStringLiteral("%1 %2  X %3  Y %4")
      .arg(role, point.name, QString::number(point.x, 'f', 3), QString::number(point.y, 'f', 3));
}

}  // namespace

SheetPrinter::SheetPrinter(const SetoutSheet& sheet, QString date)
    : m_sheet(sheet),
      m_date(std::move(date)),
      m_font(pixelFont(12, false)),
      m_bold(pixelFont(12, true)),
      m_title(pixelFont(18, true)) {}

bool SheetPrinter::print(QPagedPaintDevice& device) const {
  QPainter painter;
  if (!painter.begin(&device)) return false;
  const double scale = device.logicalDpiX() / kDpi;
  const double width = device.width() / scale;
  const double height = device.height() / scale;
  const Widths widths = columnWidths(width);
  const std::vector<Page> pages = paginate(widths, width, height);
  for (std::size_t index = 0; index < pages.size(); ++index) {
    if (index > 0 && !device.newPage()) return false;
    painter.resetTransform();
    painter.scale(scale, scale);
    paintHeading(painter, width, static_cast<int>(index) + 1, static_cast<int>(pages.size()));
    double top = headingHeight();
    if (index == 0) {
      const QRectF area(0, top, width, sketchHeight(width, height));
      paintSketch(painter, area);
      top = area.bottom() + kGap;
    }
    top = paintHeaderRow(painter, top, widths);
    for (std::size_t row = pages[index].firstRow; row < pages[index].endRow; ++row)
      top = paintRow(painter, row, top, widths);
  }
  return painter.end();
}

// Row ranges page by page: as many rows as fit under the heading (and on the
// first page the sketch) and the header row; at least one row a page, so a
// row taller than a page cannot stop the printing.
std::vector<SheetPrinter::Page> SheetPrinter::paginate(const Widths& widths, double pageWidth,
                                                       double pageHeight) const {
  const double header = QFontMetricsF(m_bold).height() + 2 * kPad;
  std::vector<Page> pages;
  std::size_t row = 0;
  const std::size_t count = m_sheet.rows.size();
  do {
    double room = pageHeight - headingHeight() - header;
    if (pages.empty()) room -= sketchHeight(pageWidth, pageHeight) + kGap;
    const std::size_t first = row;
    while (row < count) {
      const double needed = rowHeight(row, widths);
      if (needed > room && row > first) break;
      room -= needed;
      ++row;
    }
    pages.push_back({first, row});
  } while (row < count);
  return pages;
}

double SheetPrinter::headingHeight() const {
  return QFontMetricsF(m_title).height() + 2 * QFontMetricsF(m_font).height() + 2 * kGap;
}

double SheetPrinter::sketchHeight(double pageWidth, double pageHeight) const {
  return std::min(pageHeight * 0.45, pageWidth * 0.75);
}

double SheetPrinter::rowHeight(std::size_t row, const Widths& widths) const {
  const QFontMetricsF metrics(m_font);
  if (!m_sheet.rows.failed(row)) return metrics.height() + 2 * kPad;
  const double span = std::accumulate(widths.begin() + kFirstNumber, widths.end(), 0.0) - 2 * kPad;
  const QString message = QString::fromUtf8(m_sheet.rows.field(row, SheetRows::kError));
  return metrics.boundingRect(QRectF(0, 0, span, 1e6), Qt::TextWordWrap, message).height() +
         2 * kPad;
}

// Each column as wide as its widest text, names and codes at most a share of
// the page each; what is left over is shared out evenly.
SheetPrinter::Widths SheetPrinter::columnWidths(double pageWidth) const {
  const QFontMetricsF metrics(m_font);
  const QFontMetricsF bold(m_bold);
  Widths widths(kColumns);
  for (int column = 0; column < kColumns; ++column)
    widths[column] = bold.horizontalAdvance(QString::fromUtf8(kTitles[column]));
  const SheetRows& rows = m_sheet.rows;
  for (std::size_t row = 0; row < rows.size(); ++row)
    for (int column = 0; column < (rows.failed(row) ? kFirstNumber : kColumns); ++column)
      widths[column] =
          std::max(widths[column], metrics.horizontalAdvance(cellText(rows, row, column)));
  for (int column : {1, 2}) widths[column] = std::min(widths[column], pageWidth * kNameShare);
  for (double& width : widths) width += 2 * kPad;
  const double spare = pageWidth - std::accumulate(widths.begin(), widths.end(), 0.0);
  for (double& width : widths) width += std::max(0.0, spare) / kColumns;
  return widths;
}

void SheetPrinter::paintHeading(QPainter& painter, double pageWidth, int page, int pages) const {
  const QFontMetricsF title(m_title);
  const QFontMetricsF metrics(m_font);
  painter.setPen(Qt::black);
  painter.setFont(m_title);
  painter.drawText(QRectF(0, 0, pageWidth, title.height()), Qt::AlignLeft | Qt::AlignVCenter,
                   QStringLiteral("放样表  %1").arg(m_sheet.source));
  painter.setFont(m_font);
  double top = title.height() + kGap / 2;
  QString sight = m_sheet.backsightPoint
                      ? pointText(QStringLiteral("后视"), *m_sheet.backsightPoint)
                      : QStringLiteral("后视方位角 %1").arg(m_sheet.checkAzimuth);
  painter.drawText(
      QRectF(0, top, pageWidth, metrics.height()), Qt::AlignLeft,
      pointText(QStringLiteral("测站"), m_sheet.station) + QStringLiteral("    ") + sight);
  top += metrics.height();
  const QString check = m_sheet.checkDistance.isEmpty()
                            ? QStringLiteral("检核：后视方位角 %1").arg(m_sheet.checkAzimuth)
                            : QStringLiteral("检核：后视方位角 %1  距离 %2")
                                  .arg(m_sheet.checkAzimuth, m_sheet.checkDistance);
  painter.drawText(QRectF(0, top, pageWidth, metrics.height()), Qt::AlignLeft, check);
  painter.drawText(
      QRectF(0, top, pageWidth, metrics.height()), Qt::AlignRight,
      QStringLiteral("日期 %1    第 %2 页，共 %3 页").arg(m_date).arg(page).arg(pages));
  top += metrics.height() + kGap / 2;
  painter.setPen(QPen(kRule, 1.0));
  painter.drawLine(QPointF(0, top), QPointF(pageWidth, top));
}

void SheetPrinter::paintSketch(QPainter& painter, const QRectF& area) const {
  painter.setFont(m_font);
  const SketchFrame frame = SketchFrame::fit(m_sheet, area.size(), 24.0);
  SketchPainter(m_sheet, frame, area).paint(painter, SketchPainter::kNoRow);
  painter.setPen(QPen(kRule, 1.0));
  painter.setBrush(Qt::NoBrush);
  painter.drawRect(area);
}

double SheetPrinter::paintHeaderRow(QPainter& painter, double top, const Widths& widths) const {
  const double height = QFontMetricsF(m_bold).height() + 2 * kPad;
  painter.setFont(m_bold);
  painter.setPen(Qt::black);
  double left = 0;
  for (int column = 0; column < kColumns; ++column) {
    const Qt::Alignment align = column >= kFirstNumber ? Qt::AlignRight : Qt::AlignLeft;
    painter.drawText(QRectF(left + kPad, top, widths[column] - 2 * kPad, height),
                     align | Qt::AlignVCenter, QString::fromUtf8(kTitles[column]));
    left += widths[column];
  }
  painter.setPen(QPen(kRule, 1.0));
  painter.drawLine(QPointF(0, top + height), QPointF(left, top + height));
  return top + height;
}

double SheetPrinter::paintRow(QPainter& painter, std::size_t row, double top,
                              const Widths& widths) const {
  const double total = std::accumulate(widths.begin(), widths.end(), 0.0);
  const double height = rowHeight(row, widths);
  if (row % 2) painter.fillRect(QRectF(0, top, total, height), kStripe);
  const SheetRows& rows = m_sheet.rows;
  const bool failed = rows.failed(row);
  painter.setFont(m_font);
  painter.setPen(failed ? kFailedText : QColor(Qt::black));
  double left = 0;
  for (int column = 0; column < kColumns; ++column) {
    if (failed && column == kFirstNumber) {
      const QRectF span(left + kPad, top + kPad, total - left - 2 * kPad, height - 2 * kPad);
      painter.drawText(span, Qt::AlignLeft | Qt::TextWordWrap,
                       QString::fromUtf8(rows.field(row, SheetRows::kError)));
      break;
    }
    const QRectF cell(left + kPad, top, widths[column] - 2 * kPad, height);
    const QString text =
        QFontMetricsF(m_font).elidedText(cellText(rows, row, column), Qt::ElideRight, cell.width());
    const Qt::Alignment align = column >= kFirstNumber ? Qt::AlignRight : Qt::AlignLeft;
    painter.drawText(cell, align | Qt::AlignVCenter, text);
    left += widths[column];
  }
  return top + height;
}
