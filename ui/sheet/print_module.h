#pragma once

// The one function of the printing module (corvane-print), resolved by name
// where the program prints (ui/print_preview.h).

#include <QString>

class QPagedPaintDevice;
class QWidget;

// Draws every page onto `device`; `context` is the caller's.
using PagePainter = void (*)(QPagedPaintDevice& device, void* context);

// The print preview of the pages `paint` draws, modal over `parent`.
using PrintPreviewFunction = void (*)(QWidget* parent, const QString& title, PagePainter paint,
                                      void* context);

inline constexpr char kPrintPreviewSymbol[] = "corvane_print_preview";
