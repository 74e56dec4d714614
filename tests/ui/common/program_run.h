#pragma once

// Runs one of the built programs as a user does (QProcess), optionally
// without any display, and reads the PDFs they write back with poppler's
// tools: their text with its runs of white space made one blank, and
// whether every face is embedded.

#include <gtest/gtest.h>

#include <QProcess>
#include <QRegularExpression>
#include <QString>
#include <QStringList>

struct Finished {
  int status;
  QString out;
};

inline Finished run(const QString& program, const QStringList& arguments,
                    bool withoutDisplay = false) {
  QProcess process;
  if (withoutDisplay) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
      environment.remove(QString::fromLatin1(name));
    process.setProcessEnvironment(environment);
  }
  process.start(program, arguments);
  process.waitForFinished(60000);
  return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput())};
}

inline QString collapsed(QString text) {
  return text.replace(QRegularExpression(QStringLiteral("\\s+")), QStringLiteral(" "));
}

// The text of the PDF at `pdf`, collapsed; with `layout` its lines as they
// stand on the page, a table's row whole.
inline QString PdfText(const QString& pdf, bool layout = false) {
  QStringList arguments = {pdf, QStringLiteral("-")};
  if (layout) arguments.prepend(QStringLiteral("-layout"));
  return collapsed(run(QStringLiteral("pdftotext"), arguments).out);
}

// Every face of the PDF at `pdf` is embedded.
inline void ExpectEmbeddedFaces(const QString& pdf) {
  const Finished fonts = run(QStringLiteral("pdffonts"), {pdf});
  ASSERT_EQ(fonts.status, 0);
  const QStringList rows = fonts.out.split('\n', Qt::SkipEmptyParts).mid(2);  // past the heading
  ASSERT_FALSE(rows.isEmpty());
  for (const QString& row : rows) {
    const QStringList columns = row.split(' ', Qt::SkipEmptyParts);
    ASSERT_GE(columns.size(), 5);
    EXPECT_EQ(columns[columns.size() - 5], "yes") << "not embedded: " << row.toStdString();
  }
}
