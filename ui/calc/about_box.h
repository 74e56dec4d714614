#pragma once

// The about box, template IDD_ABOUT: the application icon, name and version,
// the author's description, a copyright line whose background flashes and a
// mail link. It has no title bar and no buttons: a press of either mouse
// button anywhere but on the link closes it, and so do Escape and Enter.

#include <QDialog>

#include "controls/styled_label.h"

class QKeyEvent;
class QMouseEvent;
class QPaintEvent;

class CAboutBox : public QDialog {
 public:
  // The box opens modal over `parent` and centred on it.
  explicit CAboutBox(QWidget* parent = nullptr);
  ~CAboutBox() override;

  // The box initialises itself (OnInitDialog) each time it is about to show.
  void setVisible(bool visible) override;

 protected:
  virtual bool OnInitDialog();
  void OnLButtonDown();
  void OnRButtonDown();

  void mousePressEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  void postClose();
  void centreOnParent();
  void letDescriptionReachThePromptRow();

  // The template places these; presses on them reach the box, except on the link.
  CStyledLabel m_lblCopyright;    // control 1003
  CStyledLabel m_lblDescription;  // control 1001
  CStyledLabel m_lblVersion;      // control 1002
  CStyledLabel m_lblLink;         // control 1000
};
