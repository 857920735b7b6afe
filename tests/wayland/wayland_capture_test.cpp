// The capture window on a Wayland desktop, natively and through XWayland:
// the screen is frozen through the desktop's screenshot portal pixel for
// pixel, the window covers the whole output, a right click on the chart, a
// drag, an arrow key and a double-click put exactly the selected pixels on
// the clipboard and in the file, and every way the portal can fail shows
// its message and leaves the chart as it was.  run_wayland_tests.sh starts
// the desktop (sway, headless) and picks the test functions for each run;
// grim pictures the compositor's output independently of the program.
#include <QApplication>
#include <QClipboard>
#include <QDBusInterface>
#include <QDBusReply>
#include <QDir>
#include <QElapsedTimer>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMessageBox>
#include <QPainter>
#include <QProcess>
#include <QRegion>
#include <QScopeGuard>
#include <QScreen>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>
#include <cmath>
#include <functional>
#include <memory>

#include "capture/HelpText.h"
#include "tests/ui/KnownBirth.h"
#include "ui/app/Tovrin.h"
#include "ui/capture/CatchScreenDlg.h"
#include "ui/capture/PortalScreenshot.h"
#include "ui/chart/ZiWeiDlg.h"

Q_DECLARE_METATYPE(qelvar::PortalOutcome)

using qelvar::CCatchScreenDlg;
using qelvar::PortalOutcome;
using qelvar::ScreenRect;

namespace {

// Every device pixel of the pattern window has a colour worked out from
// its position.
QRgb PatternPixel(int x, int y) {
    return qRgb((x * 7) & 0xFF, (y * 5) & 0xFF, (x + 3 * y) & 0xFF);
}

class Pattern : public QWidget {
public:
    Pattern() { setAttribute(Qt::WA_OpaquePaintEvent); }

protected:
    void paintEvent(QPaintEvent*) override {
        const qreal dpr = devicePixelRatioF();
        QImage image((QSizeF(size()) * dpr).toSize(), QImage::Format_RGB32);
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) image.setPixel(x, y, PatternPixel(x, y));
        image.setDevicePixelRatio(dpr);
        QPainter(this).drawImage(0, 0, image);
    }
};

QScreen& Primary() {
    return *QGuiApplication::primaryScreen();
}

bool OnSway() {
    return qEnvironmentVariableIsSet("SWAYSOCK");
}

// Waits until `w` covers the primary screen (full screen, or tiled by
// sway) and its size has settled, then a little longer so that the
// compositor has its pixels.  Its size is the screen's in window pixels,
// which Qt's screen size is not on GNOME's physical layout mode.
bool WaitFillsScreen(QWidget& w) {
    if (!QTest::qWaitForWindowExposed(&w)) return false;
    QSize last;
    int steady = 0;
    (void)QTest::qWaitFor(
        [&] {
            steady = w.size() == last ? steady + 1 : 0;
            last = w.size();
            return steady >= 5 && (w.isFullScreen() || w.size() == Primary().geometry().size());
        },
        3000);
    QTest::qWait(250);
    return steady >= 5;
}

// Waits until the window manager is done with `w` (GNOME maximises a large
// window a moment after it appears): its size unchanged for half a second.
bool WaitSettled(QWidget& w) {
    if (!QTest::qWaitForWindowActive(&w)) return false;
    QSize last;
    int steady = 0;
    return QTest::qWaitFor(
        [&] {
            steady = w.size() == last ? steady + 1 : 0;
            last = w.size();
            return steady >= 10;
        },
        5000);
}

// The pattern over the whole primary screen: full screen, or as the only
// tiled window (which sway sizes to the output), so that a floating chart
// can lie above it.  Other desktops always get it full screen.
bool ShowPattern(Pattern& pattern, bool fullScreen) {
    pattern.setScreen(&Primary());
    if (fullScreen || !OnSway()) {
        pattern.showFullScreen();
    } else {
        pattern.show();
    }
    return WaitFillsScreen(pattern);
}

// What the compositor shows in `r` (logical pixels of the desktop), read by grim.
QImage Grim(const QRect& r) {
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("grim.png"));
    const QString geometry =
        QStringLiteral("%1,%2 %3x%4").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height());
    if (QProcess::execute(QStringLiteral("grim"), {QStringLiteral("-g"), geometry, file}) != 0)
        return {};
    return QImage(file).convertToFormat(QImage::Format_RGB32);
}

// What the compositor shows on the primary screen, in device pixels: grim
// on sway, elsewhere a screenshot through the desktop's portal.
QImage ScreenPicture() {
    if (OnSway()) return Grim(Primary().geometry());
    return qelvar::GrabScreenThroughPortal(Primary()).image.convertToFormat(QImage::Format_RGB32);
}

