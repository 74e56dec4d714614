#include "ui/sheet/sheet_printer.h"

#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>
#include <algorithm>
#include <numeric>

#include "ui/common/printed_heading.h"
#include "ui/common/window_look.h"
#include "ui/sheet/printed_setup_block.h"
#include "ui/sheet/sheet_row_error.h"
#include "ui/sheet/setout_sheet.h"
#include "ui/sheet/sheet_look.h"
#include "ui/sheet/sketch_painter.h"

namespace {

constexpr double kDpi = 96.0;        // the page's pixels
constexpr double kPad = 6.0;         // around a cell's text
constexpr double kGap = 10.0;        // between the parts of a page
constexpr double kNameShare = 0.35;  // of the width, at most, for names and codes
constexpr std::size_t kStep = 4096;  // rows between looks at the stop flag
const QColor kStripe(242, 242, 242);
const QColor kRule(120, 120, 120);

constexpr int kFieldsAcross = 3;        // of the page heading, in each of its lines
constexpr double kBlankMinimum = 48.0;  // the line to sign on, at least

// The printed table: the input's line, then the sheet's columns.
constexpr int kLineColumn = 0;
constexpr int kFirstNumber = kFirstNumberColumn + 1;

QFont pixelFont(int pixels, bool bold) {
  QFont font = WithNarrowPrimes(QFont(QStringLiteral("宋体")));
  font.setPixelSize(pixels);
  font.setBold(bold);
  // Smooth at any size: the print preview draws the page small, where the
  // application's crisp (unsmoothed) screen font loses strokes.
  font.setStyleStrategy(QFont::PreferAntialias);
  return font;
}

bool stopped(const std::atomic<bool>* stop) { return stop && *stop; }

}  // namespace

SheetPrinter::SheetPrinter(const SetoutSheet& sheet, QString date, SheetChoices choices)
    : m_sheet(sheet),
      m_date(std::move(date)),
      m_columns(SheetColumns(&sheet, choices.designShown)),
      m_heading(std::move(choices.heading)),
      m_font(pixelFont(12, false)),
      m_bold(pixelFont(12, true)),
      m_title(pixelFont(18, true)) {}

int SheetPrinter::columnCount() const { return static_cast<int>(m_columns.size()) + 1; }

QString SheetPrinter::title(int column) const {
  return column == kLineColumn ? QStringLiteral("行")
                               : QString::fromUtf8(m_columns[column - 1].title);
}

QString SheetPrinter::cellText(std::size_t row, int column) const {
  if (column == kLineColumn) return QString::number(m_sheet.rows.line(row));
  return CellText(m_sheet, row, m_columns[column - 1]);
}

bool SheetPrinter::layOut(QSizeF page, Layout& layout, const std::atomic<bool>* stop,
                          const Progress& progress) const {
  layout.page = page;
  layout.pages.clear();
  // Measuring the texts takes most of the time, paginating the rest.
  const Progress widths = [&](int percent) {
    if (progress) progress(percent * 7 / 10);
  };
  const Progress pages = [&](int percent) {
    if (progress) progress(70 + percent * 3 / 10);
  };
  return columnWidths(page.width(), layout.widths, stop, widths) && paginate(layout, stop, pages);
}

bool SheetPrinter::print(QPagedPaintDevice& device, const std::atomic<bool>* stop,
                         const Progress& progress, int fromPage, int toPage) const {
  QPainter painter;
  if (!painter.begin(&device)) return false;
  const double scale = device.logicalDpiX() / kDpi;
  Layout layout;
  const Progress layingOut = [&](int percent) {
    if (progress) progress(percent * 3 / 10);
  };
  if (!layOut(QSizeF(device.width() / scale, device.height() / scale), layout, stop, layingOut)) {
    painter.end();
    return false;
  }
  const std::size_t first = fromPage > 0 ? static_cast<std::size_t>(fromPage - 1) : 0;
  const std::size_t end =
      toPage > 0 ? std::min<std::size_t>(toPage, layout.pages.size()) : layout.pages.size();
  for (std::size_t index = first; index < end; ++index) {
    if (stopped(stop) || (index > first && !device.newPage())) {
      painter.end();
      return false;
    }
    painter.resetTransform();
    painter.scale(scale, scale);
    paintPage(painter, layout, index);
    if (progress) progress(30 + static_cast<int>(70 * (index + 1 - first) / (end - first)));
  }
  return painter.end();
}

void SheetPrinter::paintPage(QPainter& painter, const Layout& layout, std::size_t index) const {
  const Layout::Page& page = layout.pages[index];
  paintHeading(painter, layout.page.width(), index + 1, layout.pages.size());
  double top = headingHeight();
  if (index == 0) {
    // A setup on sightings, with its residuals, under the first heading.
    const SetupBlock setup(m_sheet, m_font, m_bold);
    setup.paint(painter, QRectF(0, top, layout.page.width(), setup.height()));
    top += setup.height();
    const QRectF area(0, top, layout.page.width(), sketchHeight(layout.page));
    paintSketch(painter, area);
    top = area.bottom() + kGap;
  }
  top = paintHeaderRow(painter, top, layout.widths);
  for (std::size_t row = page.firstRow; row < page.endRow; ++row)
    top = paintRow(painter, row, top, layout.widths);
}

