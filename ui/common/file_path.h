#pragma once

// A file's path as the window keeps it: its bytes, as the file system has
// them (a name from a Windows zip archive is GBK, which Qt would turn into
// replacement characters and never find again), and its name as the window
// shows it.

#include <QString>
#include <string>

// The bytes the reader opens a file by (reader/text/file_open.h) for a path
// as Qt spells it: on Linux the file system's own (QFile::encodeName), on
// Windows UTF-8, since Qt's would be the ANSI code page's, which loses every
// character outside it (工程 under a Western one).
std::string PathBytes(const QString& path);

// A path's bytes (as PathBytes gives them) as Qt spells the path.
QString PathFromBytes(const std::string& path);

// The name the window shows for `path` (its last part), in UTF-8 where it
// is, else read as GB18030 (reading::FileNameText).
QString ShownFileName(const std::string& path);

// The folder of `path`, for Qt's file dialogs (which name it in UTF-8).
QString FolderOf(const std::string& path);

// The whole of `path` as the window shows and keeps it (最近文件, a file's
// kept setup): absolute, its last part as ShownFileName gives it, so that
// ChosenFileBytes finds the file again from it, a GBK name too.
QString ShownPath(const std::string& path);

// The bytes of a file chosen in Qt's open dialog as `chosen`. Qt lists no
// file whose name is not UTF-8 (it skips such names as it reads a folder),
// so a name in GBK (from a Windows zip archive) is typed as it reads
// (设计.dat), which is no file's name: it is looked up in its folder among
// the names read as GB18030, and the one file that is so gives its bytes.
// Any other path as Qt spells it. On Windows, where every name is UTF-16,
// the path as Qt spells it.
std::string ChosenFileBytes(const QString& chosen);
