#include "ui/common/file_path.h"

#include <dirent.h>
#include <sys/stat.h>

#include <QFile>
#include <QFileInfo>
#include <memory>

#include "reader/text/line_converter.h"

namespace {

std::string LastPart(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string FolderPart(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

}  // namespace

QString ShownFileName(const std::string& path) {
  return QString::fromStdString(reading::FileNameText(LastPart(path)));
}

QString FolderOf(const std::string& path) {
  return QFileInfo(QFile::decodeName(QByteArray::fromStdString(FolderPart(path))))
      .absoluteFilePath();
}

QString ShownPath(const std::string& path) {
  return FolderOf(path) + QLatin1Char('/') + ShownFileName(path);
}

std::string ChosenFileBytes(const QString& chosen) {
  const std::string spelled = QFile::encodeName(chosen).toStdString();
  struct stat status {};
  if (stat(spelled.c_str(), &status) == 0) return spelled;
  const std::string wanted = QFileInfo(chosen).fileName().toStdString();
  const std::string folder = QFile::encodeName(QFileInfo(chosen).absolutePath()).toStdString();
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
}
