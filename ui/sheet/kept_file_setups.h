#pragma once

// What the 放样表 keeps of each design file it shows, so that the file opens
// again as it was left: from 文件 > 最近文件, and when the window opens on
// the file it showed last. One record a file, keyed by the file's absolute
// path, for the kKeptSetups files shown last (the 文件 menu lists the first
// kRecentShown); a file's record goes when it falls off that list. The
// record is in the window's settings (setout_conf.h), its ticks in a
// file of their own beside them, as a sheet may tick a million points.
//
// Adding a field: a member here with its default, and one line with its
// key in VisitFields (kept_file_setups.cpp). A member of a type not kept yet
// needs its pair of conversions there too (Stored and Restore). A record
// written before a field existed gives that field its default.

#include <QString>
#include <QStringList>
#include <QVariant>
#include <optional>
#include <string>
#include <vector>

#include "reader/sheet/sheet_request.h"
#include "ui/sheet/file_layout.h"
#include "ui/sheet/sheet_ticks.h"

inline constexpr int kRecentShown = 8;
inline constexpr int kKeptSetups = 32;

struct SheetSetup {
  FileLayout layout;         // the design file's, whole (file_layout.h)
  QString controlPath;       // "" without a control file
  FileLayout controlLayout;  // the control file's; its columns "" for the design file's
  // The station and backsight rows last given that read; none where none
  // did.
  std::optional<reading::StationAndBacksight> setup;
  // 设站方式 and a setup on sightings (its sightings, standard errors and
  // limits), as kept_station_setup.h keeps them; none: the station and backsight.
  QVariant stationSetup;
  // The sight's heights as typed (测站高程, 仪器高, 目标高) and 两差改正.
  QString stationHeight;
  QString instrumentHeight;
  QString targetHeight;
  bool earthCorrection = false;
  QString angleFormat;                  // "packed" or "dms" (reading::AngleFormatName)
  int angleDecimals = 4;                // of azimuths and angles
  int distanceDecimals = 3;             // of lengths
  bool designShown = false;             // the columns 设计X and 设计Y
  std::vector<SheetTicks::Tick> ticks;  // in line order

  bool operator==(const SheetSetup&) const = default;

  // The record kept for the file at `path`; none where there is none.
  static std::optional<SheetSetup> Recall(const QString& path);

  // Keeps this as the record of the file at `path`, which becomes the most
  // recent file. False where the ticks could not be written (the rest is
  // kept all the same).
  bool Keep(const QString& path) const;
};

// The key the setup of the file at `path` is kept under: its absolute path
// as the window shows it (ShownPath, file_path.h).
QString KeptPath(const std::string& path);

// The ticks kept for the file at `path`, none where none are.
std::vector<SheetTicks::Tick> KeptTicks(const std::string& path);

// The files that have a record, the most recent first; at most `count`.
QStringList RecentFiles(int count = kRecentShown);
