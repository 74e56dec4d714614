#pragma once

// A 导线计算表 or 水准测量成果计算表 (control_form.h) on paper and in a
// PDF alike, A4 across: each page headed by the form's title, its facts,
// the date and the page; the columns under their two-line titles, the
// rows ruled as the office's form is; on the last page the sums, the
// closures beside their limits (辅助计算, red where over), the traverse's
// sketch beside them, and the lines to sign: 计算, 检查, 日期. Lengths are
// in pixels of a 96-dpi page.

#include <QFont>
#include <QPageLayout>
#include <QSizeF>
#include <QString>
#include <atomic>
#include <vector>

#include "ui/control/control_form.h"

class QPagedPaintDevice;
class QPainter;

class ControlPrinter {
 public:
  // `form` outlives the printer; `date` is printed as given.
  ControlPrinter(const ControlForm& form, QString date);

  // The rows [first, end) each page shows, on a page of `page`.
  std::vector<std::pair<std::size_t, std::size_t>> pages(QSizeF page) const;
  void paintPage(QPainter& painter, QSizeF page, std::size_t index, std::size_t first,
                 std::size_t end, std::size_t pages) const;
  // Every page onto `device`, whose page layout it takes as set; false
  // where it cannot be painted on.
  bool print(QPagedPaintDevice& device) const;

  static QPageLayout PageLayout();

 private:
  double headingHeight() const;
  double headerHeight() const;
  double rowHeight() const;
  double footHeight() const;
  std::vector<double> widths(double width) const;
  void paintHeading(QPainter& painter, double width, std::size_t index, std::size_t pages) const;
  double paintHeader(QPainter& painter, const std::vector<double>& widths, double top) const;
  double paintRow(QPainter& painter, const std::vector<double>& widths, const FormRow& row,
                  double top, bool bold) const;
  void paintFoot(QPainter& painter, QSizeF page, double top) const;

  const ControlForm& m_form;
  QString m_date;
  QFont m_font;
  QFont m_small;
  QFont m_bold;
  QFont m_title;
};

// Writes `form` as a PDF at `path`, replaced only once wholly written; ""
// or why not.
QString WriteControlPdf(const ControlForm& form, const QString& path, const QString& date,
                        const std::atomic<bool>* stop = nullptr);
