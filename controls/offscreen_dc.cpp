#include "controls/offscreen_dc.h"

#include <QPagedPaintDevice>
#include <QPaintDevice>
#include <QPaintEngine>

COffscreenDC::COffscreenDC(QPainter* target)
    : m_pTargetDC(target), m_bBuffered(!isPrinting(*target)) {
  if (m_bBuffered) {
    m_rcArea = clipBox(*target);
    // Without an image the paint still reaches the target, unbuffered.
    m_bBuffered = beginSurface();
  }
}

COffscreenDC::~COffscreenDC() {
  if (!m_bBuffered) return;  // a borrowed target is left as it is
  m_memDC.end();
  if (m_rcArea.isEmpty()) return;
  // The transfer works in the target's device pixels: one image pixel on
  // each, whatever the screen scale and the caller's transformation.
  m_pTargetDC->save();
  m_pTargetDC->setWorldTransform(m_pTargetDC->deviceTransform().inverted() *
                                 m_pTargetDC->worldTransform());
  m_pTargetDC->setRenderHint(QPainter::SmoothPixmapTransform, false);
  m_pTargetDC->setCompositionMode(QPainter::CompositionMode_Source);
  m_pTargetDC->drawImage(m_rcArea.topLeft(), m_bmpSurface);
  m_pTargetDC->restore();
}

QPainter& COffscreenDC::painter() { return m_bBuffered ? m_memDC : *m_pTargetDC; }

bool COffscreenDC::isPrinting(const QPainter& target) {
  return dynamic_cast<const QPagedPaintDevice*>(target.device()) != nullptr;
}

// The device pixels the paint may change: the part of the device the target
// paints on (a widget's area in its window), cut to the target's clip and
// grown to whole pixels.
QRect COffscreenDC::clipBox(const QPainter& target) {
  const QPaintEngine* engine = target.paintEngine();
  QRect box = engine->systemClip().boundingRect();
  if (box.isEmpty()) {
    const QPaintDevice* device = engine->paintDevice();
    box = QRect(0, 0, device->width(), device->height());
  }
  if (target.hasClipping())
    box &= target.deviceTransform().mapRect(target.clipBoundingRect()).toAlignedRect();
  return box;
}

// The image holds one pixel for each device pixel of the clip box. Callers
// keep drawing in the target's coordinates, which the target's own mapping
// takes to the device pixels they would cover on the target, moved by whole
// pixels so that the clip box's corner is the image's first pixel.
bool COffscreenDC::beginSurface() {
  // An empty clip box still gets a drawable pixel so the paint routine can
  // run; nothing of it is transferred.
  m_bmpSurface =
      QImage(m_rcArea.size().expandedTo(QSize(1, 1)), QImage::Format_ARGB32_Premultiplied);
  if (m_bmpSurface.isNull()) return false;
  m_bmpSurface.fill(Qt::transparent);
  if (!m_memDC.begin(&m_bmpSurface)) return false;
  m_memDC.setWorldTransform(m_pTargetDC->deviceTransform() *
                            QTransform::fromTranslate(-m_rcArea.left(), -m_rcArea.top()));
  return true;
}

qreal COffscreenDC::devicePixelRatio() const { return m_pTargetDC->device()->devicePixelRatio(); }
