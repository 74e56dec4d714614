#pragma once

// What every plan the program draws has beside its content: a north arrow
// at the top right, a scale bar at the bottom left, and how many names it
// leaves out (its names are placed by LabelPlacer, label_placer.h). Sizes are in the painter's logical pixels, so
// a printer that scales its painter gets the same picture.

#include <QPointF>
#include <QRectF>
#include <cstddef>

class QPainter;

// The largest 1, 2 or 5 times a power of ten metres not above `metres`:
// the length of a scale bar.
double RoundScaleLength(double metres);

// The height of a north arrow, in pixels (12 wide).
inline constexpr double kNorthArrowHeight = 18.0;

// A black arrow pointing north (up), its tip at `tip`.
void PaintArrowUp(QPainter& painter, QPointF tip);

// A scale bar of `length` pixels from `left` to the right, with a tick up
// at each end.
void PaintBar(QPainter& painter, QPointF left, double length);

// A north arrow, "北" over it, at the top right of `area`.
void PaintNorthArrow(QPainter& painter, const QRectF& area);

// A bar of a round length (1, 2 or 5 times a power of ten metres) near a
// fifth of the area's width, with its length over it, at the bottom left.
void PaintScaleBar(QPainter& painter, const QRectF& area, double pixelsPerMetre);

// "另有 N 个点名未标注", the names a plan leaves out, ending at `right`
// (the right end of its line, vertically its middle) on a white backing;
// nothing where `count` is 0.
void PaintLeftOut(QPainter& painter, QPointF right, std::size_t count);
