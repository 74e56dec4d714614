#include "ui/calc/calc_dialog.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QRadioButton>
#include <QScreen>
#include <QShortcut>
#include <string>
#include <string_view>

#include "core/field_text.h"
#include "core/survey.h"
#include "res/dialog_templates.h"
#include "res/resource.h"
#include "res/resources.h"
#include "res/ui_font.h"
#include "ui/calc/about_box.h"
#include "ui/control/open_control.h"
#include "ui/road/open_road.h"
#include "ui/road/road_window.h"
#include "ui/sheet/open_sheet.h"
#include "ui/sheet/setout_window.h"
#include "ui/transform/open_transform.h"
#include "ui/transform/transform_window.h"

namespace {

// The window menu's close command, as the platform numbers it.
constexpr unsigned kScClose = 0xF060;

const res::DialogTemplate& calcTemplate() { return *res::FindDialogTemplate(IDD_CALC); }

// The keys that ask for the menu of what has the focus. Window managers
// keep Alt+Space for their own window menu.
bool isContextMenuKey(const QKeyEvent& event) {
  const Qt::KeyboardModifiers modifiers = event.modifiers() & ~Qt::KeypadModifier;
  return (event.key() == Qt::Key_Menu && modifiers == Qt::NoModifier) ||
         (event.key() == Qt::Key_F10 && modifiers == Qt::ShiftModifier);
}

}  // namespace

CCalcDialog::CCalcDialog(QWidget* parent)
    : QDialog(parent), m_hIcon(res::LoadIconResource(IDI_APP)), m_sysMenu(this) {
  // The member controls take the places of their template controls.
  realiseTemplate(*this, calcTemplate(),
                  {{IDC_ABOUT, &m_btnAbout},
                   {IDCANCEL, &m_btnExit},
                   {IDOK, &m_btnCompute},
                   {IDC_TITLE, &m_lblTitle}});
  m_sysMenu.addAction(QStringLiteral("关闭(&C)"))->setData(kScClose);
  connectCommands();
}

CCalcDialog::~CCalcDialog() = default;

void CCalcDialog::connectCommands() {
  connect(item<QAbstractButton>(IDC_MODE_FORWARD), &QAbstractButton::clicked, this,
          &CCalcDialog::OnModeForward);
  connect(item<QAbstractButton>(IDC_MODE_INVERSE), &QAbstractButton::clicked, this,
          &CCalcDialog::OnModeInverse);
  connect(&m_btnCompute, &QAbstractButton::clicked, this, &CCalcDialog::accept);
  connect(&m_btnExit, &QAbstractButton::clicked, this, &CCalcDialog::reject);
  connect(&m_btnAbout, &QAbstractButton::clicked, this, &CCalcDialog::OnAboutButton);
  connect(&m_sysMenu, &QMenu::triggered, this,
          [this](QAction* action) { OnSysCommand(action->data().toUInt()); });
  auto* altSpace = new QShortcut(QKeySequence(Qt::ALT | Qt::Key_Space), this);
  connect(altSpace, &QShortcut::activated, this,
          [this] { showWindowMenu(mapToGlobal(QPoint(0, 0))); });
}

void CCalcDialog::setVisible(bool visible) {
  if (!visible || m_initialised) {
    QDialog::setVisible(visible);
    return;
  }
  m_initialised = true;
  const bool giveFocus = OnInitDialog();
  centreOnScreen();
  QDialog::setVisible(true);
  if (!giveFocus) return;
  if (QWidget* first = firstTabStop(*this, calcTemplate())) first->setFocus();
}

// The template gives no position, so the dialog opens in the middle of its
// screen, frame included where the platform knows it before the window
// shows. Qt's own placement would guess a title-bar height and open higher.
void CCalcDialog::centreOnScreen() {
  create();
  QRect frame = frameGeometry();
  frame.moveCenter(screen()->availableGeometry().center());
  move(frame.topLeft());
}

