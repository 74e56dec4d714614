#include "controls/styled_label.h"

#include <QDesktopServices>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QPalette>
#include <QTimerEvent>
#include <QUrl>

#include "controls/sys_colors.h"
#include "res/ui_font.h"

namespace {
constexpr int kFlashPeriodMs = 500;
}  // namespace

CStyledLabel::CStyledLabel(QWidget* parent)
    : QLabel(parent),
      m_clrFore(sysColor(*this, COLOR_WINDOWTEXT)),
      m_hbrBack(toQColor(sysColor(*this, COLOR_BTNFACE))),
      m_hbrPlain(toQColor(sysColor(*this, COLOR_BTNFACE))),
      m_logFont(QGuiApplication::font()),
      m_fontLabel(m_logFont) {
  // Like a static control without notification: the mouse falls through.
  setAttribute(Qt::WA_TransparentForMouseEvents, true);
}

CStyledLabel::~CStyledLabel() = default;

CStyledLabel& CStyledLabel::SetForeColor(COLORREF clrFore) {
  m_clrFore = clrFore;
  return Repainted();
}

CStyledLabel& CStyledLabel::SetBold(BOOL bBold) {
  m_logFont.setWeight(bBold ? QFont::Bold : QFont::Normal);
  RebuildFont();
  return Repainted();
}

CStyledLabel& CStyledLabel::SetUnderline(BOOL bUnderline) {
  m_logFont.setUnderline(bUnderline != 0);
  RebuildFont();
  return Repainted();
}

CStyledLabel& CStyledLabel::SetItalic(BOOL bItalic) {
  m_logFont.setItalic(bItalic != 0);
  RebuildFont();
  return Repainted();
}

CStyledLabel& CStyledLabel::SetCharHeight(int nHeight) {
  // A pixel size is the character height, as a negative font height was.
  m_logFont.setPixelSize(nHeight);
  RebuildFont();
  return Repainted();
}

CStyledLabel& CStyledLabel::SetFaceName(const QString& strFaceName) {
  m_logFont.setFamily(strFaceName);
  RebuildFont();
  return Repainted();
}

CStyledLabel& CStyledLabel::SetBackColor(COLORREF clrBack) {
  m_hbrBack = QBrush(toQColor(clrBack));
  return *this;
}

CStyledLabel& CStyledLabel::EnableBackFlash(BOOL bOn) {
  if (m_bFlashStarted) m_flashTimer.stop();
  if (!bOn) {
    // A label that stops flashing goes back to its own background.
    m_nFlashMode = FlashNone;
    return *this;
  }
  m_nFlashPhase = 0;
  m_bFlashStarted = TRUE;
  m_flashTimer.start(kFlashPeriodMs, this);
  m_nFlashMode = FlashBackground;
  return *this;
}

CStyledLabel& CStyledLabel::EnableLink(BOOL bOn) {
  setAttribute(Qt::WA_TransparentForMouseEvents, !bOn);
  return *this;
}

CStyledLabel& CStyledLabel::SetHoverCursor(const std::optional<QCursor>& hCursor) {
  m_hHoverCursor = hCursor;
  OnSetCursor();
  return *this;
}

// Only the dialog face at its own size draws crisp; a label in a face or size
// of its own is smooth, whatever the font it started from.
void CStyledLabel::RebuildFont() { m_fontLabel = res::RenderedFont(m_logFont); }

CStyledLabel& CStyledLabel::Repainted() {
  repaint();
  return *this;
}

QBrush CStyledLabel::CtlColor(UINT nCtlColor) {
  if (nCtlColor == CTLCOLOR_STATIC) {
    // Both calls do nothing when the value is already in place.
    setFont(m_fontLabel);
    QPalette colors = palette();
    colors.setColor(QPalette::Active, foregroundRole(), toQColor(m_clrFore));
    colors.setColor(QPalette::Inactive, foregroundRole(), toQColor(m_clrFore));
    setPalette(colors);
  }
  return m_nFlashMode == FlashBackground && m_nFlashPhase == 0 ? m_hbrPlain : m_hbrBack;
}

void CStyledLabel::paintEvent(QPaintEvent* event) {
  const QBrush background = CtlColor(CTLCOLOR_STATIC);
  {
    QPainter painter(this);
    painter.fillRect(rect(), background);
  }
  QLabel::paintEvent(event);
}

void CStyledLabel::timerEvent(QTimerEvent* event) {
  if (event->timerId() == m_flashTimer.timerId())
    OnTimer(1);
  else
    QLabel::timerEvent(event);
}

void CStyledLabel::OnTimer(UINT /*nIDEvent*/) {
  m_nFlashPhase = m_nFlashPhase == 0 ? 1 : 0;
  if (m_nFlashMode == FlashBackground) repaint();
}

void CStyledLabel::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton)
    OnLButtonDown(UINT(event->buttons().toInt()), event->position().toPoint());
  QLabel::mousePressEvent(event);
  // A label that takes the mouse keeps its presses from its parent.
  event->accept();
}

void CStyledLabel::OnLButtonDown(UINT /*nFlags*/, const QPoint& /*point*/) {
  // The text at the moment of the press, unchanged; the outcome is not looked at.
  QDesktopServices::openUrl(QUrl(text()));
}

void CStyledLabel::OnSetCursor() {
  if (m_hHoverCursor)
    setCursor(*m_hHoverCursor);
  else
    unsetCursor();
}
