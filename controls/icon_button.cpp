#include "controls/icon_button.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>

#include "controls/offscreen_dc.h"
#include "controls/pixel_strip.h"
#include "controls/sys_colors.h"
#include "res/resources.h"

using controls::SysColor;
using controls::sysColor;
using controls::toQColor;

namespace {

// A line one pixel wide from one point up to, but not including, the next:
// the end pixel is left for the following stroke. The edges are horizontal
// or vertical. The pixels are filled rather than stroked, so that on a
// scaled screen the line covers the whole of each pixel, edge to edge.
void lineTo(QPainter& dc, const QColor& color, const QPoint& from, const QPoint& to) {
  if (from == to) return;
  const QPoint step((to.x() > from.x()) - (to.x() < from.x()),
                    (to.y() > from.y()) - (to.y() < from.y()));
  controls::fillStrip(dc, from, to - step, color);
}

// One edge stroke: from a through b to c, one pixel wide, in that colour.
void stroke(QPainter& dc, const QColor& color, const QPoint& a, const QPoint& b, const QPoint& c) {
  lineTo(dc, color, a, b);
  lineTo(dc, color, b, c);
}

// A border one pixel wide just inside the rectangle.
void frameRect(QPainter& dc, const QRect& rc, const QColor& color) {
  const int l = rc.left(), t = rc.top(), r = rc.right() + 1, b = rc.bottom() + 1;
  stroke(dc, color, {l, b - 1}, {l, t}, {r, t});
  stroke(dc, color, {l, b - 1}, {r - 1, b - 1}, {r - 1, t - 1});
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
  ResetIdleFaceColor(false);
  ResetIdleTextColor(false);
  ResetHotFaceColor(false);
  ResetHotTextColor(false);
}

void CIconButton::LoadIcons(unsigned hotIconId, unsigned idleIconId, std::uint8_t width,
                            std::uint8_t height) {
  // Storing the new icons releases the ones loaded before.
  m_hHotIcon = res::LoadIconResource(int(hotIconId));
  m_hIdleIcon = idleIconId != 0 ? res::LoadIconResource(int(idleIconId)) : m_hHotIcon;
  m_nIconWidth = width;
  m_nIconHeight = height;
  repaint();
}

bool CIconButton::LoadHoverCursor(int cursorId) {
  m_hHoverCursor.reset();
  if (cursorId != -1) m_hHoverCursor = findCursor(cursorId);
  OnSetCursor();
  return cursorId == -1 || m_hHoverCursor.has_value();
}

std::optional<QCursor> CIconButton::findCursor(int cursorId) const {
  return res::LoadCursorResource(cursorId);
}

void CIconButton::ResetIdleFaceColor(int repaint) {
  SetColor(m_clrIdleFace, sysColor(*this, SysColor::BtnFace), repaint);
}

void CIconButton::ResetIdleTextColor(int repaint) {
  SetColor(m_clrIdleText, sysColor(*this, SysColor::BtnText), repaint);
}

void CIconButton::ResetHotFaceColor(int repaint) {
  SetColor(m_clrHotFace, sysColor(*this, SysColor::BtnFace), repaint);
}

void CIconButton::ResetHotTextColor(int repaint) {
  SetColor(m_clrHotText, sysColor(*this, SysColor::BtnText), repaint);
}

void CIconButton::SetIdleTextColor(COLORREF clrText, int repaint) {
  SetColor(m_clrIdleText, clrText, repaint);
}

void CIconButton::SetHotTextColor(COLORREF clrText, int repaint) {
  SetColor(m_clrHotText, clrText, repaint);
}

void CIconButton::SetColor(COLORREF& field, COLORREF value, int repaint) {
  field = value;
  if (repaint == 1) update();
}

void CIconButton::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  painter.setClipRegion(event->region());
  ItemStates state;
  state.setFlag(ItemState::Selected, isDown());
  state.setFlag(ItemState::Disabled, !isEnabled());
  state.setFlag(ItemState::Focus, hasFocus());
  DrawItem({&painter, rect(), state});
}

void CIconButton::DrawItem(const DrawRequest& request) {
  COffscreenDC surface(request.painter);
  QPainter& dc = surface.painter();
  const bool focused = request.itemState.testFlag(ItemState::Focus);
  const bool disabled = request.itemState.testFlag(ItemState::Disabled);
  const bool pressed = request.itemState.testFlag(ItemState::Selected);
  const bool lit = m_bHot || pressed;

  QRect rc = request.rcItem;
  if (!m_bFlatStyle && focused) {
    frameRect(dc, rc, Qt::black);
    rc.adjust(1, 1, -1, -1);
  }
  const QColor face = toQColor(lit ? m_clrHotFace : m_clrIdleFace);
  dc.fillRect(rc, face);
  PaintEdge(dc, rc, pressed);

  const QString caption = m_bTextShown ? text() : QString();
  QRect rcText = request.rcItem;
  if (!m_hHotIcon.isNull())
    PaintIcon(dc, surface.devicePixelRatio(), caption, request.rcItem, rcText, pressed, disabled);
  if (!caption.isEmpty()) {
    if (pressed) rcText.translate(1, 1);
    PaintCaption(dc, caption, rcText, face, lit, disabled);
  }
  if (focused && (!m_bFlatStyle || m_bFocusWhenFlat)) PaintFocusMark(dc, rc, face);
}

