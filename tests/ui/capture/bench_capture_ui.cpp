// Timings of the capture window on an X display (run under Xvfb 1920x1080x24):
//   BM_OpenCapture   construction (screen grab) + show until the window is
//                    exposed and painted (target: 200 ms)
//   BM_DragRepaint   one mouse move while dragging a selection, with the
//                    repaint and help-text refresh it causes (target: 16 ms)
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QMouseEvent>
#include <QtTest>

#include "ui/capture/CatchScreenDlg.h"

namespace {

void SendMouse(QWidget* w, QEvent::Type type, QPoint pos, Qt::MouseButton button,
               Qt::MouseButtons buttons) {
    QMouseEvent e(type, QPointF(pos), QPointF(w->mapToGlobal(pos)), button, buttons,
                  Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

void BM_OpenCapture(benchmark::State& state) {
    for (auto _ : state) {
        qelvar::CCatchScreenDlg dlg;
        dlg.show();
        if (!QTest::qWaitForWindowExposed(&dlg)) state.SkipWithError("not exposed");
        QCoreApplication::processEvents();
        state.PauseTiming();
        dlg.hide();
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_OpenCapture)->Unit(benchmark::kMillisecond)->Iterations(20)->UseRealTime();

// Counts the paint events of the window it watches.
class PaintCounter : public QObject {
public:
    int paints = 0;
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::Paint) ++paints;
        return false;
    }
};

void BM_DragRepaint(benchmark::State& state) {
    qelvar::CCatchScreenDlg dlg;
    PaintCounter counter;
    dlg.installEventFilter(&counter);
    dlg.show();
    if (!QTest::qWaitForWindowExposed(&dlg)) state.SkipWithError("not exposed");
    SendMouse(&dlg, QEvent::MouseButtonPress, {100, 100}, Qt::LeftButton, Qt::LeftButton);
    int step = 0;
    for (auto _ : state) {
        const QPoint p(300 + step % 400, 250 + step % 300);
        ++step;
        SendMouse(&dlg, QEvent::MouseMove, p, Qt::NoButton, Qt::LeftButton);
        QCoreApplication::processEvents();  // the repaint and its flush to the X server
    }
    SendMouse(&dlg, QEvent::MouseButtonRelease, {300, 250}, Qt::LeftButton, Qt::NoButton);
    state.counters["paints_per_move"] =
        benchmark::Counter(counter.paints, benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_DragRepaint)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
