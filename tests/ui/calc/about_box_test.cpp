// The about box as a user meets it: opened from the calculator's "关于"
// button or its window menu, looked at, and closed with a press or a key.
// The box runs modally, so each test acts on it from inside its loop.

#include "ui/calc/about_box.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDesktopServices>
#include <QLabel>
#include <QMouseEvent>
#include <QTest>
#include <QTimer>
#include <QUrl>
#include <QWindow>
#include <algorithm>
#include <functional>
#include <string>

#include "controls/styled_label.h"
#include "look.h"
#include "res/resource.h"
#include "ui/calc/calc_dialog.h"
#include "ui/calc/dialog_template.h"

namespace {

constexpr QRgb kRed = 0xFFFF0000;
constexpr QRgb kBlue = 0xFF0000FF;
constexpr QRgb kBlack = 0xFF000000;

// Receives what the desktop would be asked to open.
class UrlCatcher : public QObject {
  Q_OBJECT
 public:
  QList<QUrl> urls;
 public slots:
  void open(const QUrl& url) { urls << url; }
};

// What one opening of the box showed: each label's text and face, a line each.
using Content = std::string;

class AboutBoxTest : public testing::Test {
 protected:
  void SetUp() override {
    calc.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&calc));
    QDesktopServices::setUrlHandler("mailto", &catcher, "open");
  }
  void TearDown() override { QDesktopServices::unsetUrlHandler("mailto"); }

  // Opens the box with `open` and runs `inside` while it shows. A box still
  // open afterwards is closed here, so that `open` returns in every case.
  void withBox(const std::function<void()>& open, const std::function<void(CAboutBox&)>& inside) {
    bool seen = false;
    QTimer::singleShot(0, &calc, [&] {
      CAboutBox* box = openBox();
      if (!box) return;
      seen = true;
      if (QTest::qWaitForWindowExposed(box)) inside(*box);
      if (box->isVisible()) box->reject();
    });
    open();
    EXPECT_TRUE(seen) << "the about box did not open";
    EXPECT_EQ(openBox(), nullptr);
  }
  void withBox(const std::function<void(CAboutBox&)>& inside) {
    withBox([this] { QTest::mouseClick(dialogItem(calc, IDC_ABOUT), Qt::LeftButton); }, inside);
  }

  static CAboutBox* openBox() {
    for (QWidget* window : QApplication::topLevelWidgets())
      if (auto* box = dynamic_cast<CAboutBox*>(window); box && box->isVisible()) return box;
    return nullptr;
  }

  static CStyledLabel& label(CAboutBox& box, int id) {
    return *dynamic_cast<CStyledLabel*>(dialogItem(box, id));
  }

  // The id-less static whose text starts so, or the icon for an empty prefix.
  static QLabel& plainStatic(CAboutBox& box, const QString& prefix) {
    for (QLabel* child : box.findChildren<QLabel*>())
      if (child->property("dialogItemId") == IDC_STATIC &&
          (prefix.isEmpty() ? !child->pixmap().isNull() : child->text().startsWith(prefix)))
        return *child;
    ADD_FAILURE() << "no static showing " << prefix.toStdString();
    return *box.findChild<QLabel*>();
  }

  // A user's press of that button at that point of the box; true when the
  // box then closed by cancelling. The release lands on whatever window is
  // under the pointer by then.
  bool pressCloses(CAboutBox& box, Qt::MouseButton button, const QPoint& point) {
    QTest::mousePress(box.windowHandle(), button, {}, point);
    const bool closed = !box.isVisible() && box.result() == QDialog::Rejected;
    if (closed)
      QTest::mouseRelease(calc.windowHandle(), button, {},
                          calc.mapFromGlobal(box.mapToGlobal(point)));
    else
      QTest::mouseRelease(box.windowHandle(), button, {}, point);
    return closed;
  }

  static QPoint centreOf(const QWidget& widget) { return widget.geometry().center(); }
  static QPoint background(const CAboutBox& box) { return {4, box.height() - 4}; }

  static Qt::CursorShape cursorAt(CAboutBox& box, const QPoint& point, QPoint* hotSpot = nullptr) {
    QTest::mouseMove(box.windowHandle(), background(box));
    QTest::mouseMove(box.windowHandle(), point);
    if (hotSpot) *hotSpot = box.windowHandle()->cursor().hotSpot();
    return box.windowHandle()->cursor().shape();
  }

  Content content(CAboutBox& box) {
    QStringList seen;
    for (QLabel* child : box.findChildren<QLabel*>()) {
      look::shown(*child);
      seen << child->text() + " | " + child->font().toString();
    }
    return seen.join('\n').toStdString();
  }

  QRgb face() const { return calc.palette().color(QPalette::Button).rgb(); }

  CCalcDialog calc;
  UrlCatcher catcher;
};

