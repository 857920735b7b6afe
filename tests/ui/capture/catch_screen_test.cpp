// The capture window on a real X display: it freezes what is on the screen,
// and mouse drags, double-clicks, the right button and the keys act on the
// selection as the user expects; the selection reaches the clipboard and the
// saved file pixel for pixel.  Sizes and colours are read from the screen
// the tests run on (any size from 1024 x 768, any depth Qt can draw), and
// waits are for conditions, never for a fixed time.
#include <QApplication>
#include <QClipboard>
#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileDialog>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScopeGuard>
#include <QScreen>
#include <QTemporaryDir>
#include <QWindow>
#include <QtTest>
#include <cstdlib>
#include <functional>

#include "capture/BmpFile.h"
#include "capture/HelpText.h"
#include "capture/ScreenVisual.h"
#include "tests/ui/KnownBirth.h"
#include "tests/ui/QtWarnings.h"
#include "ui/capture/CatchScreenDlg.h"
#include "ui/chart/ZiWeiDlg.h"

using qelvar::CCatchScreenDlg;
using qelvar::ScreenRect;

namespace {

// What is on the screen before the capture window opens: every pixel has a
// colour worked out from its position, and a pure blue square at (400, 400).
QRgb BackdropPixel(int x, int y) {
    if (x >= 400 && x < 450 && y >= 400 && y < 450) return qRgb(0, 0, 255);
    return qRgb((x * 7) & 0xFF, (y * 5) & 0xFF, (x + 3 * y) & 0xFF);
}

class Backdrop : public QWidget {
public:
    Backdrop() : QWidget(nullptr, Qt::FramelessWindowHint) {
        const QRect screen = QGuiApplication::primaryScreen()->geometry();
        m_image = QImage(screen.size(), QImage::Format_RGB32);
        for (int y = 0; y < m_image.height(); ++y)
            for (int x = 0; x < m_image.width(); ++x) m_image.setPixel(x, y, BackdropPixel(x, y));
        setGeometry(screen);
    }

protected:
    void paintEvent(QPaintEvent*) override { QPainter(this).drawImage(0, 0, m_image); }

private:
    QImage m_image;
};

void SendMouse(QWidget* w, QEvent::Type type, QPoint pos, Qt::MouseButton button,
               Qt::MouseButtons buttons) {
    QMouseEvent e(type, QPointF(pos), QPointF(w->mapToGlobal(pos)), button, buttons,
                  Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}
void Press(QWidget* w, QPoint p, Qt::MouseButton b = Qt::LeftButton) {
    SendMouse(w, QEvent::MouseButtonPress, p, b, b);
}
void Release(QWidget* w, QPoint p, Qt::MouseButton b = Qt::LeftButton) {
    SendMouse(w, QEvent::MouseButtonRelease, p, b, Qt::NoButton);
}
void Move(QWidget* w, QPoint p, Qt::MouseButtons held = Qt::LeftButton) {
    SendMouse(w, QEvent::MouseMove, p, Qt::NoButton, held);
}
void DoubleClick(QWidget* w, QPoint p) {
    Press(w, p);
    Release(w, p);
    SendMouse(w, QEvent::MouseButtonDblClick, p, Qt::LeftButton, Qt::LeftButton);
    Release(w, p);
}
void Drag(QWidget* w, QPoint from, QPoint to) {
    Press(w, from);
    Move(w, (from + to) / 2);
    Move(w, to);
    Release(w, to);
}

// The application's key routing, as the program's event filter does it.
class KeyRouter : public QObject {
public:
    explicit KeyRouter(QWidget* capture) : m_capture(capture) {}
    bool eventFilter(QObject* receiver, QEvent* event) override {
        CCatchScreenDlg::OfferKeyPress(m_capture, receiver, event);
        return false;
    }

private:
    QWidget* m_capture;
};

QImage Rgb(const QImage& i) {
    return i.convertToFormat(QImage::Format_RGB32);
}

QImage GrabScreen() {
    return Rgb(QGuiApplication::primaryScreen()->grabWindow(0).toImage());
}

// Whether the screen shows the backdrop, allowing for a screen with fewer
// bits per colour than the backdrop (5 bits leave at most 7 levels out).
bool ScreenShowsBackdrop() {
    const QImage screen = GrabScreen();
    const QSize size = QGuiApplication::primaryScreen()->geometry().size();
    if (screen.size() != size) return false;
    for (const QPoint p : {QPoint(0, 0), QPoint(101, 99), QPoint(420, 430),
                           QPoint(size.width() - 1, size.height() - 1)}) {
        const QRgb want = BackdropPixel(p.x(), p.y());
        const QRgb got = screen.pixel(p);
        if (std::abs(qRed(got) - qRed(want)) > 8 || std::abs(qGreen(got) - qGreen(want)) > 8 ||
            std::abs(qBlue(got) - qBlue(want)) > 8)
            return false;
    }
    return true;
}

// Size of the BMP file of a w x h selection on this screen: the file's
// depth follows the screen's (15 to 24 bits give 24-bit files, 8 bits an
// 8-bit file with a 256-entry colour table).
qint64 BmpSizeOnThisScreen(int w, int h) {
    const int bits = qelvar::BmpDepthForScreen(QGuiApplication::primaryScreen()->depth());
    const qint64 table = bits <= 8 ? 4 << bits : 0;
    const qint64 stride = (static_cast<qint64>(w) * bits + 31) / 32 * 4;
    return 54 + table + stride * h;
}

// Runs `act` once the modal window of type T is shown and exposed, checking
// every few milliseconds; gives up silently after `timeoutMs`.
template <typename T>
void WhenModalShown(QObject* context, std::function<void(T*)> act, int timeoutMs = 5000) {
    auto* timer = new QTimer(context);
    auto* elapsed = new QElapsedTimer;
    elapsed->start();
    QObject::connect(timer, &QTimer::timeout, context, [=] {
        auto* modal = qobject_cast<T*>(QApplication::activeModalWidget());
        const bool ready = modal && modal->windowHandle() && modal->windowHandle()->isExposed();
        if (!ready && elapsed->elapsed() < timeoutMs) return;
        timer->stop();
        timer->deleteLater();
        delete elapsed;
        if (ready) act(modal);
    });
    timer->start(10);
}

}  // namespace

class CatchScreenTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void freezesTheScreenAsItWasBeforeOpening();
    void dragThenDoubleClickCopiesAndSavesExactlyTheSelection();
    void chartRightClickCapturesAndSavesTheSelection();
    void selectionDraggedUpAndLeftIsSavedAsShown();
    void cancelledSaveWritesNothingButTheClipboardHoldsTheSelection();
    void failedSaveIsReportedAndAnotherNameCanBeChosen();
    void usersGetTheSaveDialogForBmpFiles_data();
    void usersGetTheSaveDialogForBmpFiles();
    void rightButtonClearsTheSelectionThenCloses_data();
    void rightButtonClearsTheSelectionThenCloses();
    void enterDoesNothing();
    void doubleClickOutsideTheSelectionClearsIt();
    void trackerDragResizesAndRefreshesTheHelpText();
    void helpTextShowsTheColourUnderTheCursor();
    void helpBoxDodgesTheMouse();
    void arrowKeysReachTheSelectionThroughTheApplicationFilter();
    void keysForOtherWindowsDoNotMoveTheSelection();

private:
    std::unique_ptr<CCatchScreenDlg> OpenCapture();

