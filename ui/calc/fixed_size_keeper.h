#pragma once

// Keeps a window of fixed size at that size when something maximizes it.
//
// Where the compositor leaves the title bar to the program (GNOME, Weston),
// Qt 6.4 draws one itself, and it offers maximize even on a window of fixed
// size. The compositor then hands the window the screen's size, and a window
// that stays smaller in the maximized state breaks the Wayland protocol:
// Weston ends the connection, and the program with it. So when a maximize is
// asked for, the keeper lets the window take the size it is given, asks for
// the normal state back as soon as the maximized one arrives, and fixes the
// size again once the window is back at it.
//
// Promised: when the maximized state arrives, whatever asked for it (the
// title bar, the window manager, a program call), the window ends at its
// fixed size, in the normal state, and can be resized no more than before.
// Not promised: that the larger size never shows (it shows for a frame or
// two), nor that the limits come back when a maximize asked for never
// arrives; the compositors that leave the title bar to Qt give it.

#include <QObject>
#include <QSize>
#include <QWidget>

class CFixedSizeKeeper : public QObject {
  Q_OBJECT

 public:
  // Watches `window`, a top-level widget not yet shown whose minimum and
  // maximum sizes are one fixed size, until the keeper is destroyed.
  explicit CFixedSizeKeeper(QWidget& window);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void onWindowStateChanged(Qt::WindowState state);
  void askForNormalState();
  void fixSizeWhenBack();

  QWidget& m_window;
  const QSize m_size;
  bool m_awaitingMaximized = false;  // asked for, limits lifted, not yet given
};
