#pragma once

// A static text label with a font, a text colour and a background of its
// own, a background that can flash between the button face and its own
// colour, and a link mode in which a left press hands the label's text to
// the desktop's "open" operation. Setters return the label so that calls
// chain; each puts its change into the label's font, palette or brushes at
// once, and those that change what shows repaint before they return.

#include <QBasicTimer>
#include <QBrush>
#include <QCursor>
#include <QFont>
#include <QLabel>
#include <QString>
#include <optional>

#include "controls/sys_colors.h"

class QPainter;

class CStyledLabel : public QLabel {
 public:
  using COLORREF = controls::COLORREF;

  // How the screen is to draw a font: crisp or smooth, chosen by whoever
  // places the label, for each font the setters build.
  using FontRendering = QFont (*)(QFont font);

  explicit CStyledLabel(QWidget* parent = nullptr);
  ~CStyledLabel() override;

  // Without a rendering the label draws its fonts as they are built.
  CStyledLabel& SetFontRendering(FontRendering rendering);

  CStyledLabel& SetForeColor(COLORREF clrFore);
  CStyledLabel& SetBold(bool bold);
  CStyledLabel& SetUnderline(bool underline);
  CStyledLabel& SetItalic(bool italic);
  // Character height (not cell height) in pixels.
  CStyledLabel& SetCharHeight(int height);
  CStyledLabel& SetFaceName(const QString& faceName);
  // Shows at the next paint; no repaint here.
  CStyledLabel& SetBackColor(COLORREF clrBack);
  // True starts flashing with the button face, restarting the cycle if it
  // runs; false stops it, and the next paint shows the own background.
  CStyledLabel& EnableBackFlash(bool on);
  CStyledLabel& EnableLink(bool on);
  // A copy of the caller's cursor; shown over the label in link mode only.
  CStyledLabel& SetHoverCursor(const std::optional<QCursor>& cursor);

 protected:
  enum FlashMode { FlashNone, FlashBackground };

  void paintEvent(QPaintEvent* event) override;
  void timerEvent(QTimerEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;

  // The brush a paint fills the background with: the button face in the
  // first phase of flashing, the label's own background otherwise. Font and
  // text colour are the label's own and are set by the setters.
  QBrush CtlColor() const;
  void OnTimer();
  void OnLButtonDown();
  void OnSetCursor();
  void RebuildFont();

  COLORREF m_clrFore;
  QBrush m_hbrBack;
  QBrush m_hbrPlain;  // the button-face phase of flashing; never replaced
  QFont m_logFont;    // the font description; a face name of any length is kept whole
  QFont m_fontLabel;  // the font built from m_logFont
  int m_nFlashPhase = 0;
  bool m_bFlashStarted = false;
  FlashMode m_nFlashMode = FlashNone;
  std::optional<QCursor> m_hHoverCursor;

 private:
  void applyForeColor();
  CStyledLabel& Repainted();
  bool showsPlainText() const;
  void drawStruckBold(QPainter& painter);

  QBasicTimer m_flashTimer;
  FontRendering m_fontRendering = nullptr;
  bool m_bStruckBold = false;  // the font is bold and its face has no bold: strike it twice
};