// The screen once it has settled: two pictures in a row alike (a window
// just shown may not be on the screen yet on a busy machine).
QImage SettledScreenPicture() {
    QImage last = ScreenPicture();
    for (int i = 0; i < 8; ++i) {
        QTest::qWait(200);
        QImage next = ScreenPicture();
        if (next == last) break;
        last = std::move(next);
    }
    return last;
}

// The part of `picture` (a screen's device pixels) under `r`, in the window
// pixels of a window of `window` size, which covers the screen.
QImage Cut(const QImage& picture, QSize window, const QRect& r) {
    const double sx = double(picture.width()) / window.width();
    const double sy = double(picture.height()) / window.height();
    const int left = int(std::lround(r.left() * sx));
    const int top = int(std::lround(r.top() * sy));
    return picture.copy(left, top, int(std::lround((r.left() + r.width()) * sx)) - left,
                        int(std::lround((r.top() + r.height()) * sy)) - top);
}

QImage Rgb(const QImage& i) {
    return i.convertToFormat(QImage::Format_RGB32);
}

// The clipboard's picture; on Wayland it is there once the compositor has
// passed the selection round.
QImage ClipboardImage() {
    QImage image;
    (void)QTest::qWaitFor(
        [&] {
            image = QGuiApplication::clipboard()->image();
            return !image.isNull();
        },
        3000);
    return image;
}

// Whether the clipboard can be checked: mutter takes a selection only from
// real input (MutterInput, below); sway and KWin take it from events made
// inside the program too.
bool ClipboardChecked();

// Whether `actual` is `expected`; when not, both are saved for a look in
// the folder QELVAR_TEST_DUMP names (the harness keeps it with its logs).
bool SameImage(const QImage& actual, const QImage& expected, const char* what) {
    if (Rgb(actual) == Rgb(expected)) return true;
    const QString dump = qEnvironmentVariable("QELVAR_TEST_DUMP");
    const QString name =
        QString::fromLatin1(QTest::currentTestFunction()) + QLatin1Char('-') + QLatin1String(what);
    if (!dump.isEmpty()) {
        actual.save(dump + QLatin1Char('/') + name + QStringLiteral("-actual.png"));
        expected.save(dump + QLatin1Char('/') + name + QStringLiteral("-expected.png"));
    }
    qWarning() << name << "differs:" << actual.size() << "expected" << expected.size();
    return false;
}

// The first pixel where `actual` differs from `expected(x, y)`, as text;
// empty when every pixel matches.
QString FirstMismatch(const QImage& actual, const std::function<QRgb(int, int)>& expected,
                      const QRegion& skip = {}) {
    for (int y = 0; y < actual.height(); ++y)
        for (int x = 0; x < actual.width(); ++x) {
            if (skip.contains(QPoint(x, y))) continue;
            const QRgb a = actual.pixel(x, y) & 0xFFFFFF;
            const QRgb e = expected(x, y) & 0xFFFFFF;
            if (a != e)
                return QStringLiteral("pixel %1,%2: %3 expected %4")
                    .arg(x)
                    .arg(y)
                    .arg(a, 6, 16)
                    .arg(e, 6, 16);
        }
    return {};
}

// The sway nodes of the tree, depth first.
void SwayNodes(const QJsonObject& node, QList<QJsonObject>& out) {
    out.append(node);
    for (const char* key : {"nodes", "floating_nodes"})
        for (const QJsonValue& child : node.value(QLatin1String(key)).toArray())
            SwayNodes(child.toObject(), out);
}

QList<QJsonObject> SwayTree() {
    QProcess swaymsg;
    swaymsg.start(QStringLiteral("swaymsg"), {QStringLiteral("-t"), QStringLiteral("get_tree")});
    swaymsg.waitForFinished(3000);
    QList<QJsonObject> nodes;
    SwayNodes(QJsonDocument::fromJson(swaymsg.readAllStandardOutput()).object(), nodes);
    return nodes;
}

QRect RectOf(const QJsonObject& node) {
    const QJsonObject r = node.value(QLatin1String("rect")).toObject();
    return {r.value(QLatin1String("x")).toInt(), r.value(QLatin1String("y")).toInt(),
            r.value(QLatin1String("width")).toInt(), r.value(QLatin1String("height")).toInt()};
}

CCatchScreenDlg* VisibleCaptureWindow() {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* dlg = qobject_cast<CCatchScreenDlg*>(w); dlg && dlg->isVisible()) return dlg;
    return nullptr;
}

