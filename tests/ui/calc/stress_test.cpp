// The calculator under a long run of random user actions: typing any text
// into the fields a user can reach, clearing them, switching modes,
// computing by the button and by Enter, opening and closing the about box
// from its button and from the window menu, hovering over and pressing the
// buttons, leaving the form and opening it again. After every compute the
// form shows what a reference worked out here, apart from the program, finds
// from the text of its fields: the fields read with the full-width forms
// folded, the results computed in long double from the documented rules,
// equal to the shown six decimals within a rounding of the display and the
// double's last bits. (The results to the bit are the core's own tests'.)
// The run repeats exactly for a seed: CORVANE_STRESS_SEED chooses it
// (decimal or 0x...), CORVANE_STRESS_ACTIONS the number of actions.

#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <deque>
#include <functional>
#include <iostream>
#include <string_view>

#include "random_input.h"
#include "res/resource.h"
#include "ui/calc/about_box.h"
#include "ui/calc/calc_dialog.h"
#include "ui/calc/dialog_template.h"

void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }

namespace {

constexpr std::uint64_t kDefaultSeed = 20240611;
constexpr int kDefaultActions = 10000;

std::uint64_t fromEnvironment(const char* name, std::uint64_t fallback) {
  bool ok = false;
  const qulonglong value = qEnvironmentVariable(name).toULongLong(&ok, 0);
  return ok ? value : fallback;
}

// The six fields in the order of Form's entries.
constexpr std::array<int, 6> kFields = {IDC_START_X,  IDC_START_Y,  IDC_AZIMUTH,
                                        IDC_DISTANCE, IDC_RESULT_X, IDC_RESULT_Y};
enum { kStartX, kStartY, kAzimuth, kDistance, kResultX, kResultY };
using Form = std::array<QString, 6>;

constexpr std::array<Qt::Key, 6> kEditKeys = {Qt::Key_Backspace, Qt::Key_Delete, Qt::Key_Left,
                                              Qt::Key_Right,     Qt::Key_Home,   Qt::Key_End};

// The characters a Chinese input method types for those of a number, as the
// form reads them: full-width digits, full stops, signs, exponent marks and
// the ideographic space.
QString folded(QString text) {
  static const std::array<std::pair<char16_t, char>, 18> kForms = {{
      {u'０', '0'},
      {u'１', '1'},
      {u'２', '2'},
      {u'３', '3'},
      {u'４', '4'},
      {u'５', '5'},
      {u'６', '6'},
      {u'７', '7'},
      {u'８', '8'},
      {u'９', '9'},
      {u'．', '.'},
      {u'。', '.'},
      {u'－', '-'},
      {u'−', '-'},
      {u'＋', '+'},
      {u'ｅ', 'e'},
      {u'Ｅ', 'E'},
      {u'\u3000', ' '},
  }};
  for (const auto& [form, ascii] : kForms) text.replace(QChar(form), QChar::fromLatin1(ascii));
  return text;
}

// The number a field's text stands for, as the README says the form reads
// it: its first 35 characters, folded; leading white space, a sign, digits
// with one point, an exponent after e, E, d or D; 0 where there is none.
double valueOf(const QString& text) {
  static const QRegularExpression kNumber(QStringLiteral(
      "^[ \\t\\n\\v\\f\\r]*([+-]?(?:[0-9]+\\.?[0-9]*|\\.[0-9]+)(?:[eEdD][+-]?[0-9]+)?)"));
  QString start = text.left(35);
  if (!start.isEmpty() && start.back().isHighSurrogate()) start.chop(1);  // half a character
  const QRegularExpressionMatch number = kNumber.match(folded(start));
  if (!number.hasMatch()) return 0.0;
  QString spelled = number.captured(1);
  spelled.replace(QLatin1Char('d'), QLatin1Char('e')).replace(QLatin1Char('D'), QLatin1Char('e'));
  return std::strtod(spelled.toLatin1().constData(), nullptr);
}

using Real = long double;
constexpr Real kProgramPi = 3.1415926L;  // the program's pi, as the README says

// Packed degrees-minutes-seconds as decimal degrees, by the form's floor
// arithmetic (README: -0.0001 reads as -1°01'01"): the floor of the degrees,
// the floor of the signed fraction's first two decimals as minutes, the
// signed fraction of the rest as seconds; a value within a hair of a whole
// minute reads as that minute.
Real unpacked(Real packed) {
  const Real scaled = packed * 100;
  if (std::fabs(scaled - std::round(scaled)) <= 1e-12L * std::max(Real(1), std::fabs(scaled))) {
    const Real whole = std::round(scaled);
    const Real quotient = std::trunc(whole / 100);
    const Real minutes = whole - quotient * 100;  // with the sign of `whole`
    return (minutes < 0 ? quotient - 1 : quotient) + minutes / 60;
  }
  return std::floor(packed) + std::floor(std::fmod(packed, Real(1)) * 100) / 60 +
         std::fmod(scaled, Real(1)) / 36;
}

// Whether the text "%f" wrote is the value, within half a unit of its last
// decimal and the last bits of doubles of the size of `scale` (the largest
// number the result comes from).
bool shows(const QString& text, Real value, Real scale) {
  if (!std::isfinite(value)) {
    return text == (std::isnan(value) ? QStringLiteral("nan")
                    : value > 0       ? QStringLiteral("inf")
                                      : QStringLiteral("-inf"));
  }
  bool ok = false;
  const Real shownValue = text.toDouble(&ok);
  return ok && std::fabs(shownValue - value) <= 6e-7L + std::fabs(scale) * 1e-13L;
}

// What a compute left behind.
struct Answer {
  bool warned = false;  // the identical-points warning showed and was closed
  QString title;        // its caption
};

class StressTest : public testing::Test {
 protected:
  void SetUp() override {
    std::cout << "stress seed " << seed << " (repeat: CORVANE_STRESS_SEED=" << seed << "), "
              << actions << " actions" << std::endl;
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
  }

