#include "ui/calc/dialog_template.h"

#include <QButtonGroup>
#include <QDialog>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "res/dialog_templates.h"
#include "res/resource.h"
#include "res/resources.h"
#include "res/ui_font.h"
#include "ui/calc/radio_button.h"

namespace {

using res::ControlClass;
using res::DialogItem;

// The dynamic property that carries a control's template id.
constexpr char kItemId[] = "dialogItemId";

// MulDiv of the classic platform: a * b / c, rounded half away from zero.
int mulDiv(int a, int b, int c) {
  const long long product = static_cast<long long>(a) * b;
  return static_cast<int>((product >= 0 ? product + c / 2 : product - c / 2) / c);
}

bool isRadio(const DialogItem& item) {
  return item.cls == ControlClass::Button &&
         (item.style & res::BS_TYPEMASK) == res::BS_AUTORADIOBUTTON;
}

bool isIcon(const DialogItem& item) {
  return item.cls == ControlClass::Static && (item.style & res::SS_TYPEMASK) == res::SS_ICON;
}

QWidget* newControl(const DialogItem& item) {
  switch (item.cls) {
    case ControlClass::Button:
      if (isRadio(item)) return new CRadioButton;
      return new QPushButton;
    case ControlClass::Static:
      return new QLabel;
    case ControlClass::Edit:
      return new QLineEdit;
  }
  return nullptr;
}

void applyButton(QAbstractButton& button, const DialogItem& item) {
  button.setText(QString::fromUtf8(item.text));
  if (auto* push = qobject_cast<QPushButton*>(&button))
    push->setDefault((item.style & res::BS_TYPEMASK) == res::BS_DEFPUSHBUTTON);
}

// Statics draw from their top edge and wrap their text; none of the
// templates asks for SS_NOTIFY, so the mouse falls through to the dialog.
// Qt shows "&" literally in a label, as SS_NOPREFIX asks.
void applyStatic(QLabel& label, const DialogItem& item) {
  label.setAttribute(Qt::WA_TransparentForMouseEvents);
  if (isIcon(item)) {
    label.setPixmap(res::LoadIconResource(item.icon).pixmap(32, 32));
    return;
  }
  const Qt::Alignment horizontal =
      (item.style & res::SS_TYPEMASK) == res::SS_CENTER ? Qt::AlignHCenter : Qt::AlignLeft;
  label.setAlignment(horizontal | Qt::AlignTop);
  label.setTextFormat(Qt::PlainText);
  label.setWordWrap(true);
  label.setText(QString::fromUtf8(item.text));
}

// A single-line QLineEdit scrolls its text sideways as the caret moves,
// which is what ES_AUTOHSCROLL asks; every edit of the templates has it.
void applyEdit(QLineEdit& edit, const DialogItem& item) {
  edit.setFrame((item.style & res::WS_BORDER) != 0);
  edit.setText(QString::fromUtf8(item.text));
}

void applyClass(QWidget& widget, const DialogItem& item) {
  if (auto* button = qobject_cast<QAbstractButton*>(&widget)) applyButton(*button, item);
  if (auto* label = qobject_cast<QLabel*>(&widget)) applyStatic(*label, item);
  if (auto* edit = qobject_cast<QLineEdit*>(&widget)) applyEdit(*edit, item);
}

// WS_TABSTOP: Tab reaches the control. Buttons and edits without it still
// take the focus when clicked; statics never do.
void applyFocus(QWidget& widget, const DialogItem& item) {
  if (item.cls == ControlClass::Static)
    widget.setFocusPolicy(Qt::NoFocus);
  else
    widget.setFocusPolicy((item.style & res::WS_TABSTOP) ? Qt::StrongFocus : Qt::ClickFocus);
}

QRect pixelRect(const DialogItem& item, DialogBaseUnits units) {
  QRect rect = mapDialogRect(QRect(item.x, item.y, item.cx, item.cy), units);
  if (isIcon(item)) rect.setSize(QSize(32, 32));  // an icon static takes its icon's size
  return rect;
}

void applyDialog(QDialog& dialog, const res::DialogTemplate& tmpl) {
  dialog.setFont(res::DialogFont(tmpl));
  dialog.setWindowTitle(QString::fromUtf8(tmpl.caption));
  dialog.setWindowFlags(tmpl.titleBar ? Qt::Dialog | Qt::WindowTitleHint |
                                            Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint
                                      : Qt::Dialog | Qt::FramelessWindowHint);
  const DialogBaseUnits units = dialogBaseUnits(dialog.font());
  dialog.setFixedSize(mapDialogRect(QRect(0, 0, tmpl.cx, tmpl.cy), units).size());
}

}  // namespace

DialogBaseUnits dialogBaseUnits(const QFont& font) {
  const QFontMetrics metrics(font);
  const int alphabet = metrics.horizontalAdvance(
      QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
  return {(alphabet / 26 + 1) / 2, metrics.height()};
}

QRect mapDialogRect(const QRect& dialogUnits, DialogBaseUnits units) {
  const int left = mulDiv(dialogUnits.left(), units.x, 4);
  const int top = mulDiv(dialogUnits.top(), units.y, 8);
  const int right = mulDiv(dialogUnits.left() + dialogUnits.width(), units.x, 4);
  const int bottom = mulDiv(dialogUnits.top() + dialogUnits.height(), units.y, 8);
  return {left, top, right - left, bottom - top};
}

void realiseTemplate(QDialog& dialog, const res::DialogTemplate& tmpl,
                     const QHash<int, QWidget*>& members) {
  applyDialog(dialog, tmpl);
  const DialogBaseUnits units = dialogBaseUnits(dialog.font());
  QButtonGroup* radios = nullptr;  // the radio group being filled, until the next WS_GROUP
  QWidget* previousFocusable = nullptr;
  for (const DialogItem& item : tmpl.items) {
    QWidget* widget = members.value(item.id);
    if (!widget) widget = newControl(item);
    widget->setParent(&dialog);
    widget->setProperty(kItemId, item.id);
    widget->setGeometry(pixelRect(item, units));
    applyClass(*widget, item);
    applyFocus(*widget, item);
    widget->setEnabled((item.style & res::WS_DISABLED) == 0);
    if (item.style & res::WS_GROUP) radios = nullptr;
    if (isRadio(item)) {
      if (!radios) radios = new QButtonGroup(&dialog);
      radios->addButton(qobject_cast<QAbstractButton*>(widget), item.id);
    }
    if (widget->focusPolicy() != Qt::NoFocus) {
      if (previousFocusable) QWidget::setTabOrder(previousFocusable, widget);
      previousFocusable = widget;
    }
  }
}

QWidget* dialogItem(const QWidget& dialog, int id) {
  if (id == IDC_STATIC) return nullptr;
  for (QWidget* child : dialog.findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
    if (child->property(kItemId) == id) return child;
  return nullptr;
}

QWidget* firstTabStop(const QWidget& dialog, const res::DialogTemplate& tmpl) {
  for (const DialogItem& item : tmpl.items) {
    QWidget* widget = dialogItem(dialog, item.id);
    if ((item.style & res::WS_TABSTOP) && widget && widget->isEnabled()) return widget;
  }
  return nullptr;
}
