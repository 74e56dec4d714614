#pragma once

// The sheet shown, written out: exported as CSV or PDF, or laid out for the
// print preview and printed on the printer the user picks. The work runs off
// the interface thread in the window's job runner (its progress and 取消
// are the window's status bar's); the files are proposed beside the design
// file, and what goes wrong is said in Chinese in a message box over the
// window. Where points are ticked off, the save box and the print preview
// offer to leave them out (略去已放样的点), a choice that is remembered.

#include <QObject>
#include <QString>
#include <atomic>
#include <functional>
#include <memory>
#include <vector>

#include "ui/sheet/sheet_look.h"

class CJobRunner;
class QWidget;
struct SetoutSheet;

// The 放样表's message box: no icon, one OK button, over `window`.
void ShowSheetProblem(QWidget& window, const QString& message);

// `sheet` without the rows `leaveOut` flags (as many flags as rows, or
// fewer: the rows past them stay), the lines between rows and the
// heading's place kept.
SetoutSheet SheetWithout(const SetoutSheet& sheet, const std::vector<bool>& leaveOut);

class CSheetOutput : public QObject {
  Q_OBJECT

 public:
  CSheetOutput(QWidget& window, CJobRunner& runner);

  // `choices`: which columns show, and the page heading; `ticked`: the
  // rows ticked off, one flag a row (or none).
  void exportCsv(std::shared_ptr<const SetoutSheet> sheet, const SheetChoices& choices,
                 const std::vector<bool>& ticked);
  void exportPdf(std::shared_ptr<const SetoutSheet> sheet, const SheetChoices& choices,
                 const std::vector<bool>& ticked);
  void print(std::shared_ptr<const SetoutSheet> sheet, const SheetChoices& choices,
             const std::vector<bool>& ticked);

 signals:
  // What is being done, for the status bar: "正在导出 PDF ...".
  void working(const QString& what);

 private:
  using Writer = QString (*)(const SetoutSheet& sheet, const SheetChoices& choices,
                             const QString& path, const QString& date,
                             const std::atomic<bool>& stop,
                             const std::function<void(int)>& progress);
  using Ticked = std::shared_ptr<const std::vector<bool>>;
  void exportAs(std::shared_ptr<const SetoutSheet> sheet, const SheetChoices& choices,
                const std::vector<bool>& ticked, const QString& suffix, Writer write);
  QString savePath(const SetoutSheet& sheet, const QString& suffix, std::size_t ticked,
                   bool& leaveOut);
  void layOut(std::shared_ptr<const SetoutSheet> sheet, const SheetChoices& choices,
              Ticked ticked, bool leaveOut);
  void printPages(std::shared_ptr<const SetoutSheet> sheet, const SheetChoices& choices,
                  const QString& date);

  QWidget& m_window;
  CJobRunner& m_runner;
};