    std::unique_ptr<Backdrop> m_backdrop;
    QImage m_screen;  // the screen showing the backdrop, as this screen's depth shows it
    std::unique_ptr<QTemporaryDir> m_tempDir;
    QDir m_dir;
    QStringList m_chosen;  // answers of the injected file chooser, in order
    QList<QPair<QString, QString>> m_warnings;
};

void CatchScreenTest::initTestCase() {
    QVERIFY2(QGuiApplication::platformName() == QLatin1String("xcb"),
             "the capture tests need an X display (run them through ./test.sh)");
    QCOMPARE(QGuiApplication::primaryScreen()->geometry().topLeft(), QPoint(0, 0));
    m_backdrop = std::make_unique<Backdrop>();
    m_backdrop->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_backdrop.get()));
    QTRY_VERIFY(ScreenShowsBackdrop());  // the X server has the backdrop's pixels
    m_screen = GrabScreen();
}

void CatchScreenTest::init() {
    qelvar::FailOnQtWarnings();
    // The previous test's capture window is gone: the backdrop repaints
    // what it covered before the next screen grab.
    m_backdrop->update();
    QTRY_VERIFY(GrabScreen() == m_screen);
    m_tempDir = std::make_unique<QTemporaryDir>();
    m_dir = QDir(m_tempDir->path());
    m_chosen.clear();
    m_warnings.clear();
    QGuiApplication::clipboard()->clear();
    CCatchScreenDlg::SetSaveHooks(
        {[this](QWidget*) { return m_chosen.isEmpty() ? QString() : m_chosen.takeFirst(); },
         [this](QWidget*, const QString& file, const QString& reason) {
             m_warnings.append({file, reason});
         }});
}

