#pragma once

// The controls with their inner state opened up for the tests: the fields
// that select a look, the hover state, the icons and the flash handler.

#include <QCursor>
#include <QImage>
#include <QPainter>
#include <optional>

#include "controls/icon_button.h"
#include "controls/styled_label.h"

class TestButton : public CIconButton {
 public:
  using CIconButton::CIconButton;
  using CIconButton::m_bEdgesShown;
  using CIconButton::m_bFlatStyle;
  using CIconButton::m_bFocusWhenFlat;
  using CIconButton::m_bHot;
  using CIconButton::m_bTextShown;
  using CIconButton::m_clrHotFace;
  using CIconButton::m_hHotIcon;
  using CIconButton::m_hIdleIcon;
  using CIconButton::m_nIconHeight;
  using CIconButton::m_nIconLayout;
  using CIconButton::m_nIconWidth;

  // The one cursor this button can load, so the cursor handling can be
  // seen without the program's artwork.
  static constexpr int kTestCursorId = 4242;

  // Gives the button one icon for both states.
  void setIcon32(const QIcon& icon) {
    m_hHotIcon = m_hIdleIcon = icon;
    m_nIconWidth = m_nIconHeight = 32;
  }

  // Draws the button for a request of that state into an image of that
  // logical size, on a screen of that scale.
  QImage render(ItemStates state, const QRect& item, const QSize& size, qreal ratio = 1) {
    QImage image(size * ratio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    DrawItem({&painter, item, state});
    return image;
  }

 protected:
  std::optional<QCursor> findCursor(int cursorId) const override {
    if (cursorId == kTestCursorId) return QCursor(Qt::PointingHandCursor);
    return std::nullopt;
  }
};

class TestLabel : public CStyledLabel {
 public:
  using CStyledLabel::CStyledLabel;
  using CStyledLabel::OnTimer;
};
