#include "ui/road/road_printer.h"

#include <QFileInfo>
#include <QFontMetricsF>
#include <QPainter>
#include <QPdfWriter>
#include <algorithm>

#include "ui/common/pdf_file.h"
#include "ui/common/printed_heading.h"
#include "ui/common/window_look.h"
#include "ui/road/road_painter.h"

namespace {

constexpr int kTables = 3;
constexpr double kCellPad = 8.0;         // beside a cell's text, in all
constexpr double kGap = 10.0;            // between the parts of a page
constexpr double kPlanShare = 0.5;       // of the first page's height below the heading
constexpr std::size_t kMeasured = 2000;  // rows measured at each end of a long table

}  // namespace

RoadPrinter::RoadPrinter(const RoadShown& road, const std::vector<reading::Stake>* stakes,
                         QString date)
    : m_road(road),
      m_stakes(stakes),
      m_date(std::move(date)),
      m_curves(CurveTable(road)),
      m_mainPoints(MainPointTable(road)) {
  m_font = WithNarrowPrimes(QFont(QStringLiteral("宋体")));  // 左 78°20′44″ without gaps
  m_font.setPixelSize(12);
  m_bold = m_font;
  m_bold.setBold(true);
}

int RoadPrinter::rowCount(int table) const {
  switch (table) {
    case 0:
      return static_cast<int>(m_curves.rows.size());
    case 1:
      return static_cast<int>(m_mainPoints.rows.size());
    default:
      return m_stakes ? static_cast<int>(m_stakes->size()) : 0;
  }
}

QString RoadPrinter::cell(int table, std::size_t row, int column) const {
  if (table == 0) return m_curves.rows[row].value(column);
  if (table == 1) return m_mainPoints.rows[row].value(column);
  return StakeText((*m_stakes)[row], static_cast<reading::StakeField>(column), m_road.decimals);
}

QStringList RoadPrinter::titles(int table) const {
  if (table == 0) return m_curves.titles;
  if (table == 1) return m_mainPoints.titles;
  return StakeTitles();
}

QString RoadPrinter::title(int table) const {
  static const QString kTitles[kTables] = {QStringLiteral("曲线要素表"), QStringLiteral("主点表"),
                                           QStringLiteral("桩位表")};
  return kTitles[table];
}

double RoadPrinter::headingHeight() const {
  return QFontMetricsF(m_bold).height() * 1.6 + QFontMetricsF(m_font).height() + kGap;
}

double RoadPrinter::planHeight(QSizeF page) const {
  return (page.height() - headingHeight()) * kPlanShare;
}

// The font of the tables and their columns' widths: the widest table fits
// `pageWidth` with the largest font that lets it, and each table takes the
// whole width. False where `stop` turned true.
bool RoadPrinter::fitColumns(double pageWidth, Layout& layout,
                             const std::atomic<bool>* stop) const {
  layout.font = m_font;
  for (int pixels = 12; pixels >= 7; --pixels) {
    layout.font.setPixelSize(pixels);
    const QFontMetricsF metrics(layout.font);
    layout.widths.assign(kTables, {});
    bool fits = true;
    for (int table = 0; table < kTables; ++table) {
      const QStringList heads = titles(table);
      std::vector<double>& widths = layout.widths[table];
      for (const QString& head : heads)
        widths.push_back(metrics.horizontalAdvance(head) + kCellPad);
      const std::size_t rows = static_cast<std::size_t>(rowCount(table));
      for (std::size_t row = 0; row < rows; ++row) {
        if (row == kMeasured && rows > 2 * kMeasured) row = rows - kMeasured;
        if (stop && *stop) return false;
        for (int column = 0; column < heads.size(); ++column)
          widths[column] = std::max(widths[column],
                                    metrics.horizontalAdvance(cell(table, row, column)) + kCellPad);
      }
      double total = 0;
      for (const double width : widths) total += width;
      fits = fits && total <= pageWidth;
    }
    if (fits) break;
  }
  // Each table across the whole width: what the page has beside its
  // columns goes to them in their measure.
  for (std::vector<double>& widths : layout.widths) {
    double total = 0;
    for (const double width : widths) total += width;
    if (total <= 0 || total >= pageWidth) continue;
    for (double& width : widths) width *= pageWidth / total;
  }
  return true;
}

bool RoadPrinter::layOut(QSizeF page, Layout& layout, const std::atomic<bool>* stop,
                         const Progress& progress) const {
  layout = Layout();
  layout.page = page;
  if (!fitColumns(page.width(), layout, stop)) return false;
  const double rowHeight = QFontMetricsF(layout.font).height() + 4;
  const double titleHeight = QFontMetricsF(m_bold).height() + 4;
  Layout::Page current;
  double top = headingHeight() + planHeight(page) + kGap;
  const auto newPage = [&] {
    layout.pages.push_back(std::move(current));
    current = Layout::Page();
    top = headingHeight();
  };
  const double all = std::max(1, rowCount(0) + rowCount(1) + rowCount(2));
  double done = 0;
  for (int table = 0; table < kTables; ++table) {
    const std::size_t rows = static_cast<std::size_t>(rowCount(table));
    if (rows == 0) continue;
    std::size_t row = 0;
    while (row < rows) {
      if (top + titleHeight + 2 * rowHeight > page.height()) newPage();
      Layout::Piece piece{table, row, row, top};
      top += titleHeight + rowHeight;
      while (row < rows && top + rowHeight <= page.height()) {
        top += rowHeight;
        ++row;
      }
      piece.end = row;
      current.pieces.push_back(piece);
      done += static_cast<double>(piece.end - piece.first);
      if (stop && *stop) return false;
      if (progress) progress(static_cast<int>(100 * done / all));
      top += kGap;
    }
  }
  layout.pages.push_back(std::move(current));
  return true;
}

