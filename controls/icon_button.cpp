#include "controls/icon_button.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>
#include <qdrawutil.h>

#include "controls/offscreen_dc.h"
#include "controls/sys_colors.h"
#include "res/resources.h"

namespace {

// A line from one point up to, but not including, the next: the end pixel is
// left for the following stroke. The edges are horizontal or vertical.
void lineTo(QPainter& dc, const QPoint& from, const QPoint& to) {
  if (from == to) return;
  const QPoint step((to.x() > from.x()) - (to.x() < from.x()),
                    (to.y() > from.y()) - (to.y() < from.y()));
  dc.drawLine(from, to - step);
}

// One edge stroke: from a through b to c, in a 1-pixel pen of that colour.
void stroke(QPainter& dc, const QColor& color, const QPoint& a, const QPoint& b,
            const QPoint& c) {
  const QPen previous = dc.pen();
  dc.setPen(QPen(color, 0));
  lineTo(dc, a, b);
  lineTo(dc, b, c);
  dc.setPen(previous);
}

// The size an icon was drawn at by its artist.
QSize ownSize(const QIcon& icon, const QSize& fallback) {
  const QList<QSize> sizes = icon.availableSizes();
  return sizes.isEmpty() ? fallback : sizes.first();
}

}  // namespace

CIconButton::CIconButton(QWidget* parent) : QPushButton(parent) {
  // Owner-drawn, it never becomes its dialog's default when it takes the
  // focus: Enter keeps running the dialog's default command.
  setAutoDefault(false);
  setMouseTracking(true);
  ResetIdleFaceColor(FALSE);
  ResetIdleTextColor(FALSE);
  ResetHotFaceColor(FALSE);
  ResetHotTextColor(FALSE);
}

// The icons and the cursor are owned values: each is released exactly once,
// and an idle icon that shares the hot icon's image is the same image.
CIconButton::~CIconButton() = default;

void CIconButton::LoadIcons(UINT nHotIconId, UINT nIdleIconId, BYTE nWidth, BYTE nHeight) {
  // Storing the new icons releases the ones loaded before.
  m_hHotIcon = res::LoadIconResource(int(nHotIconId & 0xFFFF));
  m_hIdleIcon = nIdleIconId != 0 ? res::LoadIconResource(int(nIdleIconId & 0xFFFF)) : m_hHotIcon;
  m_nIconWidth = nWidth;
  m_nIconHeight = nHeight;
  repaint();
}

BOOL CIconButton::LoadHoverCursor(int nCursorId) {
  m_hHoverCursor.reset();
  if (nCursorId != -1) m_hHoverCursor = findCursor(nCursorId & 0xFFFF);
  OnSetCursor();
  return nCursorId == -1 || m_hHoverCursor.has_value() ? TRUE : FALSE;
}

std::optional<QCursor> CIconButton::findCursor(int nCursorId) const {
  return res::LoadCursorResource(nCursorId);
}

void CIconButton::ResetIdleFaceColor(BOOL bRepaint) {
  SetColor(m_clrIdleFace, sysColor(*this, COLOR_BTNFACE), bRepaint);
}

void CIconButton::ResetIdleTextColor(BOOL bRepaint) {
  SetColor(m_clrIdleText, sysColor(*this, COLOR_BTNTEXT), bRepaint);
}

void CIconButton::ResetHotFaceColor(BOOL bRepaint) {
  SetColor(m_clrHotFace, sysColor(*this, COLOR_BTNFACE), bRepaint);
}

void CIconButton::ResetHotTextColor(BOOL bRepaint) {
  SetColor(m_clrHotText, sysColor(*this, COLOR_BTNTEXT), bRepaint);
}

void CIconButton::SetIdleTextColor(COLORREF clrText, BOOL bRepaint) {
  SetColor(m_clrIdleText, clrText, bRepaint);
}

void CIconButton::SetHotTextColor(COLORREF clrText, BOOL bRepaint) {
  SetColor(m_clrHotText, clrText, bRepaint);
}

void CIconButton::SetColor(COLORREF& field, COLORREF value, BOOL bRepaint) {
  field = value;
  if (bRepaint == TRUE) update();
}

