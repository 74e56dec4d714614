#pragma once

// A static text label with a font, a text colour and a background of its
// own, a background that can flash between the button face and its own
// colour, and a link mode in which a left press hands the label's text to
// the desktop's "open" operation. Setters return the label so that calls
// chain; those that change what shows repaint before they return.

#include <QBasicTimer>
#include <QBrush>
#include <QCursor>
#include <QFont>
#include <QLabel>
#include <QString>
#include <optional>

#include "controls/win_types.h"

// Colour request category of a static control.
inline constexpr UINT CTLCOLOR_STATIC = 6;

class CStyledLabel : public QLabel {
 public:
  explicit CStyledLabel(QWidget* parent = nullptr);
  ~CStyledLabel() override;

  CStyledLabel& SetForeColor(COLORREF clrFore);
  CStyledLabel& SetBold(BOOL bBold);
  CStyledLabel& SetUnderline(BOOL bUnderline);
  CStyledLabel& SetItalic(BOOL bItalic);
  // Character height (not cell height) in pixels.
  CStyledLabel& SetCharHeight(int nHeight);
  CStyledLabel& SetFaceName(const QString& strFaceName);
  // Shows at the next paint; no repaint here.
  CStyledLabel& SetBackColor(COLORREF clrBack);
  // Non-zero starts flashing with the button face, restarting the cycle if
  // it runs; zero stops it, and the next paint shows the own background.
  CStyledLabel& EnableBackFlash(BOOL bOn);
  CStyledLabel& EnableLink(BOOL bOn);
  // Not owned; shown over the label in link mode only.
  CStyledLabel& SetHoverCursor(const std::optional<QCursor>& hCursor);

 protected:
  enum FlashMode { FlashNone, FlashBackground };

  void paintEvent(QPaintEvent* event) override;
  void timerEvent(QTimerEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;

  // Decides the font and text colour for a paint of a static control and
  // returns the brush its background is filled with. The label's font and
  // palette are what its text is drawn with.
  QBrush CtlColor(UINT nCtlColor);
  void OnTimer(UINT nIDEvent);
  void OnLButtonDown(UINT nFlags, const QPoint& point);
  void OnSetCursor();
  void RebuildFont();

  COLORREF m_clrFore;
  QBrush m_hbrBack;
  QBrush m_hbrPlain;  // the button-face phase of flashing; never replaced
  QFont m_logFont;    // the font description; a face name of any length is kept whole
  QFont m_fontLabel;  // the font built from m_logFont
  int m_nFlashPhase = 0;
  BOOL m_bFlashStarted = FALSE;
  FlashMode m_nFlashMode = FlashNone;
  std::optional<QCursor> m_hHoverCursor;

 private:
  CStyledLabel& Repainted();

  QBasicTimer m_flashTimer;
};