// Right-clicks the chart and, once the modal window `T` is up, hands it to
// `act` (which must close it).  Returns whether `act` ran.  The window opens
// while the right button is down; it comes up (to the chart, which the
// press went to) before `act` starts.
template <typename T>
bool RightClickChartThen(qelvar::CZiWeiDlg& chart, const std::function<void(T*)>& act) {
    bool ran = false;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* modal = qobject_cast<T*>(QApplication::activeModalWidget());
        if (!modal || !modal->isVisible()) return;
        poll.stop();
        ran = true;
        QTest::mouseRelease(chart.windowHandle(), Qt::RightButton, {}, QPoint(5, 5));
        act(modal);
    });
    poll.start(50);
    QTimer guard;  // never hang the run
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, [] {
        if (QWidget* modal = QApplication::activeModalWidget()) modal->close();
    });
    guard.start(20000);
    QTest::mousePress(chart.windowHandle(), Qt::RightButton, {}, QPoint(5, 5));
    return ran;
}

// Mouse input goes in through the window, as the platform hands it over,
// so that Qt picks the widget under the pointer.
// Input with real serials, through mutter's remote-desktop interface: mutter
// takes a clipboard selection only from the program with the keyboard focus
// and with the serial of a real input event, which events made inside the
// program do not have.  One session serves the whole run (a session per call
// loses its first events).  Positions are the window's (logical) pixels of a
// window at the output's top left; mutter's relative motion is in logical
// pixels in both of its layout modes.
class MutterInput {
public:
    // The session on a native GNOME desktop, null elsewhere.
    static MutterInput* Get() {
        static MutterInput* input = [] {
            if (qgetenv("XDG_CURRENT_DESKTOP") != "GNOME" ||
                QGuiApplication::platformName() != QLatin1String("wayland"))
                return static_cast<MutterInput*>(nullptr);
            auto* made = new MutterInput;
            return made->m_session ? made : (delete made, static_cast<MutterInput*>(nullptr));
        }();
        return input;
    }

    // Moves to `p` from the output's top left corner, down first, then
    // across (the top edge holds the pointer near the corner).
    void MoveTo(QPoint p) {
        Relative(-100000, -100000);
        Relative(0, p.y());
        Relative(p.x(), 0);
    }
    void MoveBy(QPoint d) { Relative(d.x(), d.y()); }
    void Button(bool down) {
        Call("NotifyPointerButton", {kLeftButton, down});
        QTest::qWait(30);
    }

private:
    static constexpr int kLeftButton = 0x110;  // BTN_LEFT
    static constexpr uint kShift = 0xffe1;     // XK_Shift_L

    MutterInput() {
        QDBusInterface desktop(QStringLiteral("org.gnome.Mutter.RemoteDesktop"),
                               QStringLiteral("/org/gnome/Mutter/RemoteDesktop"),
                               QStringLiteral("org.gnome.Mutter.RemoteDesktop"));
        const QDBusReply<QDBusObjectPath> path = desktop.call(QStringLiteral("CreateSession"));
        if (!path.isValid()) {
            qWarning() << "no remote-desktop session:" << path.error().message();
            return;
        }
        m_session = std::make_unique<QDBusInterface>(
            QStringLiteral("org.gnome.Mutter.RemoteDesktop"), path.value().path(),
            QStringLiteral("org.gnome.Mutter.RemoteDesktop.Session"));
        Call("Start", {});
        // The seat has a keyboard, and so a keyboard focus, once a key came.
        Call("NotifyKeyboardKeysym", {kShift, true});
        Call("NotifyKeyboardKeysym", {kShift, false});
    }
    void Relative(double dx, double dy) {
        Call("NotifyPointerMotionRelative", {dx, dy});
        QTest::qWait(30);
    }
    void Call(const char* method, const QVariantList& arguments) {
        const QDBusMessage reply =
            m_session->callWithArgumentList(QDBus::Block, QLatin1String(method), arguments);
        if (reply.type() == QDBusMessage::ErrorMessage)
            qWarning() << method << "failed:" << reply.errorMessage();
    }

    std::unique_ptr<QDBusInterface> m_session;
};

void Drag(QWidget* w, QPoint from, QPoint to) {
    if (MutterInput* input = MutterInput::Get()) {
        input->MoveTo(from);
        input->Button(true);
        input->MoveBy((to - from) / 2);
        input->MoveBy(to - (from + (to - from) / 2));
        input->Button(false);
        return;
    }
    QWindow* window = w->windowHandle();
    QTest::mouseMove(window, from);
    QTest::mousePress(window, Qt::LeftButton, {}, from);
    QTest::mouseMove(window, (from + to) / 2);
    QTest::mouseMove(window, to);
    QTest::mouseRelease(window, Qt::LeftButton, {}, to);
}

void DoubleClick(QWidget* w, QPoint p) {
    if (MutterInput* input = MutterInput::Get()) {
        input->MoveTo(p);
        for (int i = 0; i < 2; ++i) {
            input->Button(true);
            input->Button(false);
        }
        return;
    }
    QTest::mouseDClick(w->windowHandle(), Qt::LeftButton, {}, p);
}

bool ClipboardChecked() {
    return OnSway() || qgetenv("XDG_CURRENT_DESKTOP") == "KDE" ||
           QGuiApplication::platformName() != QLatin1String("wayland") ||
           MutterInput::Get() != nullptr;
}

}  // namespace

class WaylandCaptureTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void freezesTheScreenPixelForPixel();
    void captureWindowCoversTheOutput();
    void chartRightClickDragDoubleClickSavesTheSelection();
    void arrowKeyMovesTheSelection();
    void pressOverTheHelpBoxGoesToTheCaptureWindow();
    void helpTextFollowsTheFirstPointerEvent();
    void portalFailuresShowTheirMessageAndReturnToTheChart_data();
    void portalFailuresShowTheirMessageAndReturnToTheChart();
    void portalCropsTheCaptureScreenInDevicePixels();
    void permissionFlow_data();
    void permissionFlow();
    void helpTextShowsThePointerAtOpen();
    void refusedPermissionShowsGnomesMessage();

private:
    std::unique_ptr<qelvar::CTovrinApp> m_app;  // the application's key filter
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_saveAs;
};

void WaylandCaptureTest::initTestCase() {
    const QByteArray wanted = qgetenv("QT_QPA_PLATFORM");
    qInfo() << "platform" << QGuiApplication::platformName() << "screen" << Primary().name()
            << Primary().geometry() << "scale" << Primary().devicePixelRatio();
    if (!wanted.isEmpty()) QCOMPARE(QGuiApplication::platformName().toUtf8(), wanted);
    m_app = std::make_unique<qelvar::CTovrinApp>();
}

void WaylandCaptureTest::init() {
    m_dir = std::make_unique<QTemporaryDir>();
    m_saveAs = m_dir->filePath(QStringLiteral("shot.bmp"));
    QGuiApplication::clipboard()->clear();
    CCatchScreenDlg::SetSaveHooks({[this](QWidget*) { return m_saveAs; },
                                   [](QWidget*, const QString& file, const QString& reason) {
                                       qWarning() << "save failed" << file << reason;
                                   }});
}

void WaylandCaptureTest::cleanup() {
    CCatchScreenDlg::SetSaveHooks({});
    qelvar::SetPortalTimeout(10000);
}

void WaylandCaptureTest::freezesTheScreenPixelForPixel() {
    Pattern pattern;
    QVERIFY(ShowPattern(pattern, true));
    const QImage screen = SettledScreenPicture();
    QVERIFY(!screen.isNull());
    if (OnSway()) {
        const QString mismatch = FirstMismatch(screen, PatternPixel);
        QVERIFY2(mismatch.isEmpty(), qPrintable(mismatch));
    }
    CCatchScreenDlg dlg;
    QCOMPARE(dlg.FreezeOutcome(), PortalOutcome::Captured);
    QCOMPARE(dlg.FrozenImage().size(), screen.size());
    const QString mismatch =
        FirstMismatch(dlg.FrozenImage(), [&](int x, int y) { return screen.pixel(x, y); });
    QVERIFY2(mismatch.isEmpty(), qPrintable(mismatch));
}

void WaylandCaptureTest::captureWindowCoversTheOutput() {
    Pattern pattern;
    QVERIFY(ShowPattern(pattern, false));
    CCatchScreenDlg dlg;
    dlg.show();
    QVERIFY(WaitFillsScreen(dlg));
    QVERIFY(dlg.isFullScreen());
    QCOMPARE(dlg.size(), pattern.size());
    if (OnSway()) {
        // The compositor's view: the full-screen window exactly over the output.
        const QRect output = Primary().geometry();
        bool found = false;
        for (const QJsonObject& node : SwayTree()) {
            if (node.value(QLatin1String("fullscreen_mode")).toInt() != 1) continue;
            found = true;
            QCOMPARE(RectOf(node), output);
        }
        QVERIFY2(found, "sway has no full-screen window");
    }
    // The screen shows the frozen picture everywhere but the help box.
    const QImage shown = SettledScreenPicture();
    if (const QString dump = qEnvironmentVariable("QELVAR_TEST_DUMP"); !dump.isEmpty())
        shown.save(dump + QStringLiteral("/capture-window-shown.png"));
    const QImage& frozen = dlg.FrozenImage();
    QCOMPARE(shown.size(), frozen.size());
    const double scale = double(frozen.width()) / dlg.width();
    const QRect box = dlg.HelpBox()->geometry();
    QRegion skip(
        QRect(QPoint(int(box.left() * scale) - 2, int(box.top() * scale) - 2),
              QPoint(int((box.right() + 1) * scale) + 2, int((box.bottom() + 1) * scale) + 2)));
    if (qgetenv("XDG_CURRENT_DESKTOP") == "KDE") {
        // KDE's pictures include the pointer, which KWin starts at the
        // middle of the screen and which nothing here moves; its shape
        // differs between the frozen and the shown picture.
        skip += QRect(shown.width() / 2 - 8, shown.height() / 2 - 8, 64, 64);
    }
    if (scale != std::floor(scale)) {
        // Qt draws at the next whole scale and the compositor shrinks the
        // window's picture: every pixel is near the frozen one, not equal.
        QImage a = Rgb(shown), b = Rgb(frozen);
        qint64 off = 0, count = 0;
        for (int y = 0; y < a.height(); ++y)
            for (int x = 0; x < a.width(); ++x) {
                if (skip.contains(QPoint(x, y))) continue;
                const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
                off += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) +
                       std::abs(qBlue(p) - qBlue(q));
                ++count;
            }
        qInfo() << "scale" << scale << "mean difference per pixel" << double(off) / count;
        QVERIFY(double(off) / count < 60);
        return;
    }
    const QString mismatch = FirstMismatch(
        shown, [&](int x, int y) { return frozen.pixel(x, y); }, skip);
    QVERIFY2(mismatch.isEmpty(), qPrintable(mismatch));
}

