#pragma once

// corvane --traverse [FILE] | --level [FILE]: the 导线/水准 window on its
// 导线 or its 水准 tab, with the observation rows of FILE where one is
// given (as 打开观测 reads them). A command line's messages are English,
// as the tool's are.

#include <QStringList>

enum class ControlCall { kNone, kTraverse, kLevel };

// What the command line asks for: the window where it says --traverse or
// --level (and not --setout, --alignment or --elements). Looked at before
// the application object exists.
ControlCall ControlCallOf(int argc, char** argv);

// Runs the call once the application object stands, with the arguments Qt
// left; returns the exit status: 0, or 2 for bad usage or a file that
// cannot be read.
int RunControl(const QStringList& arguments, ControlCall call);
