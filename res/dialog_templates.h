#pragma once

// The program's dialog templates as data: the caption, size and font of each
// dialog and its controls in tab order, with rectangles in dialog units and
// the window styles of the classic dialog resource. ui/dialog_template turns
// a template into widgets.

#include <cstdint>
#include <span>

namespace res {

// Window styles of the template rows. The low word belongs to the control's
// class (BS_, SS_, ES_), so equal values mean different things per class.
inline constexpr std::uint32_t WS_DISABLED = 0x08000000;
inline constexpr std::uint32_t WS_BORDER = 0x00800000;
inline constexpr std::uint32_t WS_GROUP = 0x00020000;
inline constexpr std::uint32_t WS_TABSTOP = 0x00010000;
inline constexpr std::uint32_t BS_PUSHBUTTON = 0x0000;
inline constexpr std::uint32_t BS_DEFPUSHBUTTON = 0x0001;
inline constexpr std::uint32_t BS_AUTORADIOBUTTON = 0x0009;
inline constexpr std::uint32_t BS_TYPEMASK = 0x000F;
inline constexpr std::uint32_t SS_LEFT = 0x0000;
inline constexpr std::uint32_t SS_CENTER = 0x0001;
inline constexpr std::uint32_t SS_ICON = 0x0003;
inline constexpr std::uint32_t SS_TYPEMASK = 0x001F;
inline constexpr std::uint32_t SS_NOPREFIX = 0x0080;
inline constexpr std::uint32_t ES_AUTOHSCROLL = 0x0080;

enum class ControlClass { Button, Static, Edit };

// One control. Rectangles are x, y, width, height in dialog units; `text` is
// UTF-8. An SS_ICON static names its icon resource id in `icon`.
struct DialogItem {
  int id;
  ControlClass cls;
  const char* text;
  int x, y, cx, cy;
  std::uint32_t style;
  int icon = 0;
};

struct DialogTemplate {
  int id;
  const char* caption;  // UTF-8; empty for a dialog without a title bar
  int cx, cy;           // client size in dialog units
  const char* fontFace;
  int pointSize;
  bool titleBar;                      // WS_CAPTION with WS_SYSMENU: a title and a close box
  std::span<const DialogItem> items;  // in tab order
};

// The template of that id (IDD_CALC, IDD_ABOUT), or null.
const DialogTemplate* FindDialogTemplate(int id);

}  // namespace res
