#pragma once

// corvane --alignment FILE | --elements FILE [OPTIONS] [--pdf OUT.pdf]: the
// 线路 window on the road, or with --pdf its PDF (the plan, the curve table,
// the main points and, with --every, the stakes), written without any
// window. The options are corvane-calc's: --alignment-columns,
// --start-chainage, --profile, --every, --offsets, --decimals,
// --azimuth-decimals (without them the window's 3 and 4), --angle-format; a
// command line's
// messages are English and name them, as the tool's do.

#include <QStringList>

enum class RoadCall { kNone, kWindow, kPdf };

// What the command line asks for: the road's window or PDF where it names a
// road and not --setout. Looked at before the application object exists.
RoadCall RoadCallOf(int argc, char** argv);

// Runs the call once the application object stands, with the arguments Qt
// left; returns the exit status: 0, 1 where some stake has no design height
// (the PDF is written all the same), 2 bad usage or a file that cannot be
// read or written. The window's status is 0.
int RunRoad(const QStringList& arguments, RoadCall call);
