#pragma once

// The words every printed page of a window starts with, the same on paper,
// in a PDF and in the print preview: the window's name with what it prints
// ("放样表  design.csv", "线路  jd.csv"), and the date with the page's
// number ("日期 2026-12-01    第 2 页，共 5 页"). Each window draws them in
// its own heading, beside what only it prints there.

#include <QString>
#include <cstddef>

struct PrintedHeading {
  QString window;     // 放样表, 线路
  QString shown;      // the file or the title of what is printed
  QString date;       // printed as given
  std::size_t page;   // from 1
  std::size_t pages;  // in all
};

// "放样表  design.csv"
QString TitleText(const PrintedHeading& heading);

// "日期 2026-12-01    第 2 页，共 5 页"
QString PageLineText(const PrintedHeading& heading);
