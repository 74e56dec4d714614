#pragma once

// The sheet shown, written out: exported as CSV or PDF, or laid out for the
// print preview and printed on the printer the user picks. The work runs off
// the interface thread in the window's job runner (its progress and 取消
// are the window's status bar's); the files are proposed beside the design
// file, and what goes wrong is said in Chinese in a message box over the
// window.

#include <QObject>
#include <QString>
#include <atomic>
#include <functional>
#include <memory>

#include "ui/sheet/sheet_look.h"

class CJobRunner;
class QWidget;
struct SetoutSheet;

// The 放样表's message box: no icon, one OK button, over `window`.
void ShowSheetProblem(QWidget& window, const QString& message);

class CSheetOutput : public QObject {
  Q_OBJECT

 public:
  CSheetOutput(QWidget& window, CJobRunner& runner);

  // `choices`: which columns show, and the page heading.
  void exportCsv(std::shared_ptr<const SetoutSheet> sheet, const SheetChoices& choices);
  void exportPdf(std::shared_ptr<const SetoutSheet> sheet, const SheetChoices& choices);
  void print(std::shared_ptr<const SetoutSheet> sheet, const SheetChoices& choices);

 signals:
  // What is being done, for the status bar: "正在导出 PDF ...".
  void working(const QString& what);

 private:
  using Writer = QString (*)(const SetoutSheet& sheet, const SheetChoices& choices,
                             const QString& path, const QString& date,
                             const std::atomic<bool>& stop,
                             const std::function<void(int)>& progress);
  void exportAs(std::shared_ptr<const SetoutSheet> sheet, const SheetChoices& choices,
                const QString& suffix, Writer write);
  QString savePath(const SetoutSheet& sheet, const QString& suffix);
  void printPages(std::shared_ptr<const SetoutSheet> sheet, const SheetChoices& choices,
                  const QString& date);

  QWidget& m_window;
  CJobRunner& m_runner;
};
