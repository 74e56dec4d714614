#pragma once

// The print preview of a laid-out sheet: one page at a time, drawn when it
// shows, so that a sheet of 26,000 pages opens at once and takes the memory
// of one page. The buttons, PageUp and PageDown, Home and End and the page
// number page through it; 打印... ends the preview with accept(), and the
// window asks for the printer and prints.

#include <QDialog>
#include <QImage>
#include <QString>
#include <memory>

#include "ui/sheet/sheet_printer.h"

class QHBoxLayout;
class QLabel;
class QSpinBox;
struct SetoutSheet;

// One page, as large as the widget lets it, on a grey desk.
class CPageView : public QWidget {
 public:
  CPageView(std::shared_ptr<const SetoutSheet> sheet,
            std::shared_ptr<const SheetPrinter::Layout> layout, const QString& date,
            const SheetChoices& choices, QWidget* parent = nullptr);

  void setPage(int index);  // from 0
  int page() const { return m_page; }

  QSize sizeHint() const override { return {560, 760}; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QRect paperRect() const;
  QSizeF paperSize() const;
  const QImage& pageImage(const QSize& size);

  std::shared_ptr<const SetoutSheet> m_sheet;
  std::shared_ptr<const SheetPrinter::Layout> m_layout;
  SheetPrinter m_printer;
  int m_page = 0;
  QImage m_image;  // the page drawn last
  int m_imagePage = -1;
};

class CPrintPreview : public QDialog {
  Q_OBJECT

 public:
  CPrintPreview(std::shared_ptr<const SetoutSheet> sheet,
                std::shared_ptr<const SheetPrinter::Layout> layout, const QString& date,
                const SheetChoices& choices = {}, QWidget* parent = nullptr);

  // What exec() gives when the user turns the choice of offerToLeaveOut:
  // the pages are to be laid out again.
  static constexpr int kLayOutAgain = 2;

  int page() const;  // from 0
  void showPage(int index);

  // A check box, `text`, that leaves the points ticked off out of the
  // pages (`leftOut`: they are left out of these).
  void offerToLeaveOut(const QString& text, bool leftOut);

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  int pageCount() const;

  CPageView* m_view;
  QSpinBox* m_number;
  QHBoxLayout* m_bar;
};