void CatchScreenTest::cleanup() {
    CCatchScreenDlg::SetSaveHooks({});
}

std::unique_ptr<CCatchScreenDlg> CatchScreenTest::OpenCapture() {
    auto dlg = std::make_unique<CCatchScreenDlg>();
    dlg->show();
    if (!QTest::qWaitForWindowExposed(dlg.get())) return nullptr;
    return dlg;
}

void CatchScreenTest::freezesTheScreenAsItWasBeforeOpening() {
    auto dlg = OpenCapture();
    QVERIFY(dlg);
    const QImage frozen = Rgb(dlg->FrozenImage());
    QCOMPARE(frozen.size(), QGuiApplication::primaryScreen()->geometry().size());
    const QPoint corner(frozen.width() - 1, frozen.height() - 1);
    for (const QPoint p : {QPoint(0, 0), QPoint(101, 99), QPoint(420, 430), corner}) {
        QCOMPARE(frozen.pixel(p), m_screen.pixel(p));
    }
    QVERIFY(frozen == m_screen);
    QVERIFY(dlg->HelpBox()->isVisible());
    QCOMPARE(dlg->HelpBox()->pos(), QPoint(10, 10));
    QCOMPARE(dlg->geometry(), QGuiApplication::primaryScreen()->geometry());
}

void CatchScreenTest::dragThenDoubleClickCopiesAndSavesExactlyTheSelection() {
    auto dlg = OpenCapture();
    QVERIFY(dlg);
    Drag(dlg.get(), {100, 100}, {300, 250});
    QCOMPARE(dlg->State().m_rcBox, (ScreenRect{100, 100, 300, 250}));
    QVERIFY(dlg->State().m_bHasSelection);

    const QString path = m_dir.filePath("shot.bmp");
    m_chosen = {path};
    DoubleClick(dlg.get(), {200, 175});
    QVERIFY(!dlg->isVisible());
    dlg.reset();  // the clipboard keeps the selection after the window is gone

    const QImage expected = m_screen.copy(100, 100, 200, 150);
    const QImage copied = Rgb(QGuiApplication::clipboard()->image());
    QCOMPARE(copied.size(), expected.size());
    for (int y = 0; y < 150; ++y)
        for (int x = 0; x < 200; ++x)
            if (copied.pixel(x, y) != expected.pixel(x, y))
                QFAIL(qPrintable(QString("pixel %1,%2: %3 vs %4")
                                     .arg(x)
                                     .arg(y)
                                     .arg(copied.pixel(x, y), 0, 16)
                                     .arg(expected.pixel(x, y), 0, 16)));
    QCOMPARE(copied, expected);
    QCOMPARE(QFileInfo(path).size(), BmpSizeOnThisScreen(200, 150));
    QCOMPARE(Rgb(QImage(path, "BMP")), expected);
    QVERIFY(m_warnings.isEmpty());
    QCOMPARE(m_dir.entryList(QDir::Files), QStringList{"shot.bmp"});
}

void CatchScreenTest::chartRightClickCapturesAndSavesTheSelection() {
    const qelvar::BirthData birth = qelvar::KnownBirth();
    qelvar::CZiWeiDlg chart(birth, std::chrono::year_month_day{std::chrono::year{2026} / 12 / 7});
    chart.move(0, 0);
    chart.show();
    QVERIFY(QTest::qWaitForWindowExposed(&chart));
    // The chart's pixels have reached the screen once the area to be
    // selected no longer shows the backdrop and two grabs agree.
    QImage screen;
    const auto chartShown = [&] {
        screen = GrabScreen();
        const QRect area(100, 100, 200, 150);
        return screen.copy(area) != m_screen.copy(area) && screen == GrabScreen();
    };
    QTRY_VERIFY(chartShown());

    const QString path = m_dir.filePath("chart.bmp");
    m_chosen = {path};
    bool captured = false;
    WhenModalShown<CCatchScreenDlg>(&chart, [&](CCatchScreenDlg* dlg) {
        captured = true;
        Drag(dlg, {100, 100}, {300, 250});
        DoubleClick(dlg, {200, 175});
    });
    QTest::mouseClick(&chart, Qt::RightButton, {}, QPoint(5, 5));
    QVERIFY(captured);

    const QImage expected = screen.copy(100, 100, 200, 150);
    QCOMPARE(Rgb(QGuiApplication::clipboard()->image()), expected);
    QCOMPARE(QFileInfo(path).size(), BmpSizeOnThisScreen(200, 150));
    QCOMPARE(Rgb(QImage(path, "BMP")), expected);
}

