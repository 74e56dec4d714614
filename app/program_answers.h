#pragma once

// What corvane answers without opening a window: --help (-h) and
// --version, on standard output in Chinese and English, before the
// application object is made, so that they need no display.

#include <string>

// The help text: how the program is called, in Chinese and English.
std::string ProgramHelpText();

// Where the arguments ask for the help or the version (wherever they stand
// before a "--"), writes it to standard output and sets `status` (0, or 2
// where it cannot be written); false where they ask for neither.
bool AnswerWithoutWindow(int argc, char** argv, int& status);
