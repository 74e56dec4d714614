// The 线路 window's plan of a 50 km road, offscreen: a JD table of 50
// curves (bench/road/run.sh writes it), its stakes every 20 m with side
// stakes at 10 m, and one zoom step of the plan drawn at once, wheel notches
// in to a few metres a pixel and out again, then arrow-key pans at the
// closest zoom. Medians and the slowest step of several runs.
// Usage: road_window_bench JD_TABLE

#include <QApplication>
#include <QElapsedTimer>
#include <QTest>
#include <QWheelEvent>
#include <algorithm>
#include <cstdio>
#include <vector>

#include "ui/calc/calc_app.h"
#include "ui/road/road_plan.h"
#include "ui/road/road_window.h"

namespace {

constexpr int kRuns = 5;
constexpr int kNotches = 24;  // in, then out: 1.25^24 is some 200 times closer

double median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const std::size_t n = values.size();
  return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

// A wheel notch (or, with `pan`, an arrow key) and the plan drawn at once.
double stepMs(CRoadPlan& plan, int notch, bool pan) {
  const QPointF middle = QRectF(plan.rect()).center();
  QElapsedTimer clock;
  clock.start();
  if (pan) {
    QTest::keyClick(&plan, notch % 2 ? Qt::Key_Left : Qt::Key_Up);
  } else {
    QWheelEvent wheel(middle, plan.mapToGlobal(middle), {}, {0, notch}, Qt::NoButton, {},
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(&plan, &wheel);
  }
  plan.repaint();
  return clock.nsecsElapsed() / 1e6;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: road_window_bench JD_TABLE\n");
    return 2;
  }
  qputenv("QT_QPA_PLATFORM", "offscreen");
  CCalcApp app(argc, argv);
  reading::RoadRequest request;
  request.path = argv[1];
  std::vector<double> zooms, pans, generating;
  std::size_t stakes = 0;
  for (int run = 0; run < kRuns; ++run) {
    auto* window = new CRoadWindow;
    window->show();
    if (!QTest::qWaitForWindowExposed(window) || !window->load(request, {3, 4})) return 2;
    QElapsedTimer clock;
    clock.start();
    window->generate(20, {-10, 10});
    if (!QTest::qWaitFor([&] { return window->stakes() != nullptr; }, 20000)) return 2;
    generating.push_back(clock.nsecsElapsed() / 1e6);
    stakes = window->stakes()->size();
    CRoadPlan& plan = window->plan();
    plan.repaint();
    for (int step = 0; step < 2 * kNotches; ++step)
      zooms.push_back(stepMs(plan, step < kNotches ? 120 : -120, false));
    for (int step = 0; step < kNotches; ++step) plan.repaint(), stepMs(plan, 120, false);
    for (int step = 0; step < 8; ++step) pans.push_back(stepMs(plan, step, true));
    delete window;
  }
  std::printf("50 km, 50 curves, %zu stakes (every 20 m, 10 m left and right), %d runs\n", stakes,
              kRuns);
  std::printf("  stakes listed                    %8.1f ms\n", median(generating));
  std::printf("  zoom step, median                %8.1f ms  (goal <= 16 ms)\n", median(zooms));
  std::printf("  zoom step, slowest               %8.1f ms\n",
              *std::max_element(zooms.begin(), zooms.end()));
  std::printf("  pan step closest in, median      %8.1f ms\n", median(pans));
  return 0;
}
