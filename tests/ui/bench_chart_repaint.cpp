// Repaint after a step on the timeline, timed on the running platform (run
// it under Xvfb: xvfb-run -s "-screen 0 1920x1080x24" build/bin/bench_chart_repaint).
// Each round presses Right (the next year) in a chart window at zoom 1.5
// and repaints the chart and the strip at once, as the next frame would.
#include <QApplication>
#include <QElapsedTimer>
#include <QTest>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "tests/ui/KnownBirth.h"
#include "ui/app/DialogFont.h"
#include "ui/chart/ChartCanvas.h"
#include "ui/chart/TimelineStrip.h"
#include "ui/chart/ZiWeiDlg.h"

using namespace qelvar;

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    InstallSongFont();
    const BirthData b = KnownBirth();
    CZiWeiDlg chart(b, std::chrono::year{2001} / 3 / 1);
    chart.SetZoom(1.5);
    chart.show();
    if (!QTest::qWaitForWindowExposed(&chart)) return 1;
    QTest::keyClick(&chart, Qt::Key_PageDown);  // 大限, 流年 and 流月 shown
    const int kRounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 40;
    std::vector<double> samples;
    QElapsedTimer clock;
    for (int i = 0; i < kRounds; ++i) {
        clock.start();
        QTest::keyClick(&chart, i < kRounds / 2 ? Qt::Key_Right : Qt::Key_Left);
        chart.Canvas()->repaint();
        chart.Strip()->repaint();
        QApplication::sync();
        samples.push_back(clock.nsecsElapsed() / 1e6);
    }
    std::sort(samples.begin(), samples.end());
    std::printf(
        "next year -> chart and strip repainted at zoom 1.5 (%s, %zu rounds): "
        "min %.1f ms, median %.1f ms, max %.1f ms\n",
        qPrintable(QGuiApplication::platformName()), samples.size(), samples.front(),
        samples[samples.size() / 2], samples.back());
    return 0;
}