void WaylandCaptureTest::chartRightClickDragDoubleClickSavesTheSelection() {
    Pattern pattern;
    QVERIFY(ShowPattern(pattern, false));
    qelvar::CZiWeiDlg chart(qelvar::KnownBirth(),
                            std::chrono::year_month_day{std::chrono::year{2026} / 12 / 7});
    chart.show();
    QVERIFY(WaitSettled(chart));
    QTest::qWait(300);
    const QImage screen = SettledScreenPicture();

    QRect captureGeometry;
    const bool ran = RightClickChartThen<CCatchScreenDlg>(chart, [&](CCatchScreenDlg* dlg) {
        if (!WaitFillsScreen(*dlg)) {
            dlg->close();
            return;
        }
        captureGeometry = QRect(dlg->mapToGlobal(QPoint(0, 0)), dlg->size());
        Drag(dlg, {100, 100}, {300, 250});
        DoubleClick(dlg, {200, 175});
    });
    QVERIFY(ran);
    QCOMPARE(captureGeometry.size(), OnSway() ? Primary().geometry().size() : pattern.size());
    const QImage expected = Cut(screen, captureGeometry.size(), {100, 100, 200, 150});
    QVERIFY(!VisibleCaptureWindow());
    QVERIFY(chart.isVisible());
    QVERIFY(SameImage(QImage(m_saveAs, "BMP"), expected, "file"));
    if (ClipboardChecked()) QVERIFY(SameImage(ClipboardImage(), expected, "clipboard"));
}

void WaylandCaptureTest::arrowKeyMovesTheSelection() {
    Pattern pattern;
    QVERIFY(ShowPattern(pattern, false));
    const QImage screen = SettledScreenPicture();
    CCatchScreenDlg dlg;
    dlg.show();
    QVERIFY(WaitFillsScreen(dlg));
    Drag(&dlg, {100, 100}, {300, 250});
    QCOMPARE(dlg.State().m_rcBox, (ScreenRect{100, 100, 300, 250}));
    QTest::keyClick(&dlg, Qt::Key_Right);  // through the application's key filter
    QCOMPARE(dlg.State().m_rcBox, (ScreenRect{101, 100, 301, 250}));
    DoubleClick(&dlg, {200, 175});
    QTRY_VERIFY(!dlg.isVisible());
    const QImage expected = Cut(screen, dlg.size(), {101, 100, 200, 150});
    if (OnSway() && expected.size() == QSize(200, 150)) {
        const QString mismatch =
            FirstMismatch(expected, [](int x, int y) { return PatternPixel(101 + x, 100 + y); });
        QVERIFY2(mismatch.isEmpty(), qPrintable(mismatch));
    }
    QVERIFY(SameImage(QImage(m_saveAs, "BMP"), expected, "file"));
    if (ClipboardChecked()) QVERIFY(SameImage(ClipboardImage(), expected, "clipboard"));
}

void WaylandCaptureTest::pressOverTheHelpBoxGoesToTheCaptureWindow() {
    CCatchScreenDlg dlg;
    dlg.show();
    QVERIFY(WaitFillsScreen(dlg));
    const QRect box = dlg.HelpBox()->geometry();
    QCOMPARE(box.topLeft(), QPoint(10, 10));
    // The pointer jumps onto the box and presses before it could move away.
    QWindow* window = dlg.windowHandle();
    QTest::mousePress(window, Qt::LeftButton, {}, {50, 50});
    QTest::mouseMove(window, {150, 120});
    QTest::mouseMove(window, {250, 200});
    QTest::mouseRelease(window, Qt::LeftButton, {}, {250, 200});
    QCOMPARE(dlg.State().m_rcBox, (ScreenRect{50, 50, 250, 200}));
    QVERIFY(dlg.State().m_bHasSelection);
    dlg.close();
}

