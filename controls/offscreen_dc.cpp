#include "controls/offscreen_dc.h"

#include <QPagedPaintDevice>
#include <QPaintDevice>

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
  m_pTargetDC->save();
  m_pTargetDC->setCompositionMode(QPainter::CompositionMode_Source);
  m_pTargetDC->drawImage(m_rcArea.topLeft(), m_bmpSurface);
  m_pTargetDC->restore();
}

QPainter& COffscreenDC::painter() { return m_bBuffered ? m_memDC : *m_pTargetDC; }

bool COffscreenDC::isPrinting(const QPainter& target) {
  return dynamic_cast<const QPagedPaintDevice*>(target.device()) != nullptr;
}

QRect COffscreenDC::clipBox(const QPainter& target) {
  const QPaintDevice* device = target.device();
  QRectF box = target.combinedTransform().inverted().mapRect(
      QRectF(0, 0, device->width(), device->height()));
  if (target.hasClipping()) box &= target.clipBoundingRect();
  return box.toAlignedRect();
}

bool COffscreenDC::beginSurface() {
  const qreal ratio = m_pTargetDC->device()->devicePixelRatio();
  // An empty clip box still gets a drawable pixel so the paint routine can
  // run; nothing of it is transferred.
  const QSize size = m_rcArea.size().expandedTo(QSize(1, 1)) * ratio;
  m_bmpSurface = QImage(size, QImage::Format_ARGB32_Premultiplied);
  if (m_bmpSurface.isNull()) return false;
  m_bmpSurface.setDevicePixelRatio(ratio);
  m_bmpSurface.fill(Qt::transparent);
  if (!m_memDC.begin(&m_bmpSurface)) return false;
  // Callers keep drawing in the target's coordinates; the clip box's
  // top-left corner falls on the image's first pixel.
  m_memDC.setWindow(QRect(m_rcArea.topLeft(), m_rcArea.size().expandedTo(QSize(1, 1))));
  return true;
}