// --- Opening -----------------------------------------------------------

TEST_F(AboutBoxTest, OpensModalOverTheCalculatorCentredAndWithoutTitleBar) {
  withBox([&](CAboutBox& box) {
    EXPECT_EQ(QApplication::activeModalWidget(), &box);
    EXPECT_EQ(box.parentWidget(), &calc);
    EXPECT_TRUE(box.windowFlags() & Qt::FramelessWindowHint);
    const QPoint offCentre = box.frameGeometry().center() - calc.frameGeometry().center();
    EXPECT_LE(offCentre.manhattanLength(), 1);
  });
}

TEST_F(AboutBoxTest, ShowsIconNameVersionDescriptionPromptCopyrightAndLink) {
  withBox([&](CAboutBox& box) {
    EXPECT_EQ(label(box, IDC_VERSION).text(), "Corvane 1.001 版");
    EXPECT_EQ(label(box, IDC_DESCRIPTION).text(),
              "    本软件由Terrin开发，是工程测量放样是常用的程序之一，我将其电算化了。"
              "希望能给你的工作带来方便！");
    EXPECT_EQ(plainStatic(box, "有不足").text(), "有不足和好的建议，请联系我:");
    EXPECT_FALSE(label(box, IDC_COPYRIGHT).text().isEmpty());
    EXPECT_TRUE(label(box, IDC_LINK).text().startsWith("mailto:"));
    EXPECT_FALSE(plainStatic(box, "").pixmap().isNull());
    EXPECT_EQ(box.focusWidget(), nullptr);  // nothing in the box takes the focus
  });
}

TEST_F(AboutBoxTest, DescriptionShowsAllItsLines) {
  withBox([&](CAboutBox& box) {
    CStyledLabel& description = label(box, IDC_DESCRIPTION);
    look::shown(description);
    const QRect needed = QFontMetrics(description.font())
                             .boundingRect(QRect(0, 0, description.width(), 1000), Qt::TextWordWrap,
                                           description.text());
    EXPECT_LE(needed.height(), description.height());
    EXPECT_LT(description.geometry().bottom(), label(box, IDC_LINK).geometry().top());
  });
}

TEST_F(AboutBoxTest, OpensFromTheWindowMenuEntry) {
  QAction* entry = calc.windowMenu().actions().at(2);  // below close and the separator
  bool opened = false;
  withBox([&] { entry->trigger(); }, [&](CAboutBox&) { opened = true; });
  EXPECT_TRUE(opened);
}

TEST_F(AboutBoxTest, SecondOpeningShowsTheSameAndFlashesFromTheButtonFaceAgain) {
  Content first, second;
  QRgb secondStart = 0;
  withBox([&](CAboutBox& box) {
    first = content(box);
    CStyledLabel& copyright = label(box, IDC_COPYRIGHT);
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return look::background(look::shown(copyright)) == kBlack; }));
  });
  withBox([&](CAboutBox& box) {
    secondStart = look::background(look::shown(label(box, IDC_COPYRIGHT)));
    second = content(box);
  });
  EXPECT_EQ(secondStart, face());
  EXPECT_EQ(first, second);
  EXPECT_EQ(std::count(first.begin(), first.end(), '\n'), 5);  // six labels
}

// --- The look ----------------------------------------------------------

TEST_F(AboutBoxTest, VersionIsRedArialSixteen) {
  withBox([&](CAboutBox& box) {
    CStyledLabel& version = label(box, IDC_VERSION);
    const QImage image = look::shown(version);
    EXPECT_EQ(look::family(version), "Liberation Sans");
    EXPECT_EQ(version.font().pixelSize(), 16);
    EXPECT_EQ(version.font().weight(), QGuiApplication::font().weight());
    EXPECT_GT(look::inkOf(image, kRed), 0);
    EXPECT_EQ(look::background(image), face());
  });
}

TEST_F(AboutBoxTest, DescriptionIsClericalScriptFifteenInWindowText) {
  withBox([&](CAboutBox& box) {
    CStyledLabel& description = label(box, IDC_DESCRIPTION);
    const QImage image = look::shown(description);
    EXPECT_EQ(look::family(description), "AR PL UKai CN");
    EXPECT_EQ(description.font().pixelSize(), 15);
    EXPECT_GT(look::inkOf(image, box.palette().color(QPalette::WindowText).rgb()), 0);
    EXPECT_EQ(look::background(image), face());
  });
}

TEST_F(AboutBoxTest, CopyrightIsRedBoldAndFlashesButtonFaceThenBlack) {
  withBox([&](CAboutBox& box) {
    CStyledLabel& copyright = label(box, IDC_COPYRIGHT);
    const QImage first = look::shown(copyright);
    EXPECT_EQ(look::family(copyright), QFontInfo(QGuiApplication::font()).family());
    EXPECT_EQ(copyright.font().weight(), QFont::Bold);
    EXPECT_GT(look::inkOf(first, kRed), 0);
    EXPECT_EQ(look::background(first), face());
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return look::background(look::shown(copyright)) == kBlack; }));
    EXPECT_GT(look::inkOf(look::shown(copyright), kRed), 0);
    EXPECT_TRUE(
        QTest::qWaitFor([&] { return look::background(look::shown(copyright)) == face(); }));
  });
}