void WaylandCaptureTest::helpTextFollowsTheFirstPointerEvent() {
    // A native Wayland program learns where the pointer is only from the
    // pointer's own events; the position shown is the screen's.
    Pattern pattern;
    QVERIFY(ShowPattern(pattern, false));
    CCatchScreenDlg dlg;
    dlg.show();
    QVERIFY(WaitFillsScreen(dlg));
    QTest::mouseMove(dlg.windowHandle(), {420, 430});
    const QRgb c = Cut(dlg.FrozenImage(), dlg.size(), {420, 430, 1, 1}).pixel(0, 0);
    const qelvar::ColorRef colour = qelvar::MakeColorRef(qRed(c), qGreen(c), qBlue(c));
    QCOMPARE(dlg.HelpBox()->HelpText(), qelvar::HelpText(colour, {420, 430}, false, false));
    dlg.close();
}

void WaylandCaptureTest::portalFailuresShowTheirMessageAndReturnToTheChart_data() {
    QTest::addColumn<QString>("stubMode");  // empty: no portal on the bus
    QTest::addColumn<PortalOutcome>("outcome");
    QTest::newRow("the request was cancelled") << "cancel" << PortalOutcome::Cancelled;
    QTest::newRow("no portal on the bus") << "" << PortalOutcome::NoPortal;
    QTest::newRow("a portal without Screenshot") << "noscreenshot" << PortalOutcome::NoPortal;
}

void WaylandCaptureTest::portalFailuresShowTheirMessageAndReturnToTheChart() {
    QFETCH(QString, stubMode);
    QFETCH(PortalOutcome, outcome);
    QProcess stub;
    stub.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    if (!stubMode.isEmpty()) {
        const QString script = qEnvironmentVariable("QELVAR_PORTAL_STUB");
        if (script.isEmpty()) QSKIP("QELVAR_PORTAL_STUB names no stub portal");
        stub.start(QStringLiteral("/usr/bin/python3"), {script, stubMode});
        QVERIFY(stub.waitForReadyRead(5000));
        QCOMPARE(stub.readLine().trimmed(), QByteArray("ready"));
    }
    qelvar::SetPortalTimeout(1000);

    qelvar::CZiWeiDlg chart(qelvar::KnownBirth(),
                            std::chrono::year_month_day{std::chrono::year{2026} / 12 / 7});
    chart.show();
    QVERIFY(QTest::qWaitForWindowExposed(&chart));
    QString shown;
    bool captureWindowShown = true;
    const bool ran = RightClickChartThen<QMessageBox>(chart, [&](QMessageBox* box) {
        shown = box->text();
        captureWindowShown = VisibleCaptureWindow() != nullptr;
        box->accept();
    });
    QVERIFY(ran);
    const std::string text = qelvar::CaptureFailureText(
        outcome, qelvar::DesktopOf(qgetenv("XDG_CURRENT_DESKTOP").toStdString()),
        QStandardPaths::writableLocation(QStandardPaths::PicturesLocation).toStdString());
    QCOMPARE(shown, QString::fromStdString(text));
    QVERIFY(!captureWindowShown);
    QVERIFY(!VisibleCaptureWindow());
    QVERIFY(chart.isVisible());
    QVERIFY(!QApplication::activeModalWidget());

    if (!stubMode.isEmpty()) {
        stub.waitForReadyRead(300);
        const QByteArray said = stub.readAll();
        if (stubMode != QLatin1String("noscreenshot"))
            QVERIFY2(said.contains("screenshot interactive=False"), said.constData());
        stub.kill();
        stub.waitForFinished();
    }
}

void WaylandCaptureTest::portalCropsTheCaptureScreenInDevicePixels() {
    // The harness adds a second 1280 x 720 output right of the first and
    // gives the first scale 2 (640 x 360 logical pixels).
    QTRY_COMPARE(QGuiApplication::screens().size(), 2);
    QTRY_COMPARE(Primary().devicePixelRatio(), 2.0);
    QCOMPARE(Primary().geometry(), QRect(0, 0, 640, 360));
    QScreen* other = QGuiApplication::screens().constFirst();
    if (other == &Primary()) other = QGuiApplication::screens().constLast();
    QCOMPARE(other->geometry(), QRect(640, 0, 1280, 720));

    Pattern pattern;
    QVERIFY(ShowPattern(pattern, true));
    const qelvar::PortalShot shot = qelvar::GrabScreenThroughPortal(Primary());
    QCOMPARE(shot.outcome, PortalOutcome::Captured);
    QCOMPARE(shot.image.size(), QSize(1280, 720));
    const QString mismatch = FirstMismatch(shot.image, PatternPixel);
    QVERIFY2(mismatch.isEmpty(), qPrintable(mismatch));

    // The picture has the larger scale throughout: the scale-1 output comes
    // out doubled, and shows sway's background.
    const qelvar::PortalShot right = qelvar::GrabScreenThroughPortal(*other);
    QCOMPARE(right.outcome, PortalOutcome::Captured);
    QCOMPARE(right.image.size(), QSize(2560, 1440));
    QCOMPARE(right.image.pixel(1000, 1000) & 0xFFFFFF, 0x203040u);

    // The capture window keeps the scale-2 screen's device pixels.
    CCatchScreenDlg dlg;
    QCOMPARE(dlg.FrozenImage().size(), QSize(1280, 720));
    QCOMPARE(dlg.FrozenImage().devicePixelRatio(), 2.0);
}

