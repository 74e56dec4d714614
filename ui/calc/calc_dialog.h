#pragma once

// The calculator form, template IDD_CALC: forward mode (start point, azimuth
// and distance give the end point) and inverse mode (two points give azimuth
// and distance), chosen by two radio buttons; Enter or "计算" computes.

#include <QDialog>
#include <QIcon>
#include <QMenu>
#include <QPointer>
#include <QString>

#include "controls/icon_button.h"
#include "controls/styled_label.h"
#include "ui/calc/dialog_template.h"

class QContextMenuEvent;
class QKeyEvent;
class QLineEdit;

class CCalcDialog : public QDialog {
  Q_OBJECT

 public:
  explicit CCalcDialog(QWidget* parent = nullptr);
  ~CCalcDialog() override;

  // The dialog initialises itself (OnInitDialog) just before it first shows.
  void setVisible(bool visible) override;

  // The dialog's default command is the compute command, which never ends
  // the dialog. Escape, "退出" and the close box end it through reject().
  void accept() override;

  // The window menu: "关闭(&C)", opened with Alt+Space, a right-click on the
  // dialog's background, or the Menu key or Shift+F10 where the focus is not
  // in an edit field (there they open the field's own edit menu).
  QMenu& windowMenu() { return m_sysMenu; }

  // Window-menu commands arrive here; the low four bits of an id are the
  // platform's own and are masked off. The about command opens the about box,
  // the setting-out command the setting-out window, the road command the
  // road window, the control command the 导线/水准 window.
  void OnSysCommand(unsigned id);

 protected:
  virtual bool OnInitDialog();
  // The text of the window menu's about entry, from the string table; with
  // no text the entry and its separator are left out.
  virtual QString aboutMenuText() const;
  void OnAboutButton();
  void OnOK();
  void OnModeForward();
  void OnModeInverse();

  void contextMenuEvent(QContextMenuEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  template <class T>
  T* item(int id) const {
    return qobject_cast<T*>(dialogItem(*this, id));
  }

  void connectCommands();
  void centreOnScreen();
  void appendAboutEntry();
  void letKeyboardReachTheMode();
  void styleHeading();
  void styleButton(CIconButton& button, unsigned iconId);
  void openAboutBox();
  void appendSetoutEntry();
  void openSetoutWindow();
  void openRoadWindow();
  void openTransformWindow();
  void openControlWindow();
  void showWindowMenu(const QPoint& globalPos);
  void requestContextMenuByKey();
  void showMode(const QString& captionX, const QString& captionY, const QString& captionAzimuth,
                const QString& captionDistance, bool inverse);
  int checkedRadioButton(int first, int last) const;
  void computeForward(double x0, double y0);
  void computeInverse(double x0, double y0);
  void warnIdenticalPoints();
  double readField(int id);
  void showFolded(QLineEdit* field);
  void writeResult(int id, double value);
  void enableItem(int id, bool enable);

  // The template places these in the form; they live as long as the dialog.
  CIconButton m_btnAbout;    // control 1007
  CIconButton m_btnExit;     // control 2
  CIconButton m_btnCompute;  // control 1
  CStyledLabel m_lblTitle;   // control 1002, the heading
  QIcon m_hIcon;             // the application icon

  QMenu m_sysMenu;
  QPointer<QWidget> m_setout;  // built when first asked for, so the form starts as fast as ever
  QPointer<QWidget> m_road;
  QPointer<QWidget> m_transform;
  QPointer<QWidget> m_control;
  bool m_initialised = false;
};