  // --- what the form shows ------------------------------------------------

  QLineEdit* field(int id) const { return qobject_cast<QLineEdit*>(dialogItem(dialog, id)); }
  QWidget* item(int id) const { return dialogItem(dialog, id); }
  bool enabled(int id) const { return item(id)->isEnabled(); }
  Form form() const {
    Form texts;
    for (std::size_t i = 0; i < kFields.size(); ++i) texts[i] = field(kFields[i])->text();
    return texts;
  }
  QList<int> enabledFields() const {
    QList<int> ids;
    for (int id : kFields)
      if (enabled(id)) ids << id;
    return ids;
  }
  QPoint inDialog(QWidget* widget, const QPoint& point) const {
    return widget->mapTo(&dialog, point);
  }
  QPoint somewhereIn(const QWidget* widget) {
    return {input.number(1, widget->width() - 2), input.number(1, widget->height() - 2)};
  }
  QPoint somewhereIn(const QRect& area) {
    return {input.number(area.left(), area.right()), input.number(area.top(), area.bottom())};
  }
  // A radio button takes clicks on its circle and caption, not on the
  // blank rest of its place.
  static QRect clickArea(const QRadioButton& radio) {
    QStyleOptionButton option;
    option.initFrom(&radio);
    option.text = radio.text();
    return radio.style()->subElementRect(QStyle::SE_RadioButtonClickRect, &option, &radio) &
           radio.rect();
  }
  // A point of the form that no control covers.
  QPoint background() const {
    for (const QPoint point :
         {QPoint(2, dialog.height() - 3), QPoint(dialog.width() - 3, 2), QPoint(2, 2)})
      if (!dialog.childAt(point)) return point;
    ADD_FAILURE() << "no bare background on the form";
    return {0, 0};
  }

  void note(const QString& what) {
    recent.push_back(what.toStdString());
    if (recent.size() > 12) recent.pop_front();
  }

  // --- user input -----------------------------------------------------------

  // ASCII arrives as key presses, everything else as an input method's commit.
  void type(QLineEdit* edit, const QString& text) {
    for (qsizetype start = 0; start < text.size();) {
      const bool ascii = text.at(start).unicode() < 0x80;
      qsizetype end = start;
      while (end < text.size() && (text.at(end).unicode() < 0x80) == ascii) ++end;
      const QString run = text.mid(start, end - start);
      if (ascii) {
        QTest::keyClicks(edit, run);
      } else {
        QInputMethodEvent commit;
        commit.setCommitString(run);
        QApplication::sendEvent(edit, &commit);
      }
      start = end;
    }
  }

