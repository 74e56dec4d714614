#pragma once

// The application object: it owns the QApplication, sets up the program's
// fonts, look, language and identity, and InitInstance runs the calculator
// modally. When the calculator ends, the program ends.

#include <QApplication>
#include <QTranslator>

class CCalcApp {
 public:
  // Qt reads its own options from the command line; the program takes none.
  CCalcApp(int& argc, char** argv);

  // Runs the calculator until the user leaves it; always returns false, so
  // the caller ends the process instead of running a loop of its own.
  bool InitInstance();

 private:
  QApplication m_app;
  QTranslator m_qtChinese;  // Qt's own texts: the message box's button, the edit menu
};
