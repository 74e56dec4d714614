#pragma once

// corvane --traverse | --level [OPTIONS] [FILE] [--pdf OUT.pdf]: the
// 导线/水准 window on its 导线 or 水准 tab, its fields filled from the
// options of corvane-calc traverse and level (--control, --start,
// --backsight or --start-azimuth, --end, --foresight or --end-azimuth,
// --closed, --out-and-back, --right-angles, --by-stations, --grade or the
// typed limits, --rigorous) and its observations from the rows of FILE; or
// with --pdf its office form, written without any window. A command line's
// messages are English and name the options, as the tool's do.

#include <QStringList>

enum class ControlCall { kNone, kWindow, kPdf };

// What the command line asks for: the window or its PDF where it says
// --traverse or --level. Looked at before the application object exists.
ControlCall ControlCallOf(int argc, char** argv);

// Runs the call once the application object stands, with the arguments Qt
// left; returns the exit status: 0; 1 where a closure exceeds its limit
// (the PDF is written all the same); 2 for bad usage, a file that cannot
// be read or written, or rows that make no line. The window's status is 0.
int RunControl(const QStringList& arguments, ControlCall call);
