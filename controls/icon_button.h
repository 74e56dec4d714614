#pragma once

// A push button that paints itself: a face in a colour of its own, an icon
// beside or above its caption, and a flat look in which a thin edge shows
// only while the pointer is over the button (it is then hot) or while it is
// pressed. Separate face and caption colours for the idle and the lit
// state, and a cursor of its own. A classic 3-D look and two further icon
// layouts are chosen by fields that keep their initial values unless a
// derived class changes them.

#include <QCursor>
#include <QFlags>
#include <QIcon>
#include <QPushButton>
#include <QRect>
#include <cstdint>
#include <optional>

#include "controls/sys_colors.h"

class QPainter;

class CIconButton : public QPushButton {
 public:
  using COLORREF = controls::COLORREF;

  // The states a paint of the button shows.
  enum class ItemState { Selected = 0x1, Disabled = 0x2, Focus = 0x4 };
  Q_DECLARE_FLAGS(ItemStates, ItemState)

  // A request to draw the button: the painter, the button's rectangle in the
  // painter's coordinates, and the states to show.
  struct DrawRequest {
    QPainter* painter;
    QRect rcItem;
    ItemStates itemState;
  };

  explicit CIconButton(QWidget* parent = nullptr);

  // Loads the hot icon and the idle icon (0: the hot icon serves both),
  // keeps the size used to place them and repaints at once. Icons loaded
  // before are released first.
  void LoadIcons(unsigned hotIconId, unsigned idleIconId, std::uint8_t width, std::uint8_t height);
  // Replaces the hover cursor; -1 drops it. False when the id has no cursor.
  bool LoadHoverCursor(int cursorId);

  // Colour operations repaint only when `repaint` is 1 (true); any other
  // value, zero or not, leaves the button as it shows. The flag stays an int
  // on purpose: callers written for the classic control pass such values.
  void ResetIdleFaceColor(int repaint);
  void ResetIdleTextColor(int repaint);
  void ResetHotFaceColor(int repaint);
  void ResetHotTextColor(int repaint);
  void SetIdleTextColor(COLORREF clrText, int repaint);
  void SetHotTextColor(COLORREF clrText, int repaint);
  COLORREF GetIdleFaceColor() const { return m_clrIdleFace; }
  COLORREF GetIdleTextColor() const { return m_clrIdleText; }
  COLORREF GetHotFaceColor() const { return m_clrHotFace; }
  COLORREF GetHotTextColor() const { return m_clrHotText; }

  // Paints the whole button for the request, through an off-screen surface.
  void DrawItem(const DrawRequest& request);

 protected:
  bool event(QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

  // Where the cursor of an id comes from.
  virtual std::optional<QCursor> findCursor(int cursorId) const;

  int m_nIconLayout = 0;  // 0: icon left; 1: icon on top; other: top-left corner
  bool m_bTextShown = true;
  bool m_bEdgesShown = true;
  bool m_bFlatStyle = true;
  bool m_bHot = false;
  bool m_bFocusWhenFlat = false;
  std::optional<QCursor> m_hHoverCursor;
  QIcon m_hHotIcon;   // null: the button has no icon
  QIcon m_hIdleIcon;  // shares the hot icon's image when only one was given
  std::uint8_t m_nIconHeight = 0;
  std::uint8_t m_nIconWidth = 0;
  COLORREF m_clrIdleFace = 0;
  COLORREF m_clrIdleText = 0;
  COLORREF m_clrHotFace = 0;
  COLORREF m_clrHotText = 0;

 private:
  void PaintIcon(QPainter& dc, qreal ratio, const QString& caption, const QRect& rcItem,
                 QRect& rcText, bool pressed, bool disabled);
  void PaintEdge(QPainter& dc, QRect rc, bool pressed);
  void PaintCaption(QPainter& dc, const QString& caption, QRect rcText, const QColor& face,
                    bool lit, bool disabled);
  void PaintFocusMark(QPainter& dc, const QRect& rc, const QColor& face);
  void SetColor(COLORREF& field, COLORREF value, int repaint);

  void OnMouseMove(Qt::MouseButtons buttons, const QPoint& point);
  void OnPointerLeft(Qt::MouseButtons buttons);
  void OnWindowBlocked(bool blocked);
  void OnKillFocus();
  void OnCaptureChanged();
  void OnSetCursor();

  // The pointer is being followed as being over the button: the counterpart
  // of holding the mouse capture, without grabbing the mouse.
  bool m_bTracking = false;
  // A modal window above the button's window takes the input meanwhile.
  bool m_bBlocked = false;
};

Q_DECLARE_OPERATORS_FOR_FLAGS(CIconButton::ItemStates)