void CatchScreenTest::selectionDraggedUpAndLeftIsSavedAsShown() {
    auto dlg = OpenCapture();
    QVERIFY(dlg);
    Drag(dlg.get(), {300, 250}, {100, 100});
    QCOMPARE(dlg->State().m_rcBox, (ScreenRect{300, 250, 100, 100}));  // kept as dragged
    const QString path = m_dir.filePath("inverted.bmp");
    m_chosen = {path};
    DoubleClick(dlg.get(), {200, 175});
    const QImage expected = dlg->FrozenImage().copy(100, 100, 200, 150);
    QCOMPARE(Rgb(QGuiApplication::clipboard()->image()), Rgb(expected));
    QCOMPARE(Rgb(QImage(path, "BMP")), Rgb(expected));
}

void CatchScreenTest::cancelledSaveWritesNothingButTheClipboardHoldsTheSelection() {
    auto dlg = OpenCapture();
    QVERIFY(dlg);
    Drag(dlg.get(), {10, 500}, {60, 540});
    DoubleClick(dlg.get(), {35, 520});  // the chooser answers "cancel"
    QVERIFY(!dlg->isVisible());
    QCOMPARE(QGuiApplication::clipboard()->image().size(), QSize(50, 40));
    QVERIFY(m_dir.entryList(QDir::Files).isEmpty());
}

void CatchScreenTest::failedSaveIsReportedAndAnotherNameCanBeChosen() {
    auto dlg = OpenCapture();
    QVERIFY(dlg);
    Drag(dlg.get(), {100, 100}, {300, 250});
    const QString existing = m_dir.filePath("keep.bmp");
    {
        QFile f(existing);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("old picture");
    }
    const QString good = m_dir.filePath("second.bmp");
    m_chosen = {m_dir.path(), good};  // a folder first, then a proper name
    DoubleClick(dlg.get(), {200, 175});
    QCOMPARE(m_warnings.size(), 1);
    QCOMPARE(m_warnings[0].first, m_dir.path());
    QVERIFY2(m_warnings[0].second == QStringLiteral("这是一个文件夹"),
             qPrintable(m_warnings[0].second));
    QCOMPARE(QFileInfo(good).size(), BmpSizeOnThisScreen(200, 150));
    QFile kept(existing);
    QVERIFY(kept.open(QIODevice::ReadOnly));
    QCOMPARE(kept.readAll(), QByteArray("old picture"));
    QCOMPARE(m_dir.entryList(QDir::Files), (QStringList{"keep.bmp", "second.bmp"}));
    QCOMPARE(QGuiApplication::clipboard()->image().size(), QSize(200, 150));
}

void CatchScreenTest::usersGetTheSaveDialogForBmpFiles_data() {
    QTest::addColumn<bool>("havePictures");
    QTest::newRow("in the Pictures folder") << true;
    QTest::newRow("in the home folder when there is none") << false;
}