void WaylandCaptureTest::permissionFlow_data() {
    QTest::addColumn<QString>("stubMode");
    QTest::addColumn<int>("answerAfterMs");
    QTest::addColumn<int>("waitMs");          // how long the program waits; 0: as shipped
    QTest::addColumn<QByteArray>("desktop");  // XDG_CURRENT_DESKTOP
    QTest::addColumn<bool>("picturesFolder");
    QTest::addColumn<PortalOutcome>("outcome");
    QTest::newRow("allowed at once")
        << "allow" << 0 << 0 << QByteArray("GNOME") << true << PortalOutcome::Captured;
    // Longer than the program used to wait; the portal itself waits 25 s.
    QTest::newRow("allowed after 15 s")
        << "allow" << 15000 << 0 << QByteArray("GNOME") << true << PortalOutcome::Captured;
    QTest::newRow("refused") << "refuse" << 0 << 0 << QByteArray("GNOME") << true
                             << PortalOutcome::Refused;
    QTest::newRow("never answered")
        << "silent" << 0 << 1500 << QByteArray("GNOME") << true << PortalOutcome::TimedOut;
    QTest::newRow("answered after the program gave up")
        << "allow" << 2500 << 1000 << QByteArray("GNOME") << true << PortalOutcome::TimedOut;
    QTest::newRow("KDE without a pictures folder")
        << "kde" << 0 << 0 << QByteArray("KDE") << false << PortalOutcome::Captured;
    QTest::newRow("KDE's screenshot component failing")
        << "refuse" << 0 << 0 << QByteArray("KDE") << true << PortalOutcome::Refused;
}

// The first capture on GNOME waits for the desktop's permission question:
// the program shows nothing meanwhile (a window of its own could end up
// behind the question), takes an answer that comes after the old time
// limit, shows each message above the chart it came from, and deletes a
// picture that comes after it gave up.
void WaylandCaptureTest::permissionFlow() {
    QFETCH(QString, stubMode);
    QFETCH(int, answerAfterMs);
    QFETCH(int, waitMs);
    QFETCH(QByteArray, desktop);
    QFETCH(bool, picturesFolder);
    QFETCH(PortalOutcome, outcome);
    const QString script = qEnvironmentVariable("QELVAR_PORTAL_STUB");
    if (script.isEmpty()) QSKIP("QELVAR_PORTAL_STUB names no stub portal");
    const QString pictures = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    QVERIFY2(pictures.startsWith(QDir::tempPath()), "run with HOME in a temporary folder");
    if (picturesFolder) {
        QVERIFY(QDir().mkpath(pictures));
    } else {
        QVERIFY(QDir(pictures).removeRecursively());
    }
    const QByteArray oldDesktop = qgetenv("XDG_CURRENT_DESKTOP");
    qputenv("XDG_CURRENT_DESKTOP", desktop);
    const auto restoreDesktop = qScopeGuard([&] { qputenv("XDG_CURRENT_DESKTOP", oldDesktop); });

    const QSize device = Primary().geometry().size() * Primary().devicePixelRatio();
    QProcess stub;
    stub.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    stub.start(QStringLiteral("/usr/bin/python3"),
               {script, stubMode, QString::number(answerAfterMs / 1000.0),
                QStringLiteral("%1x%2").arg(device.width()).arg(device.height())});
    QVERIFY(stub.waitForReadyRead(5000));
    QCOMPARE(stub.readLine().trimmed(), QByteArray("ready"));
    const auto stopStub = qScopeGuard([&] {
        stub.kill();
        stub.waitForFinished();
    });
    qelvar::SetPortalTimeout(waitMs > 0 ? waitMs : qelvar::kPortalWaitSeconds * 1000);

    qelvar::CZiWeiDlg chart(qelvar::KnownBirth(),
                            std::chrono::year_month_day{std::chrono::year{2026} / 12 / 7});
    chart.setWindowModality(Qt::ApplicationModal);  // as the form runs it
    chart.show();
    QVERIFY(QTest::qWaitForWindowExposed(&chart));

    // Watches every 100 ms from the right press on: what the program shows
    // while it waits, then the window it opens.
    QStringList shownWhileWaiting;
    QString message;
    const QWidget* messageParent = nullptr;
    QString frozenMismatch = QStringLiteral("no capture window");
    qint64 openedAfterMs = -1;
    QElapsedTimer clock;
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (auto* dlg = qobject_cast<CCatchScreenDlg*>(modal); dlg && dlg->isVisible()) {
            openedAfterMs = clock.elapsed();
            frozenMismatch = FirstMismatch(dlg->FrozenImage(), PatternPixel);
            dlg->reject();  // no selection: Esc closes
            return;
        }
        if (auto* box = qobject_cast<QMessageBox*>(modal); box && box->isVisible()) {
            openedAfterMs = clock.elapsed();
            message = box->text();
            messageParent = box->parentWidget();
            box->accept();
            return;
        }
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w != &chart && w->isVisible())
                shownWhileWaiting << QString::fromLatin1(w->metaObject()->className());
    });
    watch.start(100);
    clock.start();
    QTest::mousePress(chart.windowHandle(), Qt::RightButton, {}, QPoint(5, 5));
    QTest::mouseRelease(chart.windowHandle(), Qt::RightButton, {}, QPoint(5, 5));
    watch.stop();

    QVERIFY2(shownWhileWaiting.isEmpty(), qPrintable(shownWhileWaiting.join(u' ')));
    QVERIFY(openedAfterMs >= answerAfterMs || outcome != PortalOutcome::Captured);
    QVERIFY(!VisibleCaptureWindow());
    QVERIFY(chart.isVisible());
    stub.waitForReadyRead(300);
    QByteArray said = stub.readAll();
    if (outcome == PortalOutcome::Captured) {
        QVERIFY2(frozenMismatch.isEmpty(), qPrintable(frozenMismatch));
        QVERIFY(message.isEmpty());
        QVERIFY(QFileInfo(pictures).isDir());
    } else {
        const std::string text = qelvar::CaptureFailureText(
            outcome, qelvar::DesktopOf(desktop.toStdString()), pictures.toStdString());
        QCOMPARE(message, QString::fromStdString(text));
        QCOMPARE(messageParent, &chart);
    }
    if (stubMode == QLatin1String("allow")) {
        // The picture, however late it came, is not left behind.
        QTRY_VERIFY_WITH_TIMEOUT((said += stub.readAll()).contains("saved "), answerAfterMs + 5000);
        const QString file = QString::fromUtf8(said.mid(said.indexOf("saved ") + 6).split('\n')[0]);
        QTRY_VERIFY2(!QFile::exists(file), qPrintable(file));
    }
}

