#pragma once

// Where a window writes a file the user names: Qt's own (Chinese) save box,
// which asks before it replaces a file, proposing `proposed` and adding
// `suffix` ("pdf", "csv") where the name typed has none.

#include <QString>

class QCheckBox;
class QWidget;

// The path chosen, or "" when the user cancels. `choice`, where given, is
// a check box the box shows under its own fields (the box takes it; the
// caller reads it before the call returns, in `chosen`).
QString AskSavePath(QWidget& parent, const QString& title, const QString& proposed,
                    const QString& suffix, const QString& choice = {}, bool* chosen = nullptr);