bool CCalcDialog::OnInitDialog() {
  // 1. The controls and member bindings already stand (constructor).
  // 2. The about entry of the window menu.
  appendAboutEntry();
  appendSetoutEntry();
  // 3. The application icon, for the title bar and the task bar alike.
  setWindowIcon(m_hIcon);
  // 4. The heading's look, then the compute, exit and about buttons'.
  styleHeading();
  styleButton(m_btnCompute, IDI_COMPUTE);
  styleButton(m_btnExit, IDI_EXIT);
  styleButton(m_btnAbout, IDI_ABOUT);
  // 5. Forward mode; captions and enabled states stay as the template has them.
  item<QAbstractButton>(IDC_MODE_FORWARD)->setChecked(true);
  item<QAbstractButton>(IDC_MODE_INVERSE)->setChecked(false);
  letKeyboardReachTheMode();
  return true;  // the first tab stop, the compute button, takes the focus
}

// The template gives the mode buttons no tab stop, which would leave
// 坐标反算 out of the keyboard's reach. The checked one takes the focus
// after "关于", the template's last tab stop, so the rest of the Tab order
// stays as the template has it; the arrow keys then switch the mode.
void CCalcDialog::letKeyboardReachTheMode() {
  auto* forward = item<QAbstractButton>(IDC_MODE_FORWARD);
  auto* inverse = item<QAbstractButton>(IDC_MODE_INVERSE);
  QWidget::setTabOrder(&m_btnAbout, forward);
  QWidget::setTabOrder(forward, inverse);
  for (QAbstractButton* mode : {forward, inverse}) {
    const auto takeTabWhenChecked = [mode](bool checked) {
      mode->setFocusPolicy(checked ? Qt::StrongFocus : Qt::ClickFocus);
    };
    takeTabWhenChecked(mode->isChecked());
    connect(mode, &QAbstractButton::toggled, mode, takeTabWhenChecked);
  }
}

// The entry appears only when the string table has its text.
void CCalcDialog::appendAboutEntry() {
  const QString text = aboutMenuText();
  if (text.isEmpty()) return;
  m_sysMenu.addSeparator();
  m_sysMenu.addAction(text)->setData(IDM_ABOUT);
}

// Below the about entry, in its group, with the road window's, the coordinate
// transformation window's and the 导线/水准 window's after it.
void CCalcDialog::appendSetoutEntry() {
  m_sysMenu.addAction(res::LoadStringResource(IDS_SETOUT_MENU))->setData(IDM_SETOUT);
  m_sysMenu.addAction(res::LoadStringResource(IDS_ROAD_MENU))->setData(IDM_ROAD);
  m_sysMenu.addAction(res::LoadStringResource(IDS_TRANSFORM_MENU))->setData(IDM_TRANSFORM);
  m_sysMenu.addAction(res::LoadStringResource(IDS_CONTROL_MENU))->setData(IDM_CONTROL);
}

QString CCalcDialog::aboutMenuText() const { return res::LoadStringResource(IDS_ABOUT_MENU); }

// A red, underlined, italic heading in "Arial", drawn as the form's text is.
void CCalcDialog::styleHeading() {
  m_lblTitle.SetFontRendering(res::RenderedFont)
      .SetFaceName(QStringLiteral("Arial"))
      .SetCharHeight(16)
      .SetForeColor(0x000000FF)
      .SetUnderline(true)
      .SetItalic(true);
}

// The template already put the button in its place (constructor); here it
// gets its icon, a magenta caption while lit, a black one otherwise, and the
// pointing hand.
void CCalcDialog::styleButton(CIconButton& button, unsigned iconId) {
  button.LoadIcons(iconId, 0, 32, 32);
  button.SetHotTextColor(0x00FF00FF, false);
  button.SetIdleTextColor(0x00000000, false);
  button.LoadHoverCursor(IDCUR_HAND);
}

