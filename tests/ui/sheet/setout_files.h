#pragma once

// A design file as office software exports it (a comment, a header, a quoted
// name with a comma, an empty code and height, a Chinese name, a point on the
// station and a typo) and a control file with the station A1 and the
// backsight A2, written to a temporary folder for one test; and what the
// windows remember kept in that folder too, so that no test sees another's.

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QString>
#include <QTemporaryDir>

#include "reader/sheet/sheet_request.h"

struct SetoutFiles {
  QTemporaryDir folder;
  QString design = folder.filePath(QStringLiteral("design.csv"));
  QString control = folder.filePath(QStringLiteral("ctl.dat"));

  SetoutFiles() {
    for (QSettings::Format format : {QSettings::NativeFormat, QSettings::IniFormat})
      QSettings::setPath(format, QSettings::UserScope, folder.filePath(QStringLiteral("settings")));
    write(design,
          "# design points, exported 2026-12-01\n"
          "Name,Code,East,North,Height\n"
          "K1,,500012.345,3350108.210,21.300\n"
          "K2,kerb,500087.900,3350064.112,21.150\n"
          "\"K3, gate\",,500100.000,3350000.000,20.980\n"
          "K4,,499950.500,3349920.250,\n"
          "S7,,500000.000,3350000.000,20.500\n"
          "K5,,500030.5O,3350040.000,20.100\n"
          "桩6,路缘,500010.000,3349990.000,20.000\n");
    write(control,
          "A1,,500000.000,3350000.000,20.000\n"
          "A2,,500020.000,3350150.000,20.000\n");
  }

  static void write(const QString& path, const char* text) {
    QFile file(path);
    if (file.open(QIODevice::WriteOnly)) file.write(text);
  }

  // The columns name,code,y,x,h.
  static std::vector<reading::Column> columns() {
    using Role = reading::Column::Role;
    return {{Role::kName, 0},
            {Role::kCode, 0},
            {Role::kNumber, 1},
            {Role::kNumber, 0},
            {Role::kHeight, 0}};
  }

  // The settings of corvane-calc setout --columns name,code,y,x,h --control
  // ctl.dat --station-point A1 --backsight-point A2 --decimals 3
  // --azimuth-decimals 4.
  reading::SheetRequest request() const {
    reading::SheetRequest request;
    request.setup =
        reading::StationAndBacksight{reading::PointName{"A1"}, reading::PointName{"A2"}};
    request.columns = columns();
    request.known = reading::ControlFile{control.toStdString(), std::nullopt};
    request.decimals = 3;
    request.azimuthDecimals = 4;
    request.design = reading::DesignFile{design.toStdString()};
    return request;
  }

  // The design file read without a column list, from a typed station with
  // north as the backsight.
  reading::SheetRequest requestWithoutColumns() const {
    reading::SheetRequest request = this->request();
    request.columns.clear();
    request.known = reading::DesignNames();
    request.setup =
        reading::StationAndBacksight{reading::Point{3350000, 500000}, reading::PackedAzimuth{0}};
    return request;
  }
};