// The real save dialog, for BMP files, opens in the user's Pictures folder
// (here the one user-dirs.dirs names) with a name made of the local time.
void CatchScreenTest::usersGetTheSaveDialogForBmpFiles() {
    QFETCH(bool, havePictures);
    const QString home = m_dir.filePath("home");
    const QString config = m_dir.filePath("config");
    QVERIFY(QDir().mkpath(config) && QDir().mkpath(home));
    if (havePictures) QVERIFY(QDir().mkpath(home + "/Bilder"));
    QFile dirs(config + "/user-dirs.dirs");
    QVERIFY(dirs.open(QIODevice::WriteOnly));
    dirs.write("XDG_PICTURES_DIR=\"$HOME/Bilder\"\n");
    dirs.close();
    const QByteArray oldHome = qgetenv("HOME");
    const QByteArray oldConfig = qgetenv("XDG_CONFIG_HOME");
    qputenv("HOME", QFile::encodeName(home));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(config));
    const auto restore = qScopeGuard([&] {
        qputenv("HOME", oldHome);
        if (oldConfig.isNull())
            qunsetenv("XDG_CONFIG_HOME");
        else
            qputenv("XDG_CONFIG_HOME", oldConfig);
    });

    auto dlg = OpenCapture();
    QVERIFY(dlg);
    CCatchScreenDlg::SetSaveHooks({});  // the real dialog
    QStringList filters;
    QString suffix;
    QString folder;
    QString name;
    bool confirmsOverwrite = false;
    bool saving = false;
    WhenModalShown<QFileDialog>(dlg.get(), [&](QFileDialog* fd) {
        filters = fd->nameFilters();
        suffix = fd->defaultSuffix();
        confirmsOverwrite = !fd->testOption(QFileDialog::DontConfirmOverwrite);
        saving = fd->acceptMode() == QFileDialog::AcceptSave;
        folder = fd->directory().absolutePath();
        name = QFileInfo(fd->selectedFiles().value(0)).fileName();
        fd->reject();
    });
    QTimer guard;  // never hang the run; stops with the test
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, [] {
        if (QWidget* modal = QApplication::activeModalWidget()) modal->close();
    });
    guard.start(5000);
    QImage image(4, 4, QImage::Format_RGB32);
    image.fill(Qt::red);
    const QDateTime before = QDateTime::currentDateTime().addSecs(-1);
    dlg->SaveSelection(image);  // returns once the dialog is cancelled
    const QDateTime after = QDateTime::currentDateTime().addSecs(1);
    QCOMPARE(filters, (QStringList{"BMP 图像 (*.bmp)", "所有文件 (*)"}));
    QCOMPARE(suffix, QString("bmp"));
    QVERIFY(confirmsOverwrite);
    QVERIFY(saving);
    QCOMPARE(folder, havePictures ? home + "/Bilder" : home);
    QVERIFY2(name.startsWith(QStringLiteral("截图-")) && name.endsWith(".bmp"), qPrintable(name));
    const QDateTime stamp =
        QDateTime::fromString(name.mid(3, 15), QStringLiteral("yyyyMMdd-HHmmss"));
    QVERIFY2(stamp.isValid() && stamp >= before && stamp <= after, qPrintable(name));
}

void CatchScreenTest::rightButtonClearsTheSelectionThenCloses_data() {
    QTest::addColumn<bool>("useEsc");
    QTest::newRow("right button") << false;
    QTest::newRow("Esc") << true;
}

void CatchScreenTest::rightButtonClearsTheSelectionThenCloses() {
    QFETCH(bool, useEsc);
    auto dlg = OpenCapture();
    QVERIFY(dlg);
    Drag(dlg.get(), {100, 100}, {300, 250});
    auto stepBack = [&] {
        if (useEsc) {
            QTest::keyClick(dlg.get(), Qt::Key_Escape);
        } else {
            Press(dlg.get(), {500, 500}, Qt::RightButton);
            Release(dlg.get(), {500, 500}, Qt::RightButton);
        }
    };
    stepBack();
    QVERIFY(dlg->isVisible());
    QVERIFY(!dlg->State().m_bHasSelection);
    QCOMPARE(dlg->State().m_rcBox, qelvar::kNoSelection);
    stepBack();
    QVERIFY(!dlg->isVisible());
    QVERIFY(QGuiApplication::clipboard()->image().isNull());
}

void CatchScreenTest::enterDoesNothing() {
    auto dlg = OpenCapture();
    QVERIFY(dlg);
    Drag(dlg.get(), {100, 100}, {300, 250});
    QTest::keyClick(dlg.get(), Qt::Key_Return);
    QTest::keyClick(dlg.get(), Qt::Key_Enter);
    QVERIFY(dlg->isVisible());
    QCOMPARE(dlg->State().m_rcBox, (ScreenRect{100, 100, 300, 250}));
}

void CatchScreenTest::doubleClickOutsideTheSelectionClearsIt() {
    auto dlg = OpenCapture();
    QVERIFY(dlg);
    Drag(dlg.get(), {100, 100}, {300, 250});
    DoubleClick(dlg.get(), {600, 600});
    QVERIFY(dlg->isVisible());
    QVERIFY(!dlg->State().m_bHasSelection);
    DoubleClick(dlg.get(), {600, 600});
    QVERIFY(!dlg->isVisible());
    QVERIFY(QGuiApplication::clipboard()->image().isNull());
}