void WaylandCaptureTest::helpTextShowsThePointerAtOpen() {
    // Before the pointer moves over the capture window, the help box names
    // the pixel under it (X, where the pointer's place can be asked).
    if (QGuiApplication::platformName() != QLatin1String("xcb")) QSKIP("an X client's test");
    Pattern pattern;
    QVERIFY(ShowPattern(pattern, true));
    QCOMPARE(QProcess::execute(
                 QStringLiteral("xdotool"),
                 {QStringLiteral("mousemove"), QStringLiteral("420"), QStringLiteral("430")}),
             0);
    QTRY_COMPARE(pattern.mapFromGlobal(QCursor::pos()), QPoint(420, 430));
    CCatchScreenDlg dlg;
    dlg.show();
    QVERIFY(WaitFillsScreen(dlg));
    const QRgb c = Cut(dlg.FrozenImage(), dlg.size(), {420, 430, 1, 1}).pixel(0, 0);
    const qelvar::ColorRef colour = qelvar::MakeColorRef(qRed(c), qGreen(c), qBlue(c));
    QTRY_COMPARE(dlg.HelpBox()->HelpText(), qelvar::HelpText(colour, {420, 430}, false, false));
    dlg.close();
}

void WaylandCaptureTest::refusedPermissionShowsGnomesMessage() {
    // The harness stored "no" for GNOME's screenshot question.
    qelvar::CZiWeiDlg chart(qelvar::KnownBirth(),
                            std::chrono::year_month_day{std::chrono::year{2026} / 12 / 7});
    chart.setWindowModality(Qt::ApplicationModal);
    chart.show();
    QVERIFY(QTest::qWaitForWindowExposed(&chart));
    QString shown;
    const bool ran = RightClickChartThen<QMessageBox>(chart, [&](QMessageBox* box) {
        shown = box->text();
        box->accept();
    });
    QVERIFY(ran);
    const QString pictures = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    QCOMPARE(shown, QString::fromStdString(qelvar::CaptureFailureText(
                        PortalOutcome::Refused, qelvar::Desktop::Gnome, pictures.toStdString())));
    QVERIFY(!VisibleCaptureWindow());
    const QStringList left = QDir::home().entryList({QStringLiteral("Screenshot*")}) +
                             QDir(pictures).entryList(QDir::Files);
    QVERIFY2(left.isEmpty(), qPrintable(left.join(u' ')));
}

QTEST_MAIN(WaylandCaptureTest)
#include "wayland_capture_test.moc"
