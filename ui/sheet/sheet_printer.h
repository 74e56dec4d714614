#pragma once

// The printed setting-out sheet, on paper and in a PDF alike. Every page
// starts with the heading block (file, station, backsight, check line, date,
// page number); the first page shows the sketch under it; the table follows
// in file order, its header row repeated at the top of each page, failed rows
// in red with their message. Lengths are in pixels of a 96-dpi page, so the
// sketch is drawn as on a screen at 100 %.

#include <QFont>
#include <QString>
#include <cstddef>
#include <vector>

class QPagedPaintDevice;
class QPainter;
class QRectF;
struct SetoutSheet;

class SheetPrinter {
 public:
  // `date` is printed in the heading as it is given.
  SheetPrinter(const SetoutSheet& sheet, QString date);

  // Paints every page onto `device` (a QPrinter or a QPdfWriter), whose page
  // size and margins it takes as they are set. False when the device cannot
  // be painted on, e.g. a file that cannot be written.
  bool print(QPagedPaintDevice& device) const;

 private:
  struct Page {
    std::size_t firstRow;
    std::size_t endRow;  // one past the last
  };

  using Widths = std::vector<double>;

  std::vector<Page> paginate(const Widths& widths, double pageWidth, double pageHeight) const;
  double headingHeight() const;
  double sketchHeight(double pageWidth, double pageHeight) const;
  double rowHeight(std::size_t row, const Widths& widths) const;
  Widths columnWidths(double pageWidth) const;
  void paintHeading(QPainter& painter, double pageWidth, int page, int pages) const;
  void paintSketch(QPainter& painter, const QRectF& area) const;
  double paintHeaderRow(QPainter& painter, double top, const Widths& widths) const;
  double paintRow(QPainter& painter, std::size_t row, double top, const Widths& widths) const;

  const SetoutSheet& m_sheet;
  QString m_date;
  QFont m_font;
  QFont m_bold;
  QFont m_title;
};
