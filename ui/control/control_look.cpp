#include "ui/control/control_look.h"

#include <QHeaderView>
#include <QTableView>

#include "ui/common/window_look.h"

QTableView* ComputationView(QAbstractItemModel* model, const QString& name, QWidget* parent) {
  auto* table = new QTableView(parent);
  table->setObjectName(name);
  table->setFont(WithNarrowPrimes(table->font()));
  table->setModel(model);
  table->setSelectionBehavior(QAbstractItemView::SelectRows);
  table->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table->setWordWrap(false);
  table->setTabKeyNavigation(false);
  table->verticalHeader()->setVisible(false);
  table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  table->verticalHeader()->setDefaultSectionSize(table->fontMetrics().height() + 6);
  return table;
}

QString ClosuresHtml(const std::vector<ClosureText>& closures) {
  QStringList lines;
  for (const ClosureText& closure : closures) {
    const QString text = closure.text.toHtmlEscaped();
    lines.push_back(closure.over ? QStringLiteral("<b style=\"color:%1\">%2　超限</b>")
                                       .arg(ErrorColour().name(), text)
                                 : text);
  }
  return lines.join(QStringLiteral("<br>"));
}

QString ProblemHtml(const QString& problem) {
  return QStringLiteral("<span style=\"color:%1\">%2</span>")
      .arg(ErrorColour().name(), problem.toHtmlEscaped());
}
