// The 放样表 on files as Chinese offices have them: a CASS .dat file in GBK,
// named in GBK (from a Windows zip archive), opened from the command line
// and from the open dialog, its names in the table, the window's title and
// the PDF; and the layout box's 编码 and 跳过行数, read again as they change
// and remembered with the layout.

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QSettings>
#include <QSpinBox>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <cstdlib>
#include <fstream>

#include "tests/ui/sheet/setout_files.h"
#include "ui/common/file_path.h"
#include "ui/sheet/column_layout_dialog.h"
#include "ui/sheet/file_layout.h"
#include "ui/sheet/open_sheet.h"
#include "ui/sheet/setout_window.h"
#include "ui/sheet/sheet_model.h"

namespace {

// 设计.dat, its name in GBK.
const std::string kGbkName = "\xc9\xe8\xbc\xc6.dat";

// A CASS file in GBK: 控制点1 (the station), 控制点2 (the backsight) and K1,
// coded 中线.
const std::string kGbkDesign =
    "\xbf\xd8\xd6\xc6\xb5\xe3\x31,,500000.000,3350000.000,20.000\r\n"
    "\xbf\xd8\xd6\xc6\xb5\xe3\x32,,500020.000,3350150.000,\r\n"
    "K1,\xd6\xd0\xcf\xdf,500012.345,3350108.210,21.300\r\n";

// A file of `bytes` in `folder`, named by the bytes of `name`; removed again
// when it goes (Qt, which lists no name that is not UTF-8, cannot).
struct BytesFile {
  std::string path;
  BytesFile(const QTemporaryDir& folder, const std::string& name, const std::string& bytes)
      : path(QFile::encodeName(folder.path()).toStdString() + "/" + name) {
    std::ofstream(path, std::ios::binary) << bytes;
  }
  ~BytesFile() { unlink(path.c_str()); }
};

reading::SheetRequest GbkRequest(const std::string& path) {
  reading::SheetRequest request;
  request.setup =
      reading::StationAndBacksight{reading::PointName{"控制点1"}, reading::PointName{"控制点2"}};
  request.columns = SetoutFiles::columns();
  request.known = reading::DesignNames();
  request.decimals = 3;
  request.azimuthDecimals = 4;
  request.design = reading::DesignFile{path};
  return request;
}

QStringList column(const CSheetModel& model, int column) {
  QStringList texts;
  for (int row = 0; row < model.rowCount(); ++row)
    texts << model.index(row, column).data().toString();
  return texts;
}

// Qt lists no file whose name is not UTF-8: typed in the open dialog as it
// reads, the name finds its file, and the window shows its Chinese names.
TEST(SetoutGbk, AFileNamedInGbkIsFoundByItsNameAndShowsItsChineseNames) {
  SetoutFiles files;
  const BytesFile file(files.folder, kGbkName, kGbkDesign);
  EXPECT_EQ(QDir(files.folder.path()).entryList({"*.dat"}), QStringList({"ctl.dat"}));
  const std::string path = ChosenFileBytes(files.folder.filePath(QStringLiteral("设计.dat")));
  EXPECT_EQ(path, file.path);
  EXPECT_EQ(ChosenFileBytes(files.design), files.design.toStdString());
  CSetoutWindow* window = OpenSetoutWindow();
  window->load(GbkRequest(path));
  ASSERT_TRUE(QTest::qWaitFor([&] { return window->sheet() != nullptr; }));
  EXPECT_EQ(window->windowTitle(), "放样表 - 设计.dat");
  EXPECT_EQ(column(window->model(), CSheetModel::kName), QStringList({"控制点1", "控制点2", "K1"}));
  EXPECT_EQ(column(window->model(), CSheetModel::kCode), QStringList({"", "", "中线"}));
  EXPECT_EQ(window->model().index(2, CSheetModel::kAngle).data().toString(), "358.5449");
  window->close();
}

// `corvane --setout` takes the file's name as the shell gives its bytes.
TEST(SetoutGbk, ACommandLineNamesTheFileByItsBytesAndThePdfShowsItsNames) {
  SetoutFiles files;
  const BytesFile file(files.folder, kGbkName, kGbkDesign);
  const std::string pdf = files.folder.filePath(QStringLiteral("sheet.pdf")).toStdString();
  const std::string command = std::string(CORVANE_PROGRAM) + " --setout '" + file.path +
                              "' --columns name,code,y,x,h --station-point 控制点1 "
                              "--backsight-point 控制点2 --pdf '" +
                              pdf + "'";
  EXPECT_EQ(WEXITSTATUS(std::system(command.c_str())), 1);  // 控制点1 is on the station
  QProcess text;
  text.start(QStringLiteral("pdftotext"), {"-layout", QString::fromStdString(pdf), "-"});
  ASSERT_TRUE(text.waitForFinished(60000));
  const QString page = QString::fromUtf8(text.readAllStandardOutput());
  for (const char* shown : {"设计.dat", "控制点1", "控制点2", "中线", "358.5449"})
    EXPECT_TRUE(page.contains(QString::fromUtf8(shown))) << shown;
}

// 编码 and 跳过行数 read the preview again; 自动 names the encoding found.
TEST(ColumnLayout, TheEncodingAndTheLinesSkippedReadThePreviewAgain) {
  SetoutFiles files;
  // 中文 and 北京 in Big5, under a title line.
  const BytesFile file(files.folder, "big5.csv",
                       "Title\n\xa4\xa4\xa4\xe5,,1,2,\n\xa5\x5f\xa8\xca,,3,4,\n");
  const std::string path = file.path;
  const auto read = [path](const reading::InputReading& input) {
    return ReadPreviewRows(path, 12, input);
  };
  CColumnLayoutDialog dialog(read({}), QStringLiteral("name,code,y,x,h"), PointColumnsProblem,
                             nullptr, read, {});
  auto* table = dialog.findChild<QTableWidget*>();
  auto* skip = dialog.findChild<QSpinBox*>();
  QComboBox* encodings = nullptr;
  for (QComboBox* box : dialog.findChildren<QComboBox*>())
    if (box->itemText(0).startsWith(QStringLiteral("自动"))) encodings = box;
  ASSERT_TRUE(encodings && table && skip);
  EXPECT_EQ(encodings->itemText(0), "自动（GB18030）");
  encodings->setCurrentIndex(encodings->findText(QStringLiteral("Big5")));
  emit encodings->activated(encodings->currentIndex());
  EXPECT_EQ(table->item(1, 0)->text(), "中文");
  EXPECT_EQ(table->item(2, 0)->text(), "北京");
  skip->setValue(1);
  EXPECT_EQ(table->rowCount(), 2);
  EXPECT_EQ(table->item(0, 0)->text(), "中文");
  EXPECT_EQ(dialog.input().encoding, reading::TextEncoding::kBig5);
  EXPECT_EQ(dialog.input().skipLines, 1u);
}

// 列格式 changes the file's encoding: the sheet is read again so. The
// choice is the file's: the next file opened (打开) starts from the column
// list under 自动, its GBK found from what it holds, never read as Big5.
TEST(SetoutGbk, TheEncodingChosenIsReadAndRememberedWithTheLayout) {
  SetoutFiles files;
  const BytesFile file(files.folder, "big5.dat",
                       "A1,,500000,3350000,\nA2,,500020,3350150,\n"
                       "\xa4\xa4\xa4\xe5,,500012.345,3350108.210,\n");
  const std::string& path = file.path;
  reading::SheetRequest request = GbkRequest(path);
  request.setup = reading::StationAndBacksight{reading::PointName{"A1"}, reading::PointName{"A2"}};
  CSetoutWindow* window = OpenSetoutWindow();
  window->load(request);
  ASSERT_TRUE(QTest::qWaitFor([&] { return window->sheet() != nullptr; }));
  QAction* columns = nullptr;
  for (QAction* action : window->findChildren<QAction*>())
    if (action->text() == QStringLiteral("列格式(&L)...")) columns = action;
  ASSERT_TRUE(columns);
  // Answers the layout box once it is up: a loaded machine may run a first
  // timer before the box is the modal one, and an unanswered box never ends.
  QTimer pick;
  QObject::connect(&pick, &QTimer::timeout, [&pick] {
    auto* dialog = qobject_cast<CColumnLayoutDialog*>(QApplication::activeModalWidget());
    if (dialog == nullptr) return;
    pick.stop();
    for (QComboBox* box : dialog->findChildren<QComboBox*>()) {
      if (!box->itemText(0).startsWith(QStringLiteral("自动"))) continue;
      box->setCurrentIndex(box->findText(QStringLiteral("Big5")));
      emit box->activated(box->currentIndex());
    }
    dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
  });
  pick.start(10);
  const auto before = window->sheet();
  columns->trigger();
  ASSERT_TRUE(QTest::qWaitFor([&] { return window->sheet() != before; }));
  EXPECT_EQ(window->model().index(2, CSheetModel::kName).data().toString(), "中文");
  const BytesFile gbk(files.folder, "cass.dat",
                      "A1,,500000,3350000,\r\nA2,,500020,3350150,\r\n"
                      "\xbf\xd8\xd6\xc6\xb5\xe3\x31,\xd6\xd0\xcf\xdf,500012.345,3350108.210,\r\n");
  QString automatic;
  QTimer answer;  // the open dialog, then the layout box on the file picked
  QObject::connect(&answer, &QTimer::timeout, [&] {
    if (auto* chooser = qobject_cast<QFileDialog*>(QApplication::activeModalWidget())) {
      // The name is typed into the chooser's name box: selectFile leaves a
      // box that has the focus as it is, and the chooser then answers with
      // the folder. Ended as accepted, not through accept(), which may look
      // the name up in a folder list still being read.
      const QString name = QString::fromStdString(gbk.path);
      chooser->selectFile(name);
      if (auto* box = chooser->findChild<QLineEdit*>(QStringLiteral("fileNameEdit")))
        box->setText(name);
      QMetaObject::invokeMethod(chooser, "done", Q_ARG(int, QDialog::Accepted));
    } else if (auto* box = qobject_cast<CColumnLayoutDialog*>(QApplication::activeModalWidget())) {
      for (QComboBox* list : box->findChildren<QComboBox*>())
        if (list->currentText().startsWith(QStringLiteral("自动"))) automatic = list->currentText();
      answer.stop();
      box->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
    }
  });
  answer.start(10);
  const auto big5 = window->sheet();
  for (QAction* action : window->findChildren<QAction*>())
    if (action->text() == QStringLiteral("打开(&O)...")) action->trigger();
  ASSERT_TRUE(QTest::qWaitFor([&] { return window->sheet() && window->sheet() != big5; }));
  EXPECT_EQ(automatic, "自动（GB18030）");
  EXPECT_EQ(column(window->model(), CSheetModel::kName), QStringList({"A1", "A2", "控制点1"}));
  const FileLayout kept = LayoutOf(QSettings(QStringLiteral("Corvane"), QStringLiteral("setout"))
                                       .value(QStringLiteral("layout")),
                                   {});
  EXPECT_EQ(kept.columns, "name,code,y,x,h");
  EXPECT_FALSE(kept.input.encoding.has_value());
  window->close();
}

// A layout kept in the settings file reads back whole; what is missing or
// unknown there (an encoding of a later version, a count that is no
// number) is the fallback's, and 自动 stays 自动.
TEST(FileLayoutKept, ReadsBackWholeAndFallsBackPartByPart) {
  SetoutFiles files;
  const QString path = files.folder.filePath(QStringLiteral("kept.ini"));
  {
    QSettings settings(path, QSettings::IniFormat);
    settings.setValue("gbk", LayoutValue({"name,x,y", {reading::TextEncoding::kGb18030, 3}}));
    settings.setValue("auto", LayoutValue({"name,y,x,h", {}}));
    settings.setValue("odd", QVariantMap{{"encoding", "EBCDIC"}, {"skipLines", "many"}});
    settings.setValue("old", QStringLiteral("name,code,y,x,h"));
  }
  const QSettings settings(path, QSettings::IniFormat);
  const FileLayout fallback{"x,y", {reading::TextEncoding::kBig5, 2}};
  const FileLayout gbk = LayoutOf(settings.value("gbk"), fallback);
  EXPECT_EQ(gbk.columns, "name,x,y");
  EXPECT_EQ(gbk.input.encoding, reading::TextEncoding::kGb18030);
  EXPECT_EQ(gbk.input.skipLines, 3u);
  const FileLayout automatic = LayoutOf(settings.value("auto"), fallback);
  EXPECT_EQ(automatic.columns, "name,y,x,h");
  EXPECT_FALSE(automatic.input.encoding.has_value());
  EXPECT_EQ(automatic.input.skipLines, 0u);
  for (const char* key : {"odd", "old", "missing"}) {
    const FileLayout read = LayoutOf(settings.value(key), fallback);
    EXPECT_EQ(read.columns, "x,y") << key;
    EXPECT_EQ(read.input.encoding, reading::TextEncoding::kBig5) << key;
    EXPECT_EQ(read.input.skipLines, 2u) << key;
  }
}

}  // namespace
