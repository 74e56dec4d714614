#pragma once

// The printed 坐标转换 sheet, on paper and in a PDF alike (A4 upright):
// every page starts with a heading (坐标转换, the job, the date, the
// page); the first page states the parameters (transform_statement.h);
// then the common points with every residual (超限 and 未参与 written out,
// over-limit rows in red) and the converted points, each table under its
// title, its header row again on each page it runs onto. The texts are the
// window's, and so corvane-calc's. Lengths are in pixels of a 96-dpi page.

#include <QFont>
#include <QPageLayout>
#include <QString>
#include <QStringList>
#include <atomic>
#include <vector>

#include "ui/transform/transform_sheet.h"

class QPagedPaintDevice;
class QPainter;

class TransformPrinter {
 public:
  // `sheet` outlives the printer; `date` is printed as given.
  TransformPrinter(const TransformSheet& sheet, QString date);

  // Every page onto `device`, whose page layout it takes as set; false where
  // it cannot be painted on or `stop` turned true.
  bool print(QPagedPaintDevice& device, const std::atomic<bool>* stop = nullptr) const;

 private:
  struct Table {
    QString title;
    const TransformAnswer* answer;
    bool fit;
    std::vector<double> widths;
  };
  struct Piece {
    std::size_t table, first, end;
    double top;
  };

  std::vector<std::vector<Piece>> layOut(QSizeF page, std::vector<Table>& tables) const;
  double headingHeight() const;
  double statementHeight(double width) const;
  void paintHeading(QPainter& painter, double width, std::size_t page, std::size_t pages) const;
  void paintStatement(QPainter& painter, double width) const;
  double paintRow(QPainter& painter, const Table& table, const QStringList& texts, double top,
                  bool header, bool red) const;

  const TransformSheet& m_sheet;
  QString m_date;
  QStringList m_statement;
  QFont m_font;
  QFont m_bold;
};

// A4 upright with margins of 15 mm.
QPageLayout TransformPageLayout();

// Writes the sheet as a PDF at `path`, replaced only once wholly written
// (or left as it was where `stop` turns true); "" or why not.
QString WriteTransformPdf(const TransformSheet& sheet, const QString& path, const QString& date,
                          const std::atomic<bool>* stop = nullptr);