void CIconButton::PaintEdge(QPainter& dc, QRect rc, bool pressed) {
  const int l = rc.left(), t = rc.top();
  const int r = rc.left() + rc.width(), b = rc.top() + rc.height();
  const auto color = [this](SysColor index) { return toQColor(sysColor(*this, index)); };
  if (m_bFlatStyle) {
    if (!m_bEdgesShown || !(pressed || m_bHot)) return;
    const QColor light = color(pressed ? SysColor::BtnShadow : SysColor::BtnHighlight);
    const QColor dark = color(pressed ? SysColor::BtnHighlight : SysColor::BtnShadow);
    stroke(dc, light, {l, b - 1}, {l, t}, {r, t});
    stroke(dc, dark, {l, b - 1}, {r - 1, b - 1}, {r - 1, t - 1});
  } else if (pressed) {
    frameRect(dc, rc, color(SysColor::BtnShadow));
  } else {
    stroke(dc, color(SysColor::BtnHighlight), {l, b - 1}, {l, t}, {r, t});
    stroke(dc, color(SysColor::Light3D), {l + 1, b - 1}, {l + 1, t + 1}, {r, t + 1});
    stroke(dc, color(SysColor::DkShadow3D), {l, b - 1}, {r - 1, b - 1}, {r - 1, t - 1});
    stroke(dc, color(SysColor::BtnShadow), {l + 1, b - 2}, {r - 2, b - 2}, {r - 2, t});
  }
}

void CIconButton::PaintIcon(QPainter& dc, qreal ratio, const QString& caption, const QRect& rcItem,
                            QRect& rcText, bool pressed, bool disabled) {
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
  if (pressed) rcIcon.translate(1, 1);

  const QIcon& icon = m_bHot || pressed ? m_hHotIcon : m_hIdleIcon;
  if (icon.isNull()) return;
  const QSize size = ownSize(icon, QSize(m_nIconWidth, m_nIconHeight));
  // The picture drawn for the screen's scale, 64 pixels for 32 at twice.
  dc.drawPixmap(rcIcon.topLeft(),
                icon.pixmap(size, ratio, disabled ? QIcon::Disabled : QIcon::Normal));
}

void CIconButton::PaintCaption(QPainter& dc, const QString& caption, QRect rcText,
                               const QColor& face, bool lit, bool disabled) {
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
  if (disabled) {
    // Embossed: the highlight one pixel down and right, the shadow over it.
    dc.setPen(toQColor(sysColor(*this, SysColor::BtnHighlight)));
    dc.drawText(rcText.translated(1, 1), drawFlags, caption);
    dc.setPen(toQColor(sysColor(*this, SysColor::BtnShadow)));
  } else {
    dc.setPen(toQColor(lit ? m_clrHotText : m_clrIdleText));
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

bool CIconButton::event(QEvent* event) {
  if (event->type() == QEvent::WindowBlocked || event->type() == QEvent::WindowUnblocked)
    OnWindowBlocked(event->type() == QEvent::WindowBlocked);
  return QPushButton::event(event);
}

// The button lights on a move of the pointer over it, never on an enter
// alone: the enter a window gets when a box above it goes away is not
// reliably followed by a leave, while a move always is.
void CIconButton::mouseMoveEvent(QMouseEvent* event) {
  QPushButton::mouseMoveEvent(event);
  OnMouseMove(event->buttons(), event->position().toPoint());
}

void CIconButton::mouseReleaseEvent(QMouseEvent* event) {
  // The press handling lets the pointer go before the click is reported.
  if (event->button() == Qt::LeftButton) OnCaptureChanged();
  QPushButton::mouseReleaseEvent(event);
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
  // A button under a modal box never lights.
  if (m_bBlocked) return;
  // A pointer that arrives with the left button held does not light the button.
  if ((buttons & Qt::LeftButton) && !m_bHot) return;
  if (!m_bFlatStyle) return;
  if (!m_bTracking) {
    m_bHot = true;
    m_bTracking = true;
    update();
    return;
  }
  if (rect().contains(point)) return;
  OnPointerLeft(buttons);
}

void CIconButton::OnPointerLeft(Qt::MouseButtons buttons) {
  if (m_bHot) {
    m_bHot = false;
    update();
  }
  // With the left button held the press handling keeps following the pointer.
  if (!(buttons & Qt::LeftButton)) m_bTracking = false;
}

// While a modal box takes the input, the button is as if the pointer had left it.
void CIconButton::OnWindowBlocked(bool blocked) {
  m_bBlocked = blocked;
  if (blocked) OnPointerLeft(Qt::NoButton);
}

void CIconButton::OnKillFocus() {
  if (m_bFlatStyle && m_bHot) {
    m_bHot = false;
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