  void clickAt(QWidget* widget, const QPoint& point, Qt::MouseButton button = Qt::LeftButton) {
    QTest::mouseClick(dialog.windowHandle(), button, {}, inDialog(widget, point));
  }

  // Runs `act`; a modal box of type Box that shows meanwhile is handed to
  // `answer` once. True when one showed.
  template <class Box>
  bool whileActing(const std::function<void()>& act, const std::function<void(Box&)>& answer) {
    bool seen = false;
    QTimer watcher;
    watcher.setInterval(0);
    QObject::connect(&watcher, &QTimer::timeout, [&] {
      if (seen) return;
      for (QWidget* window : QApplication::topLevelWidgets()) {
        auto* box = dynamic_cast<Box*>(window);
        if (!box || !box->isVisible()) continue;
        seen = true;
        answer(*box);
        if (box->isVisible()) {
          ADD_FAILURE() << "the modal box stayed open";
          box->reject();
        }
        return;
      }
    });
    watcher.start();
    act();
    // The offscreen platform leaves no window active when a box closes; a
    // window manager hands the activation back to the form.
    if (seen) {
      dialog.activateWindow();
      EXPECT_TRUE(QTest::qWaitForWindowActive(&dialog));
    }
    return seen;
  }

  // --- actions --------------------------------------------------------------

  void typeIntoAField() {
    const int id = input.oneOf(enabledFields());
    QLineEdit* edit = field(id);
    clickAt(edit, somewhereIn(edit));
    const QString text = input.fieldText();
    const QString before = edit->text();
    switch (input.number(0, 2)) {
      case 0:
        note(QStringLiteral("replace %1 with \"%2\"").arg(id).arg(text));
        QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
        if (text.isEmpty()) QTest::keyClick(edit, Qt::Key_Backspace);
        type(edit, text);  // replaces the selection
        EXPECT_EQ(edit->text(), text);
        break;
      case 1:
        note(QStringLiteral("append \"%2\" to %1").arg(id).arg(text));
        QTest::keyClick(edit, Qt::Key_End);
        type(edit, text);
        EXPECT_EQ(edit->text(), before + text);
        break;
      default:
        note(QStringLiteral("edit %1, insert \"%2\"").arg(id).arg(text));
        for (int n = input.number(1, 5); n > 0; --n) QTest::keyClick(edit, input.oneOf(kEditKeys));
        type(edit, text);
        break;
    }
  }

  void clearAField() {
    const int id = input.oneOf(enabledFields());
    note(QStringLiteral("clear %1").arg(id));
    QLineEdit* edit = field(id);
    clickAt(edit, somewhereIn(edit));
    if (input.chance(0.5)) {
      QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
      QTest::keyClick(edit, Qt::Key_Backspace);
    } else {
      QTest::keyClick(edit, Qt::Key_Home);
      QTest::keyClick(edit, Qt::Key_End, Qt::ShiftModifier);
      QTest::keyClick(edit, Qt::Key_Delete);
    }
    EXPECT_TRUE(edit->text().isEmpty());
  }

  // The four role-changing fields take input as the mode says; the text stays.
  void switchMode() {
    const bool inverse = input.chance(0.5);
    note(inverse ? QStringLiteral("inverse mode") : QStringLiteral("forward mode"));
    const Form before = form();
    auto* radio = qobject_cast<QRadioButton*>(item(inverse ? IDC_MODE_INVERSE : IDC_MODE_FORWARD));
    clickAt(radio, somewhereIn(clickArea(*radio)));
    mode = inverse ? IDC_MODE_INVERSE : IDC_MODE_FORWARD;
    EXPECT_TRUE(qobject_cast<QAbstractButton*>(item(mode))->isChecked());
    EXPECT_EQ(enabled(IDC_RESULT_X), inverse);
    EXPECT_EQ(enabled(IDC_RESULT_Y), inverse);
    EXPECT_EQ(enabled(IDC_AZIMUTH), !inverse);
    EXPECT_EQ(enabled(IDC_DISTANCE), !inverse);
    EXPECT_EQ(form(), before);
  }

