#pragma once

// The print preview, from which a document is printed. Qt's printing is a
// library of its own that takes about a millisecond, a twentieth of the
// calculator's start-up, to load; so it lives in a module of the program
// (corvane-print) that is loaded the first time someone prints, and the
// calculator starts as fast as without it. The module is LIBDIR/corvane/
// corvane-print.so beside the program's bin folder, in a build tree as
// where it is installed.

#include <QString>
#include <functional>

class QPagedPaintDevice;
class QWidget;

// Shows the preview of the pages `paint` draws on the printer, modal over
// `parent`, until the user prints or closes it. Returns what keeps it from
// showing (the module cannot be loaded), in Chinese, or an empty string.
QString ShowPrintPreview(QWidget* parent, const QString& title,
                         const std::function<void(QPagedPaintDevice&)>& paint);
