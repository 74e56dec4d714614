#pragma once

// The printed road, on paper and in a PDF alike (A4 across, road_look.h):
// every page starts with a heading (线路, the file, the road's extent, the
// date, the page; its words are every window's, printed_heading.h); the
// first page shows the plan; the curve table (a JD table's), the main
// points and the stakes follow, each under its title,
// its header row again on each page it runs onto. The texts are the
// window's, and so corvane-calc's. Lengths are in pixels of a 96-dpi page.
//
// A list of a million stakes is some 20,000 pages: laying them out and
// painting them look at a stop flag and report progress, and run off the
// interface thread (ui/common/job_runner.h).

#include <QFont>
#include <QSizeF>
#include <QString>
#include <atomic>
#include <functional>
#include <vector>

#include "ui/road/road_look.h"

class QPagedPaintDevice;
class QPainter;

class RoadPrinter {
 public:
  using Progress = std::function<void(int percent)>;

  struct Layout {
    struct Piece {
      int table;  // 0 the curve table, 1 the main points, 2 the stakes
      std::size_t first, end;
      double top;  // of its title or header row
    };
    struct Page {
      std::vector<Piece> pieces;
    };
    QSizeF page;                              // inside the margins, 96-dpi pixels
    QFont font;                               // of the tables, as small as lets the widest one fit
    std::vector<std::vector<double>> widths;  // a table's columns, the page's width in all
    std::vector<Page> pages;
  };

  // `road` and `stakes` (or none) outlive the printer; `date` is printed as given.
  RoadPrinter(const RoadShown& road, const std::vector<reading::Stake>* stakes, QString date);

  bool layOut(QSizeF page, Layout& layout, const std::atomic<bool>* stop = nullptr,
              const Progress& progress = {}) const;
  void paintPage(QPainter& painter, const Layout& layout, std::size_t index) const;

  // Every page onto `device`, whose page layout it takes as set; false where
  // it cannot be painted on or `stop` turned true.
  bool print(QPagedPaintDevice& device, const std::atomic<bool>* stop = nullptr,
             const Progress& progress = {}) const;

 private:
  int rowCount(int table) const;
  QString cell(int table, std::size_t row, int column) const;
  QStringList titles(int table) const;
  QString title(int table) const;
  double headingHeight() const;
  double planHeight(QSizeF page) const;
  bool fitColumns(double pageWidth, Layout& layout, const std::atomic<bool>* stop) const;
  void paintHeading(QPainter& painter, double width, std::size_t page, std::size_t pages) const;
  double paintRow(QPainter& painter, const Layout& layout, int table, const QStringList& texts,
                  double top, bool header) const;

  const RoadShown& m_road;
  const std::vector<reading::Stake>* m_stakes;
  QString m_date;
  TextTable m_curves;
  TextTable m_mainPoints;
  QFont m_font;
  QFont m_bold;
};

// Writes the road as a PDF at `path`, replaced only once wholly written
// (or left as it was where `stop` turns true); "" or why not.
QString WriteRoadPdf(const RoadShown& road, const std::vector<reading::Stake>* stakes,
                     const QString& path, const QString& date,
                     const std::atomic<bool>* stop = nullptr,
                     const RoadPrinter::Progress& progress = {});