  void computeByButton() {
    QWidget* button = item(IDOK);
    if (input.chance(0.5)) {
      note(QStringLiteral("click 计算"));
      compute([&] { clickAt(button, somewhereIn(button)); });
    } else {
      note(QStringLiteral("space on 计算"));
      button->setFocus();
      compute([&] { QTest::keyClick(button, Qt::Key_Space); });
    }
  }

  void computeByEnter() {
    const int id = input.oneOf(enabledFields());
    QLineEdit* edit = field(id);
    clickAt(edit, somewhereIn(edit));
    const bool keypad = input.chance(0.3);
    note(QStringLiteral("%1 in %2").arg(keypad ? "keypad Enter" : "Return").arg(id));
    compute([&] {
      if (keypad)
        QTest::keyClick(edit, Qt::Key_Enter, Qt::KeypadModifier);
      else
        QTest::keyClick(edit, Qt::Key_Return);
    });
  }

  // Computes with `trigger` and checks the form against the core.
  void compute(const std::function<void()>& trigger) {
    const Form before = form();
    Answer answer;
    answer.warned = whileActing<QMessageBox>(trigger, [&](QMessageBox& box) {
      answer.title = box.windowTitle();
      answerWarning(box);
    });
    ++computes;
    expectComputed(before, answer);
  }

  void answerWarning(QMessageBox& box) {
    ++warnings;
    switch (input.number(0, 2)) {
      case 0:
        QTest::mouseClick(box.button(QMessageBox::Ok), Qt::LeftButton);
        break;
      case 1:
        QTest::keyClick(&box, Qt::Key_Return);
        break;
      default:
        QTest::keyClick(&box, Qt::Key_Escape);
        break;
    }
  }

  void expectComputed(const Form& before, const Answer& answer) {
    Form expected = before;
    const bool forward = mode == IDC_MODE_FORWARD;  // the four fields that are read
    for (int i : {kStartX, kStartY, forward ? kAzimuth : kResultX, forward ? kDistance : kResultY})
      expected[i] = folded(before[i]);
    const Form after = form();
    SCOPED_TRACE(testing::Message() << "read " << before[kStartX].toStdString() << " | "
                                    << before[kStartY].toStdString() << " | "
                                    << before[forward ? kAzimuth : kResultX].toStdString() << " | "
                                    << before[forward ? kDistance : kResultY].toStdString());
    const double x0 = valueOf(before[kStartX]);
    const double y0 = valueOf(before[kStartY]);
    if (forward) {
      const Real azimuth = valueOf(before[kAzimuth]);
      const Real distance = valueOf(before[kDistance]);
      // Beyond a billion degrees the angle's own last bits are whole turns.
      if (std::fabs(azimuth) < 1e9L) {
        const Real radians = unpacked(azimuth) * kProgramPi / 180;
        // A large angle's own last bits turn the direction too.
        const Real scale = std::max({Real(std::fabs(x0)), Real(std::fabs(y0)),
                                     std::fabs(distance) * (1 + std::fabs(azimuth) / 10)});
        EXPECT_TRUE(shows(after[kResultX], x0 + distance * std::cos(radians), scale))
            << after[kResultX].toStdString();
        EXPECT_TRUE(shows(after[kResultY], y0 + distance * std::sin(radians), scale))
            << after[kResultY].toStdString();
      }
      expected[kResultX] = after[kResultX];
      expected[kResultY] = after[kResultY];
      EXPECT_FALSE(answer.warned);
      EXPECT_TRUE(enabled(IDC_RESULT_X) && enabled(IDC_RESULT_Y));
    } else {
      const double dx = valueOf(before[kResultX]) - x0;
      const double dy = valueOf(before[kResultY]) - y0;
      const bool identical = dx == 0 && dy == 0;
      EXPECT_EQ(answer.warned, identical);
      if (answer.warned) {
        EXPECT_EQ(answer.title, QStringLiteral(" 注 意！"));
      }
      // Where the sum of squares overflows the form shows no number.
      if (!identical && std::isfinite(dx * dx + dy * dy)) {
        const Real degrees = std::atan2(Real(dy), Real(dx)) * 180 / kProgramPi;
        const Real turned = std::fmod(
            std::fabs(unpacked(std::strtold(after[kAzimuth].toLatin1().constData(), nullptr)) -
                      degrees),
            Real(360));
        // Six decimals of packed seconds: 0.005" is 1.4e-6 degrees.
        EXPECT_LE(std::min(turned, 360 - turned), 2e-6L) << after[kAzimuth].toStdString();
        const Real distance = std::hypot(Real(dx), Real(dy));
        EXPECT_TRUE(shows(after[kDistance], distance, distance)) << after[kDistance].toStdString();
      }
      if (!identical) {
        expected[kAzimuth] = after[kAzimuth];
        expected[kDistance] = after[kDistance];
        EXPECT_TRUE(enabled(IDC_AZIMUTH) && enabled(IDC_DISTANCE));
      }
    }
    EXPECT_EQ(after, expected);
  }

