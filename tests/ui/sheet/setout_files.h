#pragma once

// A design file as office software exports it (a comment, a header, a quoted
// name with a comma, an empty code and height, a Chinese name, a point on the
// station and a typo) and a control file with the station A1 and the
// backsight A2, written to a temporary folder for one test.

#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include "ui/sheet/sheet_request.h"

struct SetoutFiles {
  QTemporaryDir folder;
  QString design = folder.filePath(QStringLiteral("design.csv"));
  QString control = folder.filePath(QStringLiteral("ctl.dat"));

  SetoutFiles() {
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

  // The settings of corvane-calc setout --columns name,code,y,x,h --control
  // ctl.dat --station-point A1 --backsight-point A2 --decimals 3
  // --azimuth-decimals 4.
  SheetRequest request() const {
    SheetRequest request;
    request.path = design;
    request.columns = QStringLiteral("name,code,y,x,h");
    request.controlPath = control;
    request.station = {PointChoice::Kind::kName, QStringLiteral("A1"), {}, {}, {}};
    request.backsight = {PointChoice::Kind::kName, QStringLiteral("A2"), {}, {}, {}};
    request.angleDecimals = 4;
    request.distanceDecimals = 3;
    return request;
  }

  // The design file read without a column list, from a typed station with
  // north as the backsight.
  SheetRequest requestWithoutColumns() const {
    SheetRequest request = this->request();
    request.columns.clear();
    request.controlPath.clear();
    request.station = {PointChoice::Kind::kCoordinates, {}, "3350000", "500000", {}};
    request.backsight = {PointChoice::Kind::kAzimuth, {}, {}, {}, "0"};
    return request;
  }
};
