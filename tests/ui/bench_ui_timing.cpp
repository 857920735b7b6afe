// Cast button to painted chart window, timed on the running platform (run it
// under Xvfb: xvfb-run -s "-screen 0 1920x1080x24" build/bin/bench_ui_timing).
// Each round clicks the real cast button; the chart window's first paint is
// timed when the event loop comes back from painting and flushing it.
#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "ui/app/DialogFont.h"
#include "ui/chart/ZiWeiDlg.h"
#include "ui/form/LocalDate.h"
#include "ui/form/TovrinDlg.h"

using namespace qelvar;

namespace {

// Ends the chart's modal run as soon as its first paint has been flushed.
class FirstPaint : public QObject {
public:
    FirstPaint(QElapsedTimer& clock, std::vector<double>& samples)
        : m_clock(clock), m_samples(samples) {}

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && !m_seen) {
            m_seen = true;
            auto* dialog = static_cast<QDialog*>(watched);
            QTimer::singleShot(0, dialog, [this, dialog] {
                m_samples.push_back(m_clock.nsecsElapsed() / 1e6);
                dialog->accept();
            });
        }
        return false;
    }

private:
    QElapsedTimer& m_clock;
    std::vector<double>& m_samples;
    bool m_seen = false;
};

long ResidentKiB() {
    std::FILE* status = std::fopen("/proc/self/status", "r");
    if (status == nullptr) return -1;
    char line[256];
    long kib = -1;
    while (std::fgets(line, sizeof line, status) != nullptr) {
        if (std::sscanf(line, "VmRSS: %ld", &kib) == 1) break;
    }
    std::fclose(status);
    return kib;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    InstallSongFont();
    BirthData birth;
    CTovrinDlg form(birth, LocalToday());
    QElapsedTimer clock;
    std::vector<double> samples;
    form.SetChartOpener([&](const BirthData& b) {
        CZiWeiDlg chart(b, LocalToday());
        FirstPaint probe(clock, samples);
        chart.installEventFilter(&probe);
        chart.exec();
    });
    form.show();
    if (!QTest::qWaitForWindowExposed(&form)) return 1;
    form.findChild<QComboBox*>(QStringLiteral("1006"))->setCurrentIndex(6);
    form.findChild<QComboBox*>(QStringLiteral("1009"))->setCurrentIndex(0);
    auto* cast = form.findChild<QPushButton*>(QStringLiteral("1"));
    const int kRounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 20;
    for (int i = 0; i < kRounds; ++i) {
        clock.start();
        QTest::mouseClick(cast, Qt::LeftButton);
    }
    std::sort(samples.begin(), samples.end());
    if (samples.empty()) return 1;
    std::printf(
        "cast button -> chart painted (%s, %zu rounds): min %.1f ms, median %.1f ms, max %.1f ms\n",
        qPrintable(QGuiApplication::platformName()), samples.size(), samples.front(),
        samples[samples.size() / 2], samples.back());
    std::printf("resident memory after %d casts: %ld KiB\n", kRounds, ResidentKiB());
    return 0;
}
