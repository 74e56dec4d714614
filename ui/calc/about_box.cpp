#include "ui/calc/about_box.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

#include "controls/pixel_strip.h"
#include "res/dialog_templates.h"
#include "res/resource.h"
#include "res/resources.h"
#include "res/ui_font.h"
#include "ui/calc/dialog_template.h"

CAboutBox::CAboutBox(QWidget* parent) : QDialog(parent) {
  // The member labels take the places of their template controls.
  realiseTemplate(*this, *res::FindDialogTemplate(IDD_ABOUT),
                  {{IDC_COPYRIGHT, &m_lblCopyright},
                   {IDC_DESCRIPTION, &m_lblDescription},
                   {IDC_VERSION, &m_lblVersion},
                   {IDC_LINK, &m_lblLink}});
  for (CStyledLabel* label : {&m_lblCopyright, &m_lblDescription, &m_lblVersion, &m_lblLink})
    label->SetFontRendering(res::RenderedFont);
}

CAboutBox::~CAboutBox() = default;

void CAboutBox::setVisible(bool visible) {
  if (visible && !isVisible()) {
    OnInitDialog();  // the box has no control that takes the focus
    centreOnParent();
  }
  QDialog::setVisible(visible);
}

bool CAboutBox::OnInitDialog() {
  // 1. The labels already stand in their template places (constructor).
  // 2. The description in the clerical script.
  m_lblDescription.SetFaceName(QStringLiteral("隶书")).SetCharHeight(15);
  letDescriptionReachThePromptRow();
  // 3. The copyright line: red and bold, flashing between the button face and black.
  m_lblCopyright.SetForeColor(0x000000FF)
      .SetBold(true)
      .EnableBackFlash(true)
      .SetBackColor(0x00000000);
  // 4. The name and version in red.
  m_lblVersion.SetFaceName(QStringLiteral("Arial")).SetCharHeight(16).SetForeColor(0x000000FF);
  // 5. The pointing hand.
  const std::optional<QCursor> hand = res::LoadCursorResource(IDCUR_HAND);
  // 6. The mail link: takes its own presses, blue, underlined, the hand over it.
  m_lblLink.EnableLink(true).SetForeColor(0x00FF0000).SetUnderline(true).SetHoverCursor(hand);
  return true;
}

// The box was laid out for a clerical face whose lines are exactly as high
// as its characters; the faces that stand in for it here set their lines a
// little further apart, and the third line of the description would be cut.
// The description may use the empty strip above the prompt and link row.
void CAboutBox::letDescriptionReachThePromptRow() {
  QRect area = m_lblDescription.geometry();
  area.setBottom(std::max(area.bottom(), m_lblLink.geometry().top() - 1));
  m_lblDescription.setGeometry(area);
}

// The template gives no position: the box opens in the middle of its owner.
void CAboutBox::centreOnParent() {
  const QWidget* owner = parentWidget();
  if (!owner) return;
  QRect frame = frameGeometry();
  frame.moveCenter(owner->frameGeometry().center());
  move(frame.topLeft());
}

void CAboutBox::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) OnLButtonDown();
  if (event->button() == Qt::RightButton) OnRButtonDown();
}

void CAboutBox::OnLButtonDown() { postClose(); }

void CAboutBox::OnRButtonDown() { postClose(); }

// The close arrives after the press is handled, as a close request of the
// window would; closing a dialog cancels it.
void CAboutBox::postClose() {
  QMetaObject::invokeMethod(this, &QWidget::close, Qt::QueuedConnection);
}

// Without a focusable control and without a default button, Enter is the
// dialog's own OK command and ends it like Escape (cancel) does.
void CAboutBox::keyPressEvent(QKeyEvent* event) {
  if (event->modifiers() == Qt::NoModifier || event->modifiers() == Qt::KeypadModifier) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
      accept();
      return;
    }
  }
  QDialog::keyPressEvent(event);
}

// The dialog frame: without a title bar the box still stands out from the
// window below it by a raised edge, a logical pixel to a line at any scale.
void CAboutBox::paintEvent(QPaintEvent* event) {
  QDialog::paintEvent(event);
  QPainter painter(this);
  controls::fillWinPanel(painter, rect(), palette(), false);
}