// Row ranges page by page: as many rows as fit under the heading (and on the
// first page the sketch) and the header row; at least one row a page, so a
// row taller than a page cannot stop the printing.
bool SheetPrinter::paginate(Layout& layout, const std::atomic<bool>* stop,
                            const Progress& progress) const {
  const double header = QFontMetricsF(m_bold).height() + 2 * kPad;
  std::size_t row = 0;
  const std::size_t count = m_sheet.rows.size();
  do {
    double room = layout.page.height() - headingHeight() - header;
    if (layout.pages.empty())
      room -= sketchHeight(layout.page) + kGap + SetupBlock(m_sheet, m_font, m_bold).height();
    const std::size_t first = row;
    while (row < count) {
      const double needed = rowHeight(row, layout.widths);
      if (needed > room && row > first) break;
      room -= needed;
      ++row;
      if (row % kStep != 0) continue;
      if (stopped(stop)) return false;
      if (progress) progress(static_cast<int>(100 * row / count));
    }
    layout.pages.push_back({first, row});
  } while (row < count);
  return true;
}

double SheetPrinter::headingHeight() const {
  const int lines = 2 + (m_sheet.settings.heights ? 1 : 0);
  const int fieldLines = (PageHeading::kCount + kFieldsAcross - 1) / kFieldsAcross;
  const double line = QFontMetricsF(m_font).height();
  return QFontMetricsF(m_title).height() + fieldLines * (line + kGap / 2) + lines * line + 2 * kGap;
}

double SheetPrinter::sketchHeight(QSizeF page) const {
  return std::min(page.height() * 0.45, page.width() * 0.75);
}

double SheetPrinter::rowHeight(std::size_t row, const std::vector<double>& widths) const {
  const QFontMetricsF metrics(m_font);
  if (!m_sheet.rows.failed(row)) return metrics.height() + 2 * kPad;
  const double span = std::accumulate(widths.begin() + kFirstNumber, widths.end(), 0.0) - 2 * kPad;
  const QString message = RowErrorText(m_sheet.rows, row);
  return metrics.boundingRect(QRectF(0, 0, span, 1e6), Qt::TextWordWrap, message).height() +
         2 * kPad;
}

// Each column as wide as its widest text, names and codes at most a share of
// the page each; what is left over is shared out evenly.
bool SheetPrinter::columnWidths(double pageWidth, std::vector<double>& widths,
                                const std::atomic<bool>* stop, const Progress& progress) const {
  const QFontMetricsF metrics(m_font);
  const QFontMetricsF bold(m_bold);
  const int columns = columnCount();
  widths.assign(columns, 0.0);
  for (int column = 0; column < columns; ++column)
    widths[column] = bold.horizontalAdvance(title(column));
  const SheetRows& rows = m_sheet.rows;
  for (std::size_t row = 0; row < rows.size(); ++row) {
    for (int column = 0; column < (rows.failed(row) ? kFirstNumber : columns); ++column)
      widths[column] = std::max(widths[column], metrics.horizontalAdvance(cellText(row, column)));
    if ((row + 1) % kStep != 0) continue;
    if (stopped(stop)) return false;
    if (progress) progress(static_cast<int>(100 * (row + 1) / rows.size()));
  }
  for (int column : {1, 2}) widths[column] = std::min(widths[column], pageWidth * kNameShare);
  for (double& width : widths) width += 2 * kPad;
  const double spare = pageWidth - std::accumulate(widths.begin(), widths.end(), 0.0);
  for (double& width : widths) width += std::max(0.0, spare) / columns;
  return true;
}

void SheetPrinter::paintHeading(QPainter& painter, double pageWidth, std::size_t page,
                                std::size_t pages) const {
  const QFontMetricsF heading(m_title);
  const QFontMetricsF metrics(m_font);
  painter.setPen(Qt::black);
  painter.setFont(m_title);
  const PrintedHeading printed{QStringLiteral("放样表"), m_sheet.source, m_date, page, pages};
  painter.drawText(QRectF(0, 0, pageWidth, heading.height()), Qt::AlignLeft | Qt::AlignVCenter,
                   TitleText(printed));
  painter.setFont(m_font);
  double top = paintHeadingFields(painter, heading.height() + kGap / 2, pageWidth);
  painter.setPen(Qt::black);
  painter.drawText(QRectF(0, top, pageWidth, metrics.height()), Qt::AlignLeft,
                   SetupLineText(m_sheet));
  top += metrics.height();
  painter.drawText(QRectF(0, top, pageWidth, metrics.height()), Qt::AlignLeft,
                   CheckLineText(m_sheet));
  painter.drawText(QRectF(0, top, pageWidth, metrics.height()), Qt::AlignRight,
                   PageLineText(printed));
  top += metrics.height();
  if (m_sheet.settings.heights) {
    painter.drawText(QRectF(0, top, pageWidth, metrics.height()), Qt::AlignLeft,
                     HeightsLineText(m_sheet));
    top += metrics.height();
  }
  top += kGap / 2;
  painter.setPen(QPen(kRule, 1.0));
  painter.drawLine(QPointF(0, top), QPointF(pageWidth, top));
}