void CIconButton::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  painter.setClipRegion(event->region());
  UINT state = 0;
  if (isDown()) state |= ODS_SELECTED;
  if (!isEnabled()) state |= ODS_DISABLED;
  if (hasFocus()) state |= ODS_FOCUS;
  DRAWITEMSTRUCT dis{&painter, rect(), state};
  DrawItem(&dis);
}

void CIconButton::DrawItem(LPDRAWITEMSTRUCT lpDIS) {
  COffscreenDC surface(lpDIS->hDC);
  QPainter& dc = surface.painter();
  const BOOL bFocused = (lpDIS->itemState & ODS_FOCUS) != 0;
  const BOOL bDisabled = (lpDIS->itemState & ODS_DISABLED) != 0;
  const BOOL bPressed = (lpDIS->itemState & ODS_SELECTED) != 0;
  const BOOL bLit = m_bHot || bPressed;

  QRect rc = lpDIS->rcItem;
  if (!m_bFlatStyle && bFocused) {
    qDrawPlainRect(&dc, rc, Qt::black);
    rc.adjust(1, 1, -1, -1);
  }
  const QColor face = toQColor(bLit ? m_clrHotFace : m_clrIdleFace);
  dc.fillRect(rc, face);
  PaintEdge(dc, rc, bPressed);

  const QString caption = m_bTextShown ? text() : QString();
  QRect rcText = lpDIS->rcItem;
  if (!m_hHotIcon.isNull()) PaintIcon(dc, caption, lpDIS->rcItem, rcText, bPressed, bDisabled);
  if (!caption.isEmpty()) {
    if (bPressed) rcText.translate(1, 1);
    PaintCaption(dc, caption, rcText, face, bLit, bDisabled);
  }
  if (bFocused && (!m_bFlatStyle || m_bFocusWhenFlat)) PaintFocusMark(dc, rc, face);
}

void CIconButton::PaintEdge(QPainter& dc, QRect rc, BOOL bPressed) {
  const int l = rc.left(), t = rc.top();
  const int r = rc.left() + rc.width(), b = rc.top() + rc.height();
  const auto color = [this](SysColorIndex index) { return toQColor(sysColor(*this, index)); };
  if (m_bFlatStyle) {
    if (!m_bEdgesShown || !(bPressed || m_bHot)) return;
    const QColor light = color(bPressed ? COLOR_BTNSHADOW : COLOR_BTNHIGHLIGHT);
    const QColor dark = color(bPressed ? COLOR_BTNHIGHLIGHT : COLOR_BTNSHADOW);
    stroke(dc, light, {l, b - 1}, {l, t}, {r, t});
    stroke(dc, dark, {l, b - 1}, {r - 1, b - 1}, {r - 1, t - 1});
  } else if (bPressed) {
    qDrawPlainRect(&dc, rc, color(COLOR_BTNSHADOW));
  } else {
    stroke(dc, color(COLOR_BTNHIGHLIGHT), {l, b - 1}, {l, t}, {r, t});
    stroke(dc, color(COLOR_3DLIGHT), {l + 1, b - 1}, {l + 1, t + 1}, {r, t + 1});
    stroke(dc, color(COLOR_3DDKSHADOW), {l, b - 1}, {r - 1, b - 1}, {r - 1, t - 1});
    stroke(dc, color(COLOR_BTNSHADOW), {l + 1, b - 2}, {r - 2, b - 2}, {r - 2, t});
  }
}

void CIconButton::PaintIcon(QPainter& dc, const QString& caption, const QRect& rcItem,
                            QRect& rcText, BOOL bPressed, BOOL bDisabled) {
  QRect rcIcon = rcItem;
  if (m_nIconLayout == 0) {
    if (!caption.isEmpty()) {
      rcIcon.setLeft(rcIcon.left() + 3);
      rcText.setLeft(rcText.left() + m_nIconWidth + 3);
    } else {
      rcIcon.setLeft(rcIcon.left() + (rcIcon.width() - m_nIconWidth) / 2);
    }
    rcIcon.setTop(rcIcon.top() + (rcIcon.height() - m_nIconHeight) / 2);
  } else if (m_nIconLayout == 1) {
    rcIcon.setLeft(rcIcon.left() + (rcIcon.width() - m_nIconWidth) / 2);
    if (!caption.isEmpty())
      rcText.setTop(rcText.top() + m_nIconHeight);
    else
      rcIcon.setTop(rcIcon.top() + (rcIcon.height() - m_nIconHeight) / 2);
  }
  if (bPressed) rcIcon.translate(1, 1);

  const QIcon& icon = m_bHot || bPressed ? m_hHotIcon : m_hIdleIcon;
  if (icon.isNull()) return;
  const QSize size = ownSize(icon, QSize(m_nIconWidth, m_nIconHeight));
  dc.drawPixmap(rcIcon.topLeft(), icon.pixmap(size, dc.device()->devicePixelRatio(),
                                              bDisabled ? QIcon::Disabled : QIcon::Normal));
}

