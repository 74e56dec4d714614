// calc_session: one scripted session of the calculator, started the way the
// program starts (the application object, then InitInstance with its modal
// calculator) and driven from inside its own event loop with real input:
// a forward compute by the "计算" button, an inverse compute by Enter, the
// about box from its button (closed by a press) and from the window menu
// (closed by Escape), then "退出". Built for running under valgrind
// (scripts/valgrind-session.sh); exit status 1 when the form showed a wrong
// answer or a step did not happen.

#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <functional>

#include "res/resource.h"
#include "ui/calc/about_box.h"
#include "ui/calc/calc_app.h"
#include "ui/calc/calc_dialog.h"
#include "ui/calc/dialog_template.h"

namespace {

// Under valgrind the program runs some fifty times slower than usual.
constexpr int kPatienceMs = 120000;

class Session {
 public:
  // Runs the whole session on the open calculator; it ends with "退出".
  void run() {
    m_calc = findTopLevel<CCalcDialog>();
    if (!m_calc || !QTest::qWaitForWindowExposed(m_calc, kPatienceMs)) {
      fail("the calculator did not open");
      QCoreApplication::exit(1);
      return;
    }
    computeForward();
    computeInverse();
    aboutBox("its button", Qt::Key_unknown, [this] { click(IDC_ABOUT); });
    aboutBox("the window menu", Qt::Key_Escape, [this] {
      QTest::keyClick(m_calc, Qt::Key_Space, Qt::AltModifier);
      QMenu& menu = m_calc->windowMenu();
      QTest::mouseClick(&menu, Qt::LeftButton, {},
                        menu.actionGeometry(menu.actions().at(2)).center());
    });
    click(IDCANCEL);
    if (m_calc->isVisible()) fail("退出 left the calculator open");
  }

  bool failed() const { return m_failed; }

 private:
  template <class Window>
  static Window* findTopLevel() {
    for (QWidget* window : QApplication::topLevelWidgets())
      if (auto* found = dynamic_cast<Window*>(window); found && found->isVisible()) return found;
    return nullptr;
  }

  QLineEdit* field(int id) const { return qobject_cast<QLineEdit*>(dialogItem(*m_calc, id)); }
  void click(int id) const { QTest::mouseClick(dialogItem(*m_calc, id), Qt::LeftButton); }
  void type(int id, const char* text) const {
    field(id)->clear();
    QTest::keyClicks(field(id), QString::fromLatin1(text));
  }
  void expectText(int id, const char* expected) {
    const QString shown = field(id)->text();
    if (shown != QLatin1String(expected))
      fail(QStringLiteral("field %1 shows %2, not %3").arg(id).arg(shown, expected));
  }
  void fail(const QString& what) {
    std::fprintf(stderr, "calc_session: %s\n", qPrintable(what));
    m_failed = true;
  }

  void computeForward() {
    type(IDC_START_X, "1000");
    type(IDC_START_Y, "2000");
    type(IDC_AZIMUTH, "45.3025");
    type(IDC_DISTANCE, "100");
    click(IDOK);
    expectText(IDC_RESULT_X, "1070.082282");
    expectText(IDC_RESULT_Y, "2071.333539");
  }

  void computeInverse() {
    click(IDC_MODE_INVERSE);
    type(IDC_RESULT_X, "1070");
    type(IDC_RESULT_Y, "2071.4");
    QTest::keyClick(field(IDC_RESULT_Y), Qt::Key_Return);
    expectText(IDC_AZIMUTH, "45.340216");
    expectText(IDC_DISTANCE, "99.989799");
  }

  // Opens the about box with `open`; once it shows, a key (or a press on its
  // background, for Qt::Key_unknown) closes it.
  void aboutBox(const char* from, Qt::Key key, const std::function<void()>& open) {
    bool shown = false;
    QTimer watcher;  // looks for the box on every turn of the box's own loop
    watcher.setInterval(0);
    QObject::connect(&watcher, &QTimer::timeout, [&] {
      CAboutBox* box = shown ? nullptr : findTopLevel<CAboutBox>();
      if (!box || !QTest::qWaitForWindowExposed(box, kPatienceMs)) return;
      shown = true;
      close(*box, key);
      if (!QTest::qWaitFor([box] { return !box->isVisible(); }, kPatienceMs)) {
        fail(QStringLiteral("the about box from %1 stayed open").arg(from));
        box->reject();
      }
    });
    watcher.start();
    open();
    if (!shown) fail(QStringLiteral("the about box did not open from %1").arg(from));
    // What a window manager does when the box closes.
    m_calc->activateWindow();
    if (!QTest::qWaitForWindowActive(m_calc, kPatienceMs)) fail("the calculator stayed inactive");
  }

  void close(CAboutBox& box, Qt::Key key) {
    if (key != Qt::Key_unknown) {
      QTest::keyClick(box.windowHandle(), key);
      return;
    }
    const QPoint point(4, box.height() - 4);
    QTest::mousePress(box.windowHandle(), Qt::LeftButton, {}, point);
    if (!QTest::qWaitFor([&box] { return !box.isVisible(); }, kPatienceMs)) return;
    // The release lands on the calculator below, at its point nearest the press.
    const QPoint under = m_calc->mapFromGlobal(box.mapToGlobal(point));
    QTest::mouseRelease(m_calc->windowHandle(), Qt::LeftButton, {},
                        {std::clamp(under.x(), 0, m_calc->width() - 1),
                         std::clamp(under.y(), 0, m_calc->height() - 1)});
  }

  CCalcDialog* m_calc = nullptr;
  bool m_failed = false;
};

}  // namespace

int main(int argc, char** argv) {
  CCalcApp app(argc, argv);
  Session session;
  QTimer::singleShot(0, [&session] { session.run(); });
  app.InitInstance();
  return session.failed() ? 1 : 0;
}
