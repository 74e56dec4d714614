#pragma once

// The printed setting-out sheet, on paper, in a PDF and in the print preview
// alike. Every page starts with the heading block (file, the page heading's
// fields, station, backsight, check line, the sight's heights, date, page
// number); the first page shows the sketch under it; the table follows in
// file order with the columns shown (sheet_look.h), its header row repeated
// at the top of each page, failed rows in red with their message. Lengths
// are in pixels of a 96-dpi page, so the sketch is drawn as on a screen at
// 100 %.
//
// A sheet of a million points is some 26,000 pages: laying them out measures
// every text, and painting them takes a minute, so both look at a stop flag
// and report progress, and run off the interface thread.

#include <QFont>
#include <QSizeF>
#include <QString>
#include <atomic>
#include <cstddef>
#include <functional>
#include <vector>

#include "ui/sheet/sheet_look.h"

class QPagedPaintDevice;
class QPainter;
class QRectF;
struct SetoutSheet;

class SheetPrinter {
 public:
  using Progress = std::function<void(int percent)>;

  // Where each page's rows are, for pages of one size.
  struct Layout {
    struct Page {
      std::size_t firstRow;
      std::size_t endRow;  // one past the last
    };
    QSizeF page;                 // inside the margins, in 96-dpi pixels
    std::vector<double> widths;  // of the columns
    std::vector<Page> pages;
  };

  // `date` is printed in the heading as it is given; `choices` say which
  // columns show and what the page heading's fields hold.
  SheetPrinter(const SetoutSheet& sheet, QString date, SheetChoices choices = {});

  // The page the sheet is printed on: across where it has more columns
  // than fit upright.
  QPageLayout pageLayout() const { return SheetPageLayout(m_columns.size()); }

  // Lays the sheet out on pages of `page` (96-dpi pixels inside the
  // margins); false where `stop` turned true. `progress` gets 0 to 100.
  bool layOut(QSizeF page, Layout& layout, const std::atomic<bool>* stop = nullptr,
              const Progress& progress = {}) const;

  // Paints page `index` (from 0) of `layout` with a painter whose units are
  // 96-dpi pixels, its origin at the page's top left inside the margins.
  void paintPage(QPainter& painter, const Layout& layout, std::size_t index) const;

  // Paints every page onto `device` (a QPrinter or a QPdfWriter), whose page
  // size and margins it takes as they are set; only pages `fromPage` to
  // `toPage` (from 1, as a print dialog gives them; 0 for all). False when
  // the device cannot be painted on (e.g. a file that cannot be written) or
  // `stop` turned true.
  bool print(QPagedPaintDevice& device, const std::atomic<bool>* stop = nullptr,
             const Progress& progress = {}, int fromPage = 0, int toPage = 0) const;

 private:
  int columnCount() const;
  QString title(int column) const;
  QString cellText(std::size_t row, int column) const;
  double headingHeight() const;
  double sketchHeight(QSizeF page) const;
  double rowHeight(std::size_t row, const std::vector<double>& widths) const;
  bool columnWidths(double pageWidth, std::vector<double>& widths, const std::atomic<bool>* stop,
                    const Progress& progress) const;
  bool paginate(Layout& layout, const std::atomic<bool>* stop, const Progress& progress) const;
  void paintHeading(QPainter& painter, double pageWidth, std::size_t page, std::size_t pages) const;
  double paintHeadingFields(QPainter& painter, double top, double pageWidth) const;
  void paintSketch(QPainter& painter, const QRectF& area) const;
  double paintHeaderRow(QPainter& painter, double top, const std::vector<double>& widths) const;
  double paintRow(QPainter& painter, std::size_t row, double top,
                  const std::vector<double>& widths) const;

  const SetoutSheet& m_sheet;
  QString m_date;
  std::vector<SheetColumn> m_columns;
  PageHeading m_heading;
  QFont m_font;
  QFont m_bold;
  QFont m_title;
};