void CCalcDialog::OnSysCommand(unsigned id) {
  // Everything but the about command gets the default processing, of which
  // the calculator's window menu has only close.
  const unsigned command = id & 0xFFF0;
  if (command == IDM_ABOUT)
    openAboutBox();
  else if (command == IDM_SETOUT)
    openSetoutWindow();
  else if (command == IDM_ROAD)
    openRoadWindow();
  else if (command == IDM_TRANSFORM)
    openTransformWindow();
  else if (command == IDM_CONTROL)
    openControlWindow();
  else if (command == kScClose)
    close();
}

void CCalcDialog::OnAboutButton() { openAboutBox(); }

// A new box each time, modal over the calculator, gone when it closes.
void CCalcDialog::openAboutBox() {
  CAboutBox box(this);
  box.exec();
}

// One setting-out window beside the calculator: the modal form does not
// block it, and it stays open when the form closes (program_windows.h).
void CCalcDialog::openSetoutWindow() {
  if (!m_setout) m_setout = OpenSetoutWindow(this);
  m_setout->raise();
  m_setout->activateWindow();
}

// One road window beside the calculator, as the setting-out window.
void CCalcDialog::openRoadWindow() {
  if (!m_road) m_road = OpenRoadWindow(this);
  m_road->raise();
  m_road->activateWindow();
}

// One coordinate transformation window beside the calculator, as the others.
void CCalcDialog::openTransformWindow() {
  if (!m_transform) m_transform = OpenTransformWindow(this);
  m_transform->raise();
  m_transform->activateWindow();
}

// One 导线/水准 window beside the calculator, as the setting-out window.
void CCalcDialog::openControlWindow() {
  if (!m_control) m_control = OpenControlWindow(this);
  m_control->raise();
  m_control->activateWindow();
}

// The pointer opens the window menu where it points; the keyboard opens it
// where Alt+Space does.
void CCalcDialog::contextMenuEvent(QContextMenuEvent* event) {
  showWindowMenu(event->reason() == QContextMenuEvent::Mouse ? event->globalPos()
                                                             : mapToGlobal(QPoint(0, 0)));
}

void CCalcDialog::keyPressEvent(QKeyEvent* event) {
  // A menu already open takes the keys; this one would be a second menu.
  if (isContextMenuKey(*event) && !QApplication::activePopupWidget()) {
    requestContextMenuByKey();
    return;
  }
  QDialog::keyPressEvent(event);
}

// Where the platform does not turn the key into a menu request itself, the
// dialog does, as the platform would: the focused control gets it first, so
// an edit field opens its edit menu, and what has no menu of its own passes
// it on to the dialog, which opens the window menu.
void CCalcDialog::requestContextMenuByKey() {
  QWidget* target = focusWidget() ? focusWidget() : this;
  const QPoint pos = target->inputMethodQuery(Qt::ImCursorRectangle).toRect().center();
  QContextMenuEvent request(QContextMenuEvent::Keyboard, pos, target->mapToGlobal(pos));
  QCoreApplication::sendEvent(target, &request);
}

void CCalcDialog::showWindowMenu(const QPoint& globalPos) { m_sysMenu.popup(globalPos); }

void CCalcDialog::OnModeForward() {
  showMode(QStringLiteral("结果X"), QStringLiteral("结果Y"), QStringLiteral("已知方位角"),
           QStringLiteral("已知距离"), false);
}

void CCalcDialog::OnModeInverse() {
  showMode(QStringLiteral("终点X"), QStringLiteral("终点Y"), QStringLiteral("反算方位角"),
           QStringLiteral("反算距离"), true);
}

// The captions of the four role-changing fields, and which of them take
// input: the end point in inverse mode, azimuth and distance in forward mode.
void CCalcDialog::showMode(const QString& captionX, const QString& captionY,
                           const QString& captionAzimuth, const QString& captionDistance,
                           bool inverse) {
  item<QLabel>(IDC_CAPTION_X)->setText(captionX);
  item<QLabel>(IDC_CAPTION_Y)->setText(captionY);
  item<QLabel>(IDC_CAPTION_AZIMUTH)->setText(captionAzimuth);
  item<QLabel>(IDC_CAPTION_DISTANCE)->setText(captionDistance);
  enableItem(IDC_RESULT_X, inverse);
  enableItem(IDC_RESULT_Y, inverse);
  enableItem(IDC_AZIMUTH, !inverse);
  enableItem(IDC_DISTANCE, !inverse);
}

