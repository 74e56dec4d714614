#include "controls/styled_label.h"

#include <QDesktopServices>
#include <QFontDatabase>
#include <QFontInfo>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QPalette>
#include <QStyle>
#include <QTextDocument>
#include <QTimerEvent>
#include <QUrl>
#include <algorithm>
#include <cmath>

using controls::SysColor;
using controls::sysColor;
using controls::toQColor;

namespace {

constexpr int kFlashPeriodMs = 500;

// A bold that the face has no weight of its own for. The font engine only
// thickens such strokes by a twenty-fourth of the size, which hardly shows
// once the face is drawn larger than 12 pixels, as on a scaled screen.
bool isBoldWithoutABoldFace(const QFont& font) {
  if (font.weight() < QFont::Bold) return false;
  const QFontInfo face(font);
  return QFontDatabase::weight(face.family(), face.styleName()) < QFont::Bold;
}

}  // namespace

CStyledLabel::CStyledLabel(QWidget* parent)
    : QLabel(parent),
      m_clrFore(sysColor(*this, SysColor::WindowText)),
      m_hbrBack(toQColor(sysColor(*this, SysColor::BtnFace))),
      m_hbrPlain(toQColor(sysColor(*this, SysColor::BtnFace))),
      m_logFont(QGuiApplication::font()) {
  RebuildFont();
  applyForeColor();
  // Like a static control without notification: the mouse falls through.
  setAttribute(Qt::WA_TransparentForMouseEvents, true);
}

CStyledLabel::~CStyledLabel() = default;

CStyledLabel& CStyledLabel::SetFontRendering(FontRendering rendering) {
  m_fontRendering = rendering;
  RebuildFont();
  return Repainted();
}

CStyledLabel& CStyledLabel::SetForeColor(COLORREF clrFore) {
  m_clrFore = clrFore;
  applyForeColor();
  return Repainted();
}

CStyledLabel& CStyledLabel::SetBold(bool bold) {
  m_logFont.setWeight(bold ? QFont::Bold : QFont::Normal);
  RebuildFont();
  return Repainted();
}

CStyledLabel& CStyledLabel::SetUnderline(bool underline) {
  m_logFont.setUnderline(underline);
  RebuildFont();
  return Repainted();
}

CStyledLabel& CStyledLabel::SetItalic(bool italic) {
  m_logFont.setItalic(italic);
  RebuildFont();
  return Repainted();
}

CStyledLabel& CStyledLabel::SetCharHeight(int height) {
  // A pixel size is the character height, as a negative font height was.
  m_logFont.setPixelSize(height);
  RebuildFont();
  return Repainted();
}

CStyledLabel& CStyledLabel::SetFaceName(const QString& faceName) {
  m_logFont.setFamily(faceName);
  RebuildFont();
  return Repainted();
}

CStyledLabel& CStyledLabel::SetBackColor(COLORREF clrBack) {
  m_hbrBack = QBrush(toQColor(clrBack));
  return *this;
}

CStyledLabel& CStyledLabel::EnableBackFlash(bool on) {
  if (m_bFlashStarted) m_flashTimer.stop();
  if (!on) {
    // A label that stops flashing goes back to its own background.
    m_nFlashMode = FlashNone;
    return *this;
  }
  m_nFlashPhase = 0;
  m_bFlashStarted = true;
  // A precise timer: a coarse one may shift each tick by some milliseconds,
  // and the phases would drift away from their 500 ms steps.
  m_flashTimer.start(kFlashPeriodMs, Qt::PreciseTimer, this);
  m_nFlashMode = FlashBackground;
  return *this;
}

CStyledLabel& CStyledLabel::EnableLink(bool on) {
  setAttribute(Qt::WA_TransparentForMouseEvents, !on);
  return *this;
}

CStyledLabel& CStyledLabel::SetHoverCursor(const std::optional<QCursor>& cursor) {
  m_hHoverCursor = cursor;
  OnSetCursor();
  return *this;
}

void CStyledLabel::RebuildFont() {
  m_fontLabel = m_fontRendering ? m_fontRendering(m_logFont) : m_logFont;
  setFont(m_fontLabel);
  m_bStruckBold = isBoldWithoutABoldFace(m_fontLabel);
}

// The text colour whether or not the label's window is the active one.
void CStyledLabel::applyForeColor() {
  QPalette colors = palette();
  colors.setColor(QPalette::Active, foregroundRole(), toQColor(m_clrFore));
  colors.setColor(QPalette::Inactive, foregroundRole(), toQColor(m_clrFore));
  setPalette(colors);
}

CStyledLabel& CStyledLabel::Repainted() {
  repaint();
  return *this;
}

QBrush CStyledLabel::CtlColor() const {
  return m_nFlashMode == FlashBackground && m_nFlashPhase == 0 ? m_hbrPlain : m_hbrBack;
}

void CStyledLabel::paintEvent(QPaintEvent* event) {
  {
    QPainter painter(this);
    painter.fillRect(rect(), CtlColor());
    if (m_bStruckBold && showsPlainText()) {
      drawStruckBold(painter);
      return;
    }
  }
  QLabel::paintEvent(event);
}

bool CStyledLabel::showsPlainText() const {
  return textFormat() == Qt::PlainText ||
         (textFormat() == Qt::AutoText && !Qt::mightBeRichText(text()));
}

// The classic platform draws a bold that the face has no weight for as the
// regular glyphs struck again one pixel to the right, two pixels to a
// stroke at the dialog face's size. On a scaled screen that pixel is a
// logical one, struck at each device pixel across it so the strokes close.
void CStyledLabel::drawStruckBold(QPainter& painter) {
  QFont regular = font();
  regular.setWeight(QFont::Normal);
  painter.setFont(regular);
  const QRect area =
      contentsRect().marginsRemoved(QMargins(margin(), margin(), margin(), margin()));
  const int flags = int(alignment()) | (wordWrap() ? Qt::TextWordWrap : 0);
  const qreal ratio = devicePixelRatioF();
  for (int step = 0; step <= std::ceil(ratio); ++step) {
    painter.save();
    painter.translate(std::min(step / ratio, 1.0), 0);
    style()->drawItemText(&painter, area, flags, palette(), isEnabled(), text(), foregroundRole());
    painter.restore();
  }
}

void CStyledLabel::timerEvent(QTimerEvent* event) {
  if (event->timerId() == m_flashTimer.timerId())
    OnTimer();
  else
    QLabel::timerEvent(event);
}

void CStyledLabel::OnTimer() {
  m_nFlashPhase = m_nFlashPhase == 0 ? 1 : 0;
  if (m_nFlashMode == FlashBackground) repaint();
}

void CStyledLabel::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) OnLButtonDown();
  QLabel::mousePressEvent(event);
  // A label that takes the mouse keeps its presses from its parent.
  event->accept();
}

// The second press of a double-click comes as a double-click, which the
// classic control does not hand to its press handler: a double-click opens
// the link once.
void CStyledLabel::mouseDoubleClickEvent(QMouseEvent* event) { event->accept(); }

void CStyledLabel::OnLButtonDown() {
  // The text at the moment of the press, unchanged; the outcome is not looked at.
  QDesktopServices::openUrl(QUrl(text()));
}

void CStyledLabel::OnSetCursor() {
  if (m_hHoverCursor)
    setCursor(*m_hHoverCursor);
  else
    unsetCursor();
}