TEST_F(AboutBoxTest, LinkIsBlueAndUnderlined) {
  withBox([&](CAboutBox& box) {
    CStyledLabel& link = label(box, IDC_LINK);
    const QImage image = look::shown(link);
    EXPECT_TRUE(link.font().underline());
    EXPECT_GT(look::inkOf(image, kBlue), 0);
    EXPECT_EQ(look::background(image), face());
  });
}

TEST_F(AboutBoxTest, HandCursorOverTheLinkOnly) {
  withBox([&](CAboutBox& box) {
    QPoint hotSpot;
    EXPECT_EQ(cursorAt(box, centreOf(label(box, IDC_LINK)), &hotSpot), Qt::BitmapCursor);
    EXPECT_EQ(hotSpot, QPoint(5, 0));
    for (int id : {IDC_VERSION, IDC_DESCRIPTION, IDC_COPYRIGHT})
      EXPECT_EQ(cursorAt(box, centreOf(label(box, id))), Qt::ArrowCursor) << id;
    EXPECT_EQ(cursorAt(box, centreOf(plainStatic(box, "有不足"))), Qt::ArrowCursor);
  });
}

// --- Closing -----------------------------------------------------------

TEST_F(AboutBoxTest, LeftOrRightPressAnywhereButTheLinkClosesIt) {
  using Where = std::function<QPoint(CAboutBox&)>;
  const QList<std::pair<const char*, Where>> places = {
      {"background", [](CAboutBox& box) { return background(box); }},
      {"icon", [](CAboutBox& box) { return centreOf(plainStatic(box, "")); }},
      {"version", [](CAboutBox& box) { return centreOf(label(box, IDC_VERSION)); }},
      {"description", [](CAboutBox& box) { return centreOf(label(box, IDC_DESCRIPTION)); }},
      {"prompt", [](CAboutBox& box) { return centreOf(plainStatic(box, "有不足")); }},
      {"copyright", [](CAboutBox& box) { return centreOf(label(box, IDC_COPYRIGHT)); }},
  };
  for (const auto& [name, where] : places)
    for (Qt::MouseButton button : {Qt::LeftButton, Qt::RightButton})
      withBox([&](CAboutBox& box) {
        EXPECT_TRUE(pressCloses(box, button, where(box))) << name << " " << int(button);
      });
  EXPECT_TRUE(catcher.urls.isEmpty());
  EXPECT_TRUE(calc.isVisible());
}

TEST_F(AboutBoxTest, ThePressIsHandledBeforeTheBoxCloses) {
  withBox([&](CAboutBox& box) {
    const QPointF where = background(box);
    QMouseEvent press(QEvent::MouseButtonPress, where, box.mapToGlobal(where), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&box, &press);
    EXPECT_TRUE(box.isVisible());
    QCoreApplication::processEvents();
    EXPECT_FALSE(box.isVisible());
  });
}

TEST_F(AboutBoxTest, LeftPressOnTheLinkOpensItsTextAndTheBoxStays) {
  QString linkText;
  withBox([&](CAboutBox& box) {
    linkText = label(box, IDC_LINK).text();
    EXPECT_FALSE(pressCloses(box, Qt::LeftButton, centreOf(label(box, IDC_LINK))));
    EXPECT_TRUE(box.isVisible());
  });
  ASSERT_EQ(catcher.urls.size(), 1);
  EXPECT_EQ(catcher.urls.front(), QUrl(linkText));
}

TEST_F(AboutBoxTest, RightPressOnTheLinkDoesNothing) {
  withBox([&](CAboutBox& box) {
    EXPECT_FALSE(pressCloses(box, Qt::RightButton, centreOf(label(box, IDC_LINK))));
    EXPECT_TRUE(box.isVisible());
  });
  EXPECT_TRUE(catcher.urls.isEmpty());
}

TEST_F(AboutBoxTest, EscapeAndEnterCloseIt) {
  for (Qt::Key key : {Qt::Key_Escape, Qt::Key_Return, Qt::Key_Enter})
    withBox([&](CAboutBox& box) {
      QTest::keyClick(box.windowHandle(), key);
      EXPECT_FALSE(box.isVisible()) << key;
      EXPECT_EQ(box.result(), key == Qt::Key_Escape ? QDialog::Rejected : QDialog::Accepted);
    });
  EXPECT_TRUE(calc.isVisible());
}

}  // namespace

#include "about_box_test.moc"
