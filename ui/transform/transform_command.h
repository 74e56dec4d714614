#pragma once

// corvane --transform [grid | fourparam | project | rezone] [FILE [FILE]]:
// the 坐标转换 window on the tab of that job (the mode names are
// corvane-calc's; without one, 施工坐标), with FILE's rows as its points;
// for fourparam the first file holds the common points, the second the
// points to convert. A command line's messages are English, as the tool's
// are.

#include <QStringList>

// Whether the command line asks for the 坐标转换 window (--transform before
// any "--"). Looked at before the application object exists.
bool TransformCallOf(int argc, char** argv);

// Opens the window once the application object stands, with the arguments
// Qt left, and runs until the last window closes; returns the exit status:
// 0, or 2 for bad usage.
int RunTransform(const QStringList& arguments);

// The tab of a mode name (0 to 3), -1 where it names none.
int TransformTabOf(const QString& mode);
