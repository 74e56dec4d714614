#pragma once

// A push button that paints itself: a face in a colour of its own, an icon
// beside or above its caption, and a flat look in which a thin edge shows
// only while the pointer is over the button (it is then hot) or while it is
// pressed. Separate face and caption colours for the idle and the lit
// state, and a cursor of its own. A classic 3-D look and two further icon
// layouts are chosen by fields that keep their initial values unless a
// derived class changes them.

#include <QCursor>
#include <QIcon>
#include <QPushButton>
#include <QRect>
#include <optional>

#include "controls/win_types.h"

class QPainter;

// Item state flags of a draw request.
inline constexpr UINT ODS_SELECTED = 0x0001;
inline constexpr UINT ODS_DISABLED = 0x0004;
inline constexpr UINT ODS_FOCUS = 0x0010;

// A request to draw the button: where, which rectangle, in which state.
struct DRAWITEMSTRUCT {
  QPainter* hDC;
  QRect rcItem;
  UINT itemState;
};
using LPDRAWITEMSTRUCT = DRAWITEMSTRUCT*;

class CIconButton : public QPushButton {
 public:
  explicit CIconButton(QWidget* parent = nullptr);
  ~CIconButton() override;

  // Loads the hot icon and the idle icon (0: the hot icon serves both),
  // keeps the size used to place them and repaints at once. Icons loaded
  // before are released first.
  void LoadIcons(UINT nHotIconId, UINT nIdleIconId, BYTE nWidth, BYTE nHeight);
  // Replaces the hover cursor; -1 drops it. FALSE when the id has no cursor.
  BOOL LoadHoverCursor(int nCursorId);

  // Colour operations repaint only when bRepaint equals TRUE.
  void ResetIdleFaceColor(BOOL bRepaint);
  void ResetIdleTextColor(BOOL bRepaint);
  void ResetHotFaceColor(BOOL bRepaint);
  void ResetHotTextColor(BOOL bRepaint);
  void SetIdleTextColor(COLORREF clrText, BOOL bRepaint);
  void SetHotTextColor(COLORREF clrText, BOOL bRepaint);
  COLORREF GetIdleFaceColor() const { return m_clrIdleFace; }
  COLORREF GetIdleTextColor() const { return m_clrIdleText; }
  COLORREF GetHotFaceColor() const { return m_clrHotFace; }
  COLORREF GetHotTextColor() const { return m_clrHotText; }

  // Paints the whole button for the request, through an off-screen surface.
  void DrawItem(LPDRAWITEMSTRUCT lpDIS);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

  // Where the cursor of an id comes from.
  virtual std::optional<QCursor> findCursor(int nCursorId) const;

  int m_nIconLayout = 0;  // 0: icon left; 1: icon on top; other: top-left corner
  BOOL m_bTextShown = TRUE;
  BOOL m_bEdgesShown = TRUE;
  BOOL m_bFlatStyle = TRUE;
  BOOL m_bHot = FALSE;
  BOOL m_bFocusWhenFlat = FALSE;
  std::optional<QCursor> m_hHoverCursor;
  QIcon m_hHotIcon;   // null: the button has no icon
  QIcon m_hIdleIcon;  // shares the hot icon's image when only one was given
  BYTE m_nIconHeight = 0;
  BYTE m_nIconWidth = 0;
  COLORREF m_clrIdleFace = 0;
  COLORREF m_clrIdleText = 0;
  COLORREF m_clrHotFace = 0;
  COLORREF m_clrHotText = 0;

 private:
  void PaintIcon(QPainter& dc, const QString& caption, const QRect& rcItem, QRect& rcText,
                 BOOL bPressed, BOOL bDisabled);
  void PaintEdge(QPainter& dc, QRect rc, BOOL bPressed);
  void PaintCaption(QPainter& dc, const QString& caption, QRect rcText, const QColor& face,
                    BOOL bLit, BOOL bDisabled);
  void PaintFocusMark(QPainter& dc, const QRect& rc, const QColor& face);
  void SetColor(COLORREF& field, COLORREF value, BOOL bRepaint);

  void OnMouseMove(Qt::MouseButtons buttons, const QPoint& point);
  void OnPointerLeft(Qt::MouseButtons buttons);
  void OnKillFocus();
  void OnCaptureChanged();
  void OnSetCursor();

  // The pointer is being followed as being over the button: the counterpart
  // of holding the mouse capture, without grabbing the mouse.
  bool m_bTracking = false;
};
