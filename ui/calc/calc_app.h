#pragma once

// The application object: it owns the QApplication, sets up the program's
// fonts, look, language and identity, and InitInstance runs the calculator
// modally, then the windows opened from it until the last has closed;
// ExitInstance then ends the program.

#include <QApplication>
#include <QTranslator>

class CCalcApp {
 public:
  // Qt reads its own options from the command line; the program's own
  // (--setout and its options) are read by main.
  CCalcApp(int& argc, char** argv);

  // Runs the calculator until the user leaves it, then the windows opened
  // from it (the 放样表) until the last of them is closed too; always returns
  // false, so the caller ends the process instead of running a loop of its
  // own.
  bool InitInstance();

  // Ends the program once its window has closed with exit status `status`,
  // which it returns.
  // What the windows write as they close is written first: the events still
  // queued are delivered, among them those that write changed settings to
  // disk (QSettings) and those that destroy windows closed with deleteLater.
  // On Wayland the process then ends here and the call does not return:
  // closing Qt 6.4's Wayland connection can hang for good (its event thread
  // stays in wl_display_read_events while the main thread waits for it), and
  // a terminal would never get its prompt back.
  int ExitInstance(int status = 0);

 private:
  QApplication m_app;
  QTranslator m_qtChinese;  // Qt's own texts: the message box's button, the edit menu
};
