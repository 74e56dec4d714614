#pragma once

// What the 导线 and 水准 tabs share in their look: the computation table's
// view, and the closures' line under it, red where a closure is over its
// limit.

#include <QString>
#include <vector>

#include "ui/control/traverse_sheet.h"

class QAbstractItemModel;
class QTableView;
class QWidget;

// A read-only view of `model`, rows selected whole, named `name`.
QTableView* ComputationView(QAbstractItemModel* model, const QString& name, QWidget* parent);

// The closures as the label under the table shows them (rich text): each
// on its line, a closure over its limit in red and bold with "超限".
QString ClosuresHtml(const std::vector<ClosureText>& closures);

// The problem that keeps the fields from making a table, in red.
QString ProblemHtml(const QString& problem);