  void aboutByButton() {
    QWidget* button = item(IDC_ABOUT);
    openAbout(QStringLiteral("关于"), [&] { clickAt(button, somewhereIn(button)); });
  }

  // Right-click on the background or Alt+Space, then a click on the entry.
  void aboutByWindowMenu() {
    QMenu& menu = dialog.windowMenu();
    if (input.chance(0.5)) {
      note(QStringLiteral("right-click on the form"));
      clickAt(&dialog, background(), Qt::RightButton);
    } else {
      note(QStringLiteral("Alt+Space"));
      QTest::keyClick(&dialog, Qt::Key_Space, Qt::AltModifier);
    }
    ASSERT_TRUE(menu.isVisible()) << "the window menu did not open";
    QAction* entry = menu.actions().at(2);  // below close and the separator
    openAbout(QStringLiteral("window menu"), [&] {
      QTest::mouseClick(&menu, Qt::LeftButton, {}, menu.actionGeometry(entry).center());
    });
    EXPECT_FALSE(menu.isVisible());
  }

  void openAbout(const QString& from, const std::function<void()>& open) {
    const Form before = form();
    enum How { kLeftPress, kRightPress, kEscape, kReturn, kEnter };
    const How how = static_cast<How>(input.number(kLeftPress, kEnter));
    note(QStringLiteral("about box from %1, closed by %2").arg(from).arg(int(how)));
    int result = -1;
    const bool opened = whileActing<CAboutBox>(open, [&](CAboutBox& box) {
      ++aboutBoxes;
      if (!QTest::qWaitForWindowExposed(&box)) return;
      for (int n = input.number(0, 3); n > 0; --n)
        QTest::mouseMove(box.windowHandle(), somewhereIn(&box));
      if (how == kLeftPress || how == kRightPress) {
        const Qt::MouseButton button = how == kLeftPress ? Qt::LeftButton : Qt::RightButton;
        QPoint point = somewhereIn(&box);
        if (dialogItem(box, IDC_LINK)->geometry().contains(point)) point = {4, box.height() - 4};
        QTest::mousePress(box.windowHandle(), button, {}, point);
        EXPECT_TRUE(QTest::qWaitFor([&] { return !box.isVisible(); }, 1000))
            << "a press left it open";
        // The release lands on the form; where the box reaches beyond it,
        // at the form's nearest point.
        const QPoint under = dialog.mapFromGlobal(box.mapToGlobal(point));
        QTest::mouseRelease(dialog.windowHandle(), button, {},
                            {std::clamp(under.x(), 0, dialog.width() - 1),
                             std::clamp(under.y(), 0, dialog.height() - 1)});
      } else {
        const Qt::Key key = how == kEscape   ? Qt::Key_Escape
                            : how == kReturn ? Qt::Key_Return
                                             : Qt::Key_Enter;
        QTest::keyClick(box.windowHandle(), key,
                        how == kEnter ? Qt::KeypadModifier : Qt::NoModifier);
      }
      result = box.result();
    });
    EXPECT_TRUE(opened) << "the about box did not open";
    const bool accepted = how == kReturn || how == kEnter;
    EXPECT_EQ(result, accepted ? QDialog::Accepted : QDialog::Rejected);
    EXPECT_EQ(form(), before);
  }

  void hover() {
    note(QStringLiteral("hover"));
    for (int n = input.number(1, 6); n > 0; --n) {
      QWidget* target =
          item(input.oneOf(std::array<int, 4>{IDOK, IDCANCEL, IDC_ABOUT, IDC_START_X}));
      QTest::mouseMove(dialog.windowHandle(), inDialog(target, somewhereIn(target)));
    }
    QTest::mouseMove(dialog.windowHandle(), background());
  }

