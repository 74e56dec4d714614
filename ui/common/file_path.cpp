#include "ui/common/file_path.h"

#include <QFile>
#include <QFileInfo>
#include <memory>

#include "reader/text/file_open.h"
#include "reader/text/line_converter.h"

#ifndef _WIN32
#include <dirent.h>
#endif

namespace {

// Where a path's parts part: Windows takes "\\" as well as "/".
#ifdef _WIN32
constexpr const char* kSlashes = "/\\";
#else
constexpr const char* kSlashes = "/";
#endif

std::string LastPart(const std::string& path) {
  const std::size_t slash = path.find_last_of(kSlashes);
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string FolderPart(const std::string& path) {
  const std::size_t slash = path.find_last_of(kSlashes);
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

}  // namespace

std::string PathBytes(const QString& path) {
#ifdef _WIN32
  return path.toStdString();
#else
  return QFile::encodeName(path).toStdString();
#endif
}

QString PathFromBytes(const std::string& path) {
#ifdef _WIN32
  return QString::fromStdString(path);
#else
  return QFile::decodeName(QByteArray::fromStdString(path));
#endif
}

QString ShownFileName(const std::string& path) {
  return QString::fromStdString(reading::FileNameText(LastPart(path)));
}

QString FolderOf(const std::string& path) {
  return QFileInfo(PathFromBytes(FolderPart(path))).absoluteFilePath();
}

QString ShownPath(const std::string& path) {
  return FolderOf(path) + QLatin1Char('/') + ShownFileName(path);
}

std::string ChosenFileBytes(const QString& chosen) {
  const std::string spelled = PathBytes(chosen);
#ifdef _WIN32
  return spelled;
#else
  if (reading::FactsOf(spelled).exists) return spelled;
  const std::string wanted = QFileInfo(chosen).fileName().toStdString();
  const std::string folder = PathBytes(QFileInfo(chosen).absolutePath());
  const std::unique_ptr<DIR, int (*)(DIR*)> listing(opendir(folder.c_str()), closedir);
  if (!listing) return spelled;
  std::string found;
  int matches = 0;
  while (const dirent* entry = readdir(listing.get())) {
    if (reading::FileNameText(entry->d_name) != wanted) continue;
    found = folder + '/' + entry->d_name;
    ++matches;
  }
  return matches == 1 ? found : spelled;
#endif
}