void CCalcDialog::accept() { OnOK(); }

void CCalcDialog::OnOK() {
  const double x0 = readField(IDC_START_X);
  const double y0 = readField(IDC_START_Y);
  switch (checkedRadioButton(IDC_MODE_FORWARD, IDC_MODE_INVERSE)) {
    case IDC_MODE_FORWARD:
      computeForward(x0, y0);
      break;
    case IDC_MODE_INVERSE:
      computeInverse(x0, y0);
      break;
    default:
      break;
  }
}

// The id of the first checked radio button of the range, or 0.
int CCalcDialog::checkedRadioButton(int first, int last) const {
  for (int id = first; id <= last; ++id) {
    const auto* radio = item<QAbstractButton>(id);
    if (radio && radio->isChecked()) return id;
  }
  return 0;
}

void CCalcDialog::computeForward(double x0, double y0) {
  const double azimuth = readField(IDC_AZIMUTH);
  const double distance = readField(IDC_DISTANCE);
  const survey::ForwardResult end = survey::ComputeForward(x0, y0, azimuth, distance);
  writeResult(IDC_RESULT_X, end.x);
  writeResult(IDC_RESULT_Y, end.y);
  enableItem(IDC_RESULT_X, true);
  enableItem(IDC_RESULT_Y, true);
}

void CCalcDialog::computeInverse(double x0, double y0) {
  const double x1 = readField(IDC_RESULT_X);
  const double y1 = readField(IDC_RESULT_Y);
  const survey::InverseResult result = survey::ComputeInverse(x0, y0, x1, y1);
  if (result.identicalPoints) {
    warnIdenticalPoints();
    return;
  }
  writeResult(IDC_AZIMUTH, result.azimuth);
  writeResult(IDC_DISTANCE, result.distance);
  enableItem(IDC_AZIMUTH, true);
  enableItem(IDC_DISTANCE, true);
}

void CCalcDialog::warnIdenticalPoints() {
  QMessageBox box(QMessageBox::NoIcon, QStringLiteral(" 注 意！"),
                  QStringLiteral("你 输 入 的  两 个 点 坐 标 值 是 相 同 的！"), QMessageBox::Ok,
                  this);
  box.setTextFormat(Qt::PlainText);
  box.exec();
}

// A field takes part with its first 35 characters, read after its full-width
// forms are folded, so that a full-width digit counts as one character like
// its ASCII twin. Characters outside Latin-1 become "?", which never forms
// part of a number.
double CCalcDialog::readField(int id) {
  showFolded(item<QLineEdit>(id));
  const QByteArray text = item<QLineEdit>(id)->text().left(survey::kFieldChars).toLatin1();
  return survey::ParseField(std::string_view(text.constData(), text.size()));
}

// Digits, points, signs and blanks that a Chinese input method typed in
// full width are replaced by their ASCII twins in the field itself, so the
// field shows the number that is computed. A field without them is left
// as it is, cursor and undo history included.
void CCalcDialog::showFolded(QLineEdit* field) {
  const std::string typed = field->text().toStdString();
  const std::string folded = survey::FoldNumberForms(typed);
  if (folded == typed) return;
  const int cursor = field->cursorPosition();  // each form folds to one character
  field->setText(QString::fromStdString(folded));
  field->setCursorPosition(cursor);
}

// A result replaces the field's whole text and shows from its first digit.
void CCalcDialog::writeResult(int id, double value) {
  auto* field = item<QLineEdit>(id);
  field->setText(QString::fromStdString(survey::FormatResult(value)));
  field->setCursorPosition(0);
}

void CCalcDialog::enableItem(int id, bool enable) { item<QWidget>(id)->setEnabled(enable); }
