#pragma once

// corvane --setout [FILE] [OPTIONS] [--pdf OUT.pdf]: the setting-out window
// on FILE, or with --pdf the sheet's PDF, written without any window. The
// options are corvane-calc setout's: --columns, --control, --control-columns,
// --station, --station-point, --backsight, --backsight-point,
// --backsight-azimuth, --station-height, --instrument-height,
// --target-height, --earth-curvature, --angle-format, --decimals,
// --azimuth-decimals; a command line's messages are English and name them,
// as the tool's do.

#include <QString>
#include <QStringList>
#include <string>
#include <vector>

#include "reader/sheet/sheet_request.h"

enum class SetoutCall { kNone, kWindow, kPdf };

// What the command line asks for. Looked at before the application object
// exists, since a PDF needs no display: without a platform of the user's
// choosing it is then written on the offscreen one. Not on Windows, where
// there is always a desktop and the offscreen platform would find no fonts
// of the system's.
SetoutCall SetoutCallOf(int argc, char** argv);
void ChooseHeadlessPlatform();

// Reads `corvane --setout [FILE] [OPTIONS] [--pdf OUT]` (without the
// program's name) into `request` (its design the file, names looked up in
// the design file without --control; the station and the backsight may be
// missing, for the window to ask) and `pdf`; returns what is wrong, or an
// empty string. The arguments are the bytes the shell gave: a file's name
// in GBK (from a Windows zip archive) names that file.
QString ParseSetoutBytes(const std::vector<std::string>& arguments, reading::SheetRequest& request,
                         QString& pdf);

// The same for arguments as Qt spells them (UTF-8).
QString ParseSetoutArguments(const QStringList& arguments, reading::SheetRequest& request,
                             QString& pdf);

// Runs the call once the application object stands, with the arguments Qt
// left (argv as the program was given it, Qt's own options taken out: Qt
// reads arguments as UTF-8, and a name that is none would be lost);
// returns the exit status: 0 every row computed, 1 some row failed (the PDF
// is written all the same), 2 bad usage or a file that cannot be read or
// written. The window's status is 0.
int RunSetout(const std::vector<std::string>& arguments, SetoutCall call);