void CatchScreenTest::trackerDragResizesAndRefreshesTheHelpText() {
    auto dlg = OpenCapture();
    QVERIFY(dlg);
    Drag(dlg.get(), {100, 100}, {300, 250});
    Press(dlg.get(), {299, 175});  // right edge handle
    QVERIFY(dlg->State().IsTracking());
    Move(dlg.get(), {49, 175});
    QCOMPARE(dlg->State().m_rcBox, (ScreenRect{100, 100, 50, 250}));
    const std::string text = dlg->HelpBox()->HelpText();
    QVERIFY2(text.find(")(49,175)\r\n") != std::string::npos, text.c_str());
    QVERIFY(text.ends_with(qelvar::kHelpAdjustText));
    Release(dlg.get(), {49, 175});
    QVERIFY(!dlg->State().IsTracking());
    // Moving from the inside of what is shown.
    Press(dlg.get(), {75, 175});
    Move(dlg.get(), {85, 185});
    Release(dlg.get(), {85, 185});
    QCOMPARE(dlg->State().m_rcBox, (ScreenRect{60, 110, 110, 260}));
}

void CatchScreenTest::helpTextShowsTheColourUnderTheCursor() {
    auto dlg = OpenCapture();
    QVERIFY(dlg);
    Move(dlg.get(), {420, 430}, Qt::NoButton);
    const std::string text = dlg->HelpBox()->HelpText();
    // The blue square as this screen shows it.
    const QRgb shown = m_screen.pixel(420, 430);
    QCOMPARE(qRed(shown), 0);
    QVERIFY(qBlue(shown) > 200);
    const auto colour = qelvar::MakeColorRef(qRed(shown), qGreen(shown), qBlue(shown));
    QCOMPARE(text, qelvar::HelpText(colour, {420, 430}, false, false));
}

void CatchScreenTest::helpBoxDodgesTheMouse() {
    auto dlg = OpenCapture();
    QVERIFY(dlg);
    qelvar::CMyEdit* box = dlg->HelpBox();
    const int screenWidth = QGuiApplication::primaryScreen()->geometry().width();
    Move(box->viewport(), {20, 20}, Qt::NoButton);
    QCOMPARE(box->pos(), QPoint(10, 10));  // first move only clears the flag
    Move(box->viewport(), {21, 20}, Qt::NoButton);
    QCOMPARE(box->pos(), QPoint(screenWidth - 180, 10));
    Move(box->viewport(), {22, 20}, Qt::NoButton);
    QCOMPARE(box->pos(), QPoint(10, 10));
}

void CatchScreenTest::arrowKeysReachTheSelectionThroughTheApplicationFilter() {
    auto dlg = OpenCapture();
    QVERIFY(dlg);
    KeyRouter router(dlg.get());
    qApp->installEventFilter(&router);
    Drag(dlg.get(), {10, 10}, {50, 50});
    QTest::keyClick(dlg.get(), Qt::Key_Left, Qt::ShiftModifier);
    QCOMPARE(dlg->State().m_rcBox, (ScreenRect{10, 10, 49, 50}));
    QTest::keyClick(dlg.get(), Qt::Key_Left);
    QCOMPARE(dlg->State().m_rcBox, (ScreenRect{9, 10, 48, 50}));
    QTest::keyClick(dlg->HelpBox(), Qt::Key_Down);  // a window inside the capture window
    QCOMPARE(dlg->State().m_rcBox, (ScreenRect{9, 11, 48, 51}));
    QTest::keyClick(dlg.get(), Qt::Key_A);
    QCOMPARE(dlg->State().m_rcBox, (ScreenRect{9, 11, 48, 51}));
    qApp->removeEventFilter(&router);
}

void CatchScreenTest::keysForOtherWindowsDoNotMoveTheSelection() {
    auto dlg = OpenCapture();
    QVERIFY(dlg);
    KeyRouter router(dlg.get());
    qApp->installEventFilter(&router);
    Drag(dlg.get(), {10, 10}, {50, 50});
    QTest::keyClick(m_backdrop.get(), Qt::Key_Left);
    QCOMPARE(dlg->State().m_rcBox, (ScreenRect{10, 10, 50, 50}));
    qApp->removeEventFilter(&router);
}

// As the desktop program starts: on an 8-bit screen Qt is given a visual it
// can draw.
int main(int argc, char** argv) {
    qelvar::PreferDrawableVisual(argc, argv);
    QApplication app(argc, argv);
    CatchScreenTest test;
    return QTest::qExec(&test, argc, argv);
}
#include "catch_screen_test.moc"
