#pragma once

// What the 放样表 reads a sheet from, apart from the station panel's
// fields: the design file (or a caller's points), its columns, and the
// control file with its own. Each file's layout (file_layout.h) is kept
// whole, its columns as the layout box takes them ("name,code,y,x,h"; ""
// for none). Made from a sheet request (the command line's), and made into
// one with the panel's fields.

#include <QString>
#include <memory>
#include <string>
#include <vector>

#include "reader/sheet/sheet_request.h"
#include "ui/sheet/file_layout.h"

class CStationPanel;

struct SheetSource {
  // Paths are the file system's bytes: a name that is no UTF-8 (a GBK name
  // from a Windows archive) opens all the same (file_path.h).
  std::string path;  // the design file; empty for a caller's points
  QString title;     // the name of a caller's points
  std::shared_ptr<const std::vector<reading::DesignPoint>> points;
  FileLayout layout;         // the design file's: its roles, encoding and lines skipped
  std::string controlPath;   // empty: names are looked up among the design points
  FileLayout controlLayout;  // the control file's; its columns "": the design file's

  bool operator==(const SheetSource&) const = default;

  // The source of `request`'s design file and control file.
  static SheetSource Of(const reading::SheetRequest& request);
  // A caller's points under `title`, read as the columns name,code,x,y,h.
  static SheetSource OfPoints(const QString& title, std::vector<reading::DesignPoint> points);

  // Whether there is anything to read.
  bool empty() const { return path.empty() && !points; }

  // The setout request of this source with the panel's station setup and
  // decimals; the setup is left out where a field is wrong, and `problem`
  // says which, in Chinese.
  reading::SheetRequest request(const CStationPanel& panel, QString& problem) const;
};