  // A press on a button, dragged off before the release: no command.
  void pressAndSlideOff() {
    const int id = input.oneOf(std::array<int, 3>{IDOK, IDCANCEL, IDC_ABOUT});
    note(QStringLiteral("press %1 and slide off").arg(id));
    const Form before = form();
    QWidget* button = item(id);
    QTest::mousePress(dialog.windowHandle(), Qt::LeftButton, {},
                      inDialog(button, somewhereIn(button)));
    EXPECT_TRUE(qobject_cast<QAbstractButton*>(button)->isDown());
    QTest::mouseMove(dialog.windowHandle(), background());
    QTest::mouseRelease(dialog.windowHandle(), Qt::LeftButton, {}, background());
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(form(), before);
  }

  // 退出, Escape or the window menu's close, then the form opens again.
  void leaveAndReopen() {
    const Form before = form();
    switch (input.number(0, 2)) {
      case 0:
        note(QStringLiteral("click 退出"));
        clickAt(item(IDCANCEL), somewhereIn(item(IDCANCEL)));
        break;
      case 1:
        note(QStringLiteral("Escape"));
        QTest::keyClick(field(IDC_START_X), Qt::Key_Escape);
        break;
      default:
        note(QStringLiteral("window menu close"));
        QTest::keyClick(&dialog, Qt::Key_Space, Qt::AltModifier);
        QMenu& menu = dialog.windowMenu();
        QTest::mouseClick(&menu, Qt::LeftButton, {},
                          menu.actionGeometry(menu.actions().first()).center());
        break;
    }
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    EXPECT_EQ(form(), before);
  }

  void act() {
    static const std::array<double, 10> weights = {38, 5, 8, 12, 10, 2, 1.5, 10, 6, 0.5};
    std::discrete_distribution<int> kinds(weights.begin(), weights.end());
    switch (input.draw(kinds)) {
      case 0:
        typeIntoAField();
        break;
      case 1:
        clearAField();
        break;
      case 2:
        switchMode();
        break;
      case 3:
        computeByButton();
        break;
      case 4:
        computeByEnter();
        break;
      case 5:
        aboutByButton();
        break;
      case 6:
        aboutByWindowMenu();
        break;
      case 7:
        hover();
        break;
      case 8:
        pressAndSlideOff();
        break;
      default:
        leaveAndReopen();
        break;
    }
    QCoreApplication::processEvents();  // the form repaints as a user would see it
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_FALSE(dialog.windowMenu().isVisible());
  }

  const std::uint64_t seed = fromEnvironment("CORVANE_STRESS_SEED", kDefaultSeed);
  const int actions = static_cast<int>(fromEnvironment("CORVANE_STRESS_ACTIONS", kDefaultActions));
  CCalcDialog dialog;
  RandomInput input{seed};
  int mode = IDC_MODE_FORWARD;
  std::deque<std::string> recent;  // the last actions, shown when one fails
  int computes = 0;
  int warnings = 0;
  int aboutBoxes = 0;
};

TEST_F(StressTest, RandomUserActionsKeepTheFormTrue) {
  SCOPED_TRACE(testing::Message() << "CORVANE_STRESS_SEED=" << seed);
  QElapsedTimer clock;
  clock.start();
  int done = 0;
  for (; done < actions && !HasFailure(); ++done) {
    SCOPED_TRACE(testing::Message() << "action " << done);
    act();
  }
  if (HasFailure()) {
    std::cout << "stress: failed at action " << done - 1 << " with seed " << seed
              << "; the last actions were:\n";
    for (const std::string& what : recent) std::cout << "  " << what << '\n';
  }
  std::cout << "stress: " << done << " actions, " << computes << " computes, " << warnings
            << " identical-points warnings, " << aboutBoxes << " about boxes in " << clock.elapsed()
            << " ms" << std::endl;
  if (HasFailure()) return;
  // The run reached every kind of outcome.
  EXPECT_GT(computes, 0);
  EXPECT_GT(warnings, 0);
  EXPECT_GT(aboutBoxes, 0);
}

}  // namespace