// The page heading's fields, kFieldsAcross a line, each its title and what
// the user gave over a line to sign on; returns where they end.
double SheetPrinter::paintHeadingFields(QPainter& painter, double top, double pageWidth) const {
  const QFontMetricsF metrics(m_font);
  const double cell = pageWidth / kFieldsAcross;
  const auto& titles = PageHeadingTitles();
  for (std::size_t i = 0; i < PageHeading::kCount; ++i) {
    const double left = cell * static_cast<double>(i % kFieldsAcross);
    const double y = top + (metrics.height() + kGap / 2) * static_cast<double>(i / kFieldsAcross);
    const double titleWidth = metrics.horizontalAdvance(titles[i] + QStringLiteral("："));
    const double blank = std::max(kBlankMinimum, cell - titleWidth - kGap);
    painter.setPen(Qt::black);
    painter.drawText(QRectF(left, y, titleWidth, metrics.height()), Qt::AlignLeft,
                     titles[i] + QStringLiteral("："));
    const QRectF value(left + titleWidth, y, blank, metrics.height());
    painter.drawText(value, Qt::AlignLeft,
                     metrics.elidedText(m_heading.fields[i], Qt::ElideRight, blank));
    painter.setPen(QPen(kRule, 0.75));
    painter.drawLine(value.bottomLeft(), value.bottomRight());
  }
  const int lines = (PageHeading::kCount + kFieldsAcross - 1) / kFieldsAcross;
  return top + lines * (metrics.height() + kGap / 2);
}

void SheetPrinter::paintSketch(QPainter& painter, const QRectF& area) const {
  painter.setFont(m_font);
  const SketchFrame frame = FitSketch(m_sheet, area.size(), 24.0,
                                      SketchPainter::BandHeight(QFontMetricsF(m_font)));
  SketchPainter(m_sheet, frame, area, {}, m_font).paint(painter, SketchPainter::kNoRow);
  painter.setPen(QPen(kRule, 1.0));
  painter.setBrush(Qt::NoBrush);
  painter.drawRect(area);
}

double SheetPrinter::paintHeaderRow(QPainter& painter, double top,
                                    const std::vector<double>& widths) const {
  const double height = QFontMetricsF(m_bold).height() + 2 * kPad;
  painter.setFont(m_bold);
  painter.setPen(Qt::black);
  double left = 0;
  for (int column = 0; column < columnCount(); ++column) {
    const Qt::Alignment align = column >= kFirstNumber ? Qt::AlignRight : Qt::AlignLeft;
    painter.drawText(QRectF(left + kPad, top, widths[column] - 2 * kPad, height),
                     align | Qt::AlignVCenter, title(column));
    left += widths[column];
  }
  painter.setPen(QPen(kRule, 1.0));
  painter.drawLine(QPointF(0, top + height), QPointF(left, top + height));
  return top + height;
}

double SheetPrinter::paintRow(QPainter& painter, std::size_t row, double top,
                              const std::vector<double>& widths) const {
  const double total = std::accumulate(widths.begin(), widths.end(), 0.0);
  const double height = rowHeight(row, widths);
  if (row % 2) painter.fillRect(QRectF(0, top, total, height), kStripe);
  const SheetRows& rows = m_sheet.rows;
  const bool failed = rows.failed(row);
  painter.setFont(m_font);
  painter.setPen(failed ? ErrorColour() : QColor(Qt::black));
  double left = 0;
  for (int column = 0; column < columnCount(); ++column) {
    if (failed && column == kFirstNumber) {
      const QRectF span(left + kPad, top + kPad, total - left - 2 * kPad, height - 2 * kPad);
      painter.drawText(span, Qt::AlignLeft | Qt::TextWordWrap,
                       RowErrorText(rows, row));
      break;
    }
    const QRectF cell(left + kPad, top, widths[column] - 2 * kPad, height);
    const QString text =
        QFontMetricsF(m_font).elidedText(cellText(row, column), Qt::ElideRight, cell.width());
    const Qt::Alignment align = column >= kFirstNumber ? Qt::AlignRight : Qt::AlignLeft;
    painter.drawText(cell, align | Qt::AlignVCenter, text);
    left += widths[column];
  }
  return top + height;
}