void CIconButton::PaintCaption(QPainter& dc, const QString& caption, QRect rcText,
                               const QColor& face, BOOL bLit, BOOL bDisabled) {
  const QFont previous = dc.font();
  dc.setFont(font());
  dc.setBackground(face);

  // Measure the one-line caption and centre its box on the caption area; a
  // caption wider than the area overhangs both sides alike.
  const int flags = Qt::TextSingleLine | Qt::TextShowMnemonic;
  const QRect area = rcText;
  rcText.setSize(QFontMetrics(font(), dc.device()).size(flags, caption));
  rcText.translate((area.width() - rcText.width()) / 2, (area.height() - rcText.height()) / 2);

  const int drawFlags = flags | Qt::TextDontClip | Qt::AlignLeft | Qt::AlignTop;
  if (bDisabled) {
    // Embossed: the highlight one pixel down and right, the shadow over it.
    dc.setPen(toQColor(sysColor(*this, COLOR_BTNHIGHLIGHT)));
    dc.drawText(rcText.translated(1, 1), drawFlags, caption);
    dc.setPen(toQColor(sysColor(*this, COLOR_BTNSHADOW)));
  } else {
    dc.setPen(toQColor(bLit ? m_clrHotText : m_clrIdleText));
  }
  dc.drawText(rcText, drawFlags, caption);
  dc.setFont(previous);
}

void CIconButton::PaintFocusMark(QPainter& dc, const QRect& rc, const QColor& face) {
  QStyleOptionFocusRect option;
  option.initFrom(this);
  option.rect = rc.adjusted(3, 3, -3, -3);
  option.backgroundColor = face;
  style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &dc, this);
}

void CIconButton::mouseMoveEvent(QMouseEvent* event) {
  QPushButton::mouseMoveEvent(event);
  OnMouseMove(event->buttons(), event->position().toPoint());
}

void CIconButton::mouseReleaseEvent(QMouseEvent* event) {
  // The press handling lets the pointer go before the click is reported.
  if (event->button() == Qt::LeftButton) OnCaptureChanged();
  QPushButton::mouseReleaseEvent(event);
}

void CIconButton::enterEvent(QEnterEvent* event) {
  QPushButton::enterEvent(event);
  OnMouseMove(QGuiApplication::mouseButtons(), event->position().toPoint());
}

void CIconButton::leaveEvent(QEvent* event) {
  QPushButton::leaveEvent(event);
  OnPointerLeft(QGuiApplication::mouseButtons());
}

void CIconButton::focusOutEvent(QFocusEvent* event) {
  QPushButton::focusOutEvent(event);
  OnKillFocus();
}

void CIconButton::OnMouseMove(Qt::MouseButtons buttons, const QPoint& point) {
  // A pointer that arrives with the left button held does not light the button.
  if ((buttons & Qt::LeftButton) && !m_bHot) return;
  if (!m_bFlatStyle) return;
  if (!m_bTracking) {
    m_bHot = TRUE;
    m_bTracking = true;
    update();
    return;
  }
  if (rect().contains(point)) return;
  OnPointerLeft(buttons);
}

void CIconButton::OnPointerLeft(Qt::MouseButtons buttons) {
  if (m_bHot) {
    m_bHot = FALSE;
    update();
  }
  // With the left button held the press handling keeps following the pointer.
  if (!(buttons & Qt::LeftButton)) m_bTracking = false;
}

void CIconButton::OnKillFocus() {
  if (m_bFlatStyle && m_bHot) {
    m_bHot = FALSE;
    update();
  }
}

void CIconButton::OnCaptureChanged() {
  m_bTracking = false;
  if (m_bHot) update();
}

void CIconButton::OnSetCursor() {
  if (m_hHoverCursor)
    setCursor(*m_hHoverCursor);
  else
    unsetCursor();
}
