#pragma once

// A file's path as the window keeps it: its bytes, as the file system has
// them (a name from a Windows zip archive is GBK, which Qt would turn into
// replacement characters and never find again), and its name as the window
// shows it.

#include <QString>
#include <string>

// The name the window shows for `path` (its last part), in UTF-8 where it
// is, else read as GB18030 (reading::FileNameText).
QString ShownFileName(const std::string& path);

// The folder of `path`, for Qt's file dialogs (which name it in UTF-8).
QString FolderOf(const std::string& path);

// The bytes of a file Qt's open dialog gave as `chosen`. Qt reads a folder's
// names as UTF-8, and a name that is none (GBK) comes with replacement
// characters, no path of any file: such a name is looked up in its folder
// among the names that Qt shows the same, and the one file that is so gives
// its bytes. Any other path as Qt spells it.
std::string ChosenFileBytes(const QString& chosen);