void RoadPrinter::paintHeading(QPainter& painter, double width, std::size_t page,
                               std::size_t pages) const {
  const QFontMetricsF bold(m_bold);
  const QFontMetricsF plain(m_font);
  painter.setPen(Qt::black);
  painter.setFont(m_bold);
  const QString file = QFileInfo(QString::fromStdString(m_road.design->request.path)).fileName();
  const PrintedHeading printed{QStringLiteral("线路"), file, m_date, page + 1, pages};
  painter.drawText(QRectF(0, 0, width, bold.height()), Qt::AlignLeft | Qt::AlignVCenter,
                   TitleText(printed));
  painter.setFont(m_font);
  painter.drawText(QRectF(0, 0, width, bold.height()), Qt::AlignRight | Qt::AlignVCenter,
                   PageLineText(printed));
  painter.drawText(QRectF(0, bold.height() * 1.6, width, plain.height()),
                   Qt::AlignLeft | Qt::AlignVCenter, RoadSummary(m_road));
  const double line = headingHeight() - kGap / 2;
  painter.setPen(QPen(Qt::black, 0.8));
  painter.drawLine(QPointF(0, line), QPointF(width, line));
}

// A row of `texts` at `top`: names at the left, numbers at the right;
// returns the row's bottom.
double RoadPrinter::paintRow(QPainter& painter, const Layout& layout, int table,
                             const QStringList& texts, double top, bool header) const {
  const double height = QFontMetricsF(layout.font).height() + 4;
  QFont font = layout.font;
  font.setBold(header);
  painter.setFont(font);
  painter.setPen(Qt::black);
  double left = 0;
  const std::vector<double>& widths = layout.widths[table];
  for (int column = 0; column < texts.size(); ++column) {
    const QRectF rect(left + kCellPad / 2, top, widths[column] - kCellPad, height);
    // Names at the left, numbers and chainages (and their titles) at the right.
    const Qt::Alignment align =
        column == 0 ? Qt::AlignLeft | Qt::AlignVCenter : Qt::AlignRight | Qt::AlignVCenter;
    painter.drawText(rect, align | Qt::TextSingleLine, texts[column]);
    left += widths[column];
  }
  painter.setPen(QPen(QColor(180, 180, 180), 0.5));
  painter.drawLine(QPointF(0, top + height), QPointF(left, top + height));
  return top + height;
}

void RoadPrinter::paintPage(QPainter& painter, const Layout& layout, std::size_t index) const {
  const QSizeF page = layout.page;
  paintHeading(painter, page.width(), index, layout.pages.size());
  if (index == 0) {
    const QRectF area(0, headingHeight(), page.width(), planHeight(page));
    const PlanFrame frame = PlanFrame::fit(RoadPainter::bounds(m_road), area.size(), 24.0);
    painter.save();
    QFont font = m_font;
    font.setPixelSize(11);
    painter.setFont(font);
    RoadPainter(m_road, m_stakes, frame, area).paint(painter, RoadMarks());
    painter.restore();
    painter.setPen(QPen(Qt::black, 0.8));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(area);
  }
  const double titleHeight = QFontMetricsF(m_bold).height() + 4;
  for (const Layout::Piece& piece : layout.pages[index].pieces) {
    painter.setFont(m_bold);
    painter.setPen(Qt::black);
    const QString name =
        piece.first == 0 ? title(piece.table) : QStringLiteral("%1（续）").arg(title(piece.table));
    painter.drawText(QRectF(0, piece.top, page.width(), titleHeight),
                     Qt::AlignLeft | Qt::AlignVCenter, name);
    double top =
        paintRow(painter, layout, piece.table, titles(piece.table), piece.top + titleHeight, true);
    const int columns = static_cast<int>(layout.widths[piece.table].size());
    for (std::size_t row = piece.first; row < piece.end; ++row) {
      QStringList texts;
      for (int column = 0; column < columns; ++column) texts << cell(piece.table, row, column);
      top = paintRow(painter, layout, piece.table, texts, top, false);
    }
  }
}

bool RoadPrinter::print(QPagedPaintDevice& device, const std::atomic<bool>* stop,
                        const Progress& progress) const {
  QPainter painter;
  if (!painter.begin(&device)) return false;
  // 96-dpi pixels, the origin inside the margins.
  const double scale = device.logicalDpiX() / 96.0;
  Layout layout;
  const Progress half = [&](int percent) {
    if (progress) progress(percent / 2);
  };
  if (!layOut(QSizeF(device.width() / scale, device.height() / scale), layout, stop, half))
    return false;
  for (std::size_t index = 0; index < layout.pages.size(); ++index) {
    if (stop && *stop) return false;
    if (index > 0 && !device.newPage()) return false;
    painter.save();
    painter.scale(scale, scale);
    paintPage(painter, layout, index);
    painter.restore();
    if (progress) progress(50 + static_cast<int>(50 * (index + 1) / layout.pages.size()));
  }
  return painter.end();
}

QString WriteRoadPdf(const RoadShown& road, const std::vector<reading::Stake>* stakes,
                     const QString& path, const QString& date, const std::atomic<bool>* stop,
                     const RoadPrinter::Progress& progress) {
  return WritePdfFile(path, QStringLiteral("线路"), RoadPageLayout(), stop,
                      [&](QPdfWriter& writer) {
                        return RoadPrinter(road, stakes, date).print(writer, stop, progress);
                      });
}
