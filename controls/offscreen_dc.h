#pragma once

// A drawing surface wrapped around the painter a paint routine was handed.
// For a screen target every drawing call lands in an off-screen image that
// covers the target's clip box in device pixels, drawn in the target's own
// logical coordinates onto the device pixels it would cover on the target;
// the destructor copies the image to the target in one transfer, pixel for
// device pixel, so the target never shows a half-painted state. For a
// printing target (a paged device such as QPrinter or QPdfWriter) drawing
// goes straight through.

#include <QImage>
#include <QPainter>
#include <QRect>

class COffscreenDC {
 public:
  // target must be active and must outlive this object.
  explicit COffscreenDC(QPainter* target);
  ~COffscreenDC();

  COffscreenDC(const COffscreenDC&) = delete;
  COffscreenDC& operator=(const COffscreenDC&) = delete;

  // The painter to draw with for the rest of the paint.
  QPainter& painter();
  // Device pixels per logical pixel of the target: the scale at which
  // pictures are picked for the paint.
  qreal devicePixelRatio() const;

 private:
  static bool isPrinting(const QPainter& target);
  static QRect clipBox(const QPainter& target);
  bool beginSurface();

  QImage m_bmpSurface;  // the off-screen image; empty when drawing goes through
  QPainter m_memDC;     // draws into m_bmpSurface
  QPainter* m_pTargetDC;
  QRect m_rcArea;    // the target's clip box in its device pixels
  bool m_bBuffered;  // drawing goes to m_bmpSurface
};
