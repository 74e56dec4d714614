#pragma once

// The textbook's JD table, a profile for it and JD1's curve as an element
// table, written to a temporary folder for one test; and what the windows
// remember kept in that folder too, so that no test sees another's.

#include <QFile>
#include <QSettings>
#include <QString>
#include <QTemporaryDir>

#include "reader/road/road_design.h"

struct RoadFiles {
  QTemporaryDir folder;
  QString jd = folder.filePath(QStringLiteral("jd.csv"));
  QString profile = folder.filePath(QStringLiteral("profile.csv"));
  QString elements = folder.filePath(QStringLiteral("elements.csv"));

  RoadFiles() {
    for (QSettings::Format format : {QSettings::NativeFormat, QSettings::IniFormat})
      QSettings::setPath(format, QSettings::UserScope, folder.filePath(QStringLiteral("settings")));
    write(jd,
          "PSta,437.58,168.79\n"
          "JD1,608.22,314.43,110,55\n"
          "JD2,801.97,163.79,91,43\n"
          "JD3,967.29,311.92,85,35\n"
          "JD4,850.67,523.55,350,0\n"
          "PEnd,852.11,723.55\n");
    write(profile,
          "CHAINAGE,HEIGHT,R\n"
          "K0+000,100.00\n"
          "K0+400,108.00,3000\n"
          "K0+800,102.00,5000\n"
          "K1+100,103.00\n");
    write(elements,
          "PSta,437.58,168.79,40.2849859491,K0+000\n"
          ",106.340288,,\n"
          ",55,0,-110\n"
          ",95.412498,-110,-110\n"
          ",55,-110,0\n"
          ",100,,\n");
  }

  static void write(const QString& path, const char* text) {
    QFile file(path);
    if (file.open(QIODevice::WriteOnly)) file.write(text);
  }

  // The JD table with the profile.
  reading::RoadRequest request() const {
    reading::RoadRequest request;
    request.path = jd.toStdString();
    request.profile = profile.toStdString();
    return request;
  }
};
