#include "ui/capture/CatchScreenDlg.h"

#include <QApplication>
#include <QClipboard>
#include <QEventLoop>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QScreen>
#include <QStandardPaths>
#include <QTimer>

#include "capture/HelpText.h"
#include "ui/app/AppLanguage.h"
#include "ui/app/Tovrin.h"
#include "ui/capture/ColourMappedGrab.h"
#include "ui/capture/PortalScreenshot.h"

// Resources compiled into the Qt layer's static library are registered by hand.
static void InitCaptureResources() {
    Q_INIT_RESOURCE(capture);
}

namespace qelvar {

namespace {

QFont ReadoutFont() {
    QFont f;
    f.setFamilies(
        {QStringLiteral("SimSun"), QStringLiteral("宋体"), QStringLiteral("AR PL UMing CN")});
    f.setPointSize(9);
    return f;
}

QRect ToQRect(const ScreenRect& r) {
    return QRect(r.left, r.top, r.Width(), r.Height());
}

NudgeKey NudgeKeyOf(int qtKey) {
    switch (qtKey) {
        case Qt::Key_Left:
            return NudgeKey::Left;
        case Qt::Key_Up:
            return NudgeKey::Up;
        case Qt::Key_Right:
            return NudgeKey::Right;
        case Qt::Key_Down:
            return NudgeKey::Down;
        default:
            return NudgeKey::Other;
    }
}

bool IsNativeWayland() {
    return QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

ScreenSource SourceForThisSession() {
    const QScreen* primary = QGuiApplication::primaryScreen();
    const QByteArray platform = QGuiApplication::platformName().toUtf8();
    const QByteArray display = qgetenv("WAYLAND_DISPLAY");
    const QByteArray session = qgetenv("XDG_SESSION_TYPE");
    const QByteArray screenName = primary ? primary->name().toUtf8() : QByteArray();
    return ChooseScreenSource({platform.toStdString(), display.toStdString(), session.toStdString(),
                               screenName.toStdString()});
}

}  // namespace

CCatchScreenDlg::CCatchScreenDlg(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
    InitCaptureResources();
    // The window the capture was asked from, which a failure message stays
    // above: the parent, or else the window running modally (the chart).
    m_owner = parent ? parent : QApplication::activeModalWidget();
    if (!m_owner) m_owner = QApplication::activeWindow();
    m_hCaptureCursor = QCursor(QPixmap(QStringLiteral(":/capture/cursor133.png")), 2, 4);
    QScreen* screen = QGuiApplication::primaryScreen();
    const QRect screenRect = screen ? screen->geometry() : QRect();
    m_nScreenWidth = screenRect.width();
    m_nScreenHeight = screenRect.height();
    // The window does not exist yet: this is the screen as the user left it.
    m_pFrozenImage = FreezeScreen(screen);
    // The window's size until the compositor gives it its real one
    // (resizeEvent): the screen as Qt reports it, corrected where that is
    // the picture's device size.
    const PixelSize covered =
        CoveredSize({m_pFrozenImage.width(), m_pFrozenImage.height()},
                    {m_nScreenWidth, m_nScreenHeight}, screen ? screen->devicePixelRatio() : 1.0);
    SetCoveredSize(covered.width, covered.height);

    setAttribute(Qt::WA_OpaquePaintEvent);  // every paint covers its area with the picture
    setMouseTracking(true);
    setCursor(m_hCaptureCursor);
    // Full screen on the frozen screen, on every desktop: the window state
    // is set before the modal run starts (showing full screen first and
    // running modally afterwards leaves the window modeless under the
    // chart on some desktops).
    if (screen) setScreen(screen);
    setGeometry(QRect(screenRect.topLeft(), QSize(m_nScreenWidth, m_nScreenHeight)));
    setWindowState(Qt::WindowFullScreen);
    m_helpBox = new CMyEdit(this);
    m_helpBox->move(CMyEdit::LeftCorner());
    // A native Wayland client does not know where the pointer is until it
    // enters one of its windows: the first pointer event tells.
    if (!IsNativeWayland()) m_ptCursor = mapFromGlobal(QCursor::pos());
    UpdateHelpText();
    // The application's key filter hands arrow keys addressed here to
    // NudgeSelection.
    if (CTovrinApp* app = CTovrinApp::Instance()) app->m_hwndCapture = this;
}

CCatchScreenDlg::~CCatchScreenDlg() = default;

int CCatchScreenDlg::exec() {
    if (m_freezeOutcome != PortalOutcome::Captured) {
        ShowFailure();
        return QDialog::Rejected;
    }
    return QDialog::exec();
}

void CCatchScreenDlg::ShowFailure() {
    const std::string why = CaptureFailureText(
        m_freezeOutcome, DesktopOf(qgetenv("XDG_CURRENT_DESKTOP").toStdString()),
        QStandardPaths::writableLocation(QStandardPaths::PicturesLocation).toStdString());
    // While the desktop's own question is up (GNOME asks before the first
    // capture) another program has the focus, and a window mapped then
    // would go behind it: the message waits until the program has the
    // focus again, at most a minute.
    if (QGuiApplication::applicationState() != Qt::ApplicationActive) {
        QEventLoop wait;
        const auto activated = connect(qApp, &QGuiApplication::applicationStateChanged, &wait,
                                       [&wait](Qt::ApplicationState state) {
                                           if (state == Qt::ApplicationActive) wait.quit();
                                       });
        QTimer::singleShot(kMessageWaitMs, &wait, &QEventLoop::quit);
        wait.exec(QEventLoop::ExcludeUserInputEvents);
        disconnect(activated);
    }
    // Above the window it was asked from (the chart, active again), and
    // above other windows where the window system lets a program say so.
    QWidget* owner = m_owner ? m_owner.data() : QApplication::activeWindow();
    QMessageBox box(QMessageBox::Warning, tr("无法截图"), QString::fromStdString(why),
                    QMessageBox::Ok, owner);
    box.setWindowFlag(Qt::WindowStaysOnTopHint);
    box.setWindowModality(Qt::ApplicationModal);
    QTimer::singleShot(0, &box, [&box] {
        box.raise();
        box.activateWindow();
    });
    box.exec();
}

QImage CCatchScreenDlg::FreezeScreen(QScreen* screen) {
    const QSize size(m_nScreenWidth, m_nScreenHeight);
    std::optional<QImage> grabbed;
    if (SourceForThisSession() == ScreenSource::Portal) {
        // Reading the screen directly gives black here: only the desktop
        // may picture it.
        PortalShot shot = screen ? GrabScreenThroughPortal(*screen) : PortalShot{};
        m_freezeOutcome = shot.outcome;
        if (shot.outcome == PortalOutcome::Captured) grabbed = std::move(shot.image);
    } else {
        grabbed = GrabScreenRect({0, 0, m_nScreenWidth, m_nScreenHeight}, false);
    }
    if (!grabbed) {
        // The platform cannot read the screen: the picture stays black.
        QImage black(size, QImage::Format_RGB32);
        black.fill(Qt::black);
        return black;
    }
    // On a scaled display the grab has device pixels, and keeps them:
    // selections are cut from it in device pixels.
    return std::move(*grabbed);
}

void CCatchScreenDlg::SetCoveredSize(int width, int height) {
    if (width <= 0 || height <= 0) return;
    m_nScreenWidth = width;
    m_nScreenHeight = height;
    m_mapping =
        PictureMapping::Of({m_pFrozenImage.width(), m_pFrozenImage.height()}, {width, height});
    m_pFrozenImage.setDevicePixelRatio(m_mapping.sx);
}

// The device pixels of the frozen picture under `r` (window pixels); the
// picture may have more pixels than the window on a scaled display.
QRect CCatchScreenDlg::FrozenPixels(const QRect& r) const {
    const auto box = m_mapping.PictureBox({r.x(), r.y(), r.width(), r.height()},
                                          {m_pFrozenImage.width(), m_pFrozenImage.height()});
    return box ? QRect(box->x, box->y, box->width, box->height) : QRect();
}

std::optional<QImage> CCatchScreenDlg::GrabScreenRect(const ScreenRect& rect, bool fromFrozen) {
    const auto onScreen = GrabRectOnScreen(rect, m_nScreenWidth, m_nScreenHeight);
    if (!onScreen) return std::nullopt;
    const QRect r = ToQRect(*onScreen);
    QImage image;
    if (fromFrozen) {
        image = m_pFrozenImage.copy(FrozenPixels(r));  // every screen pixel of the selection
        image.setDevicePixelRatio(1);
    } else if (QScreen* screen = QGuiApplication::primaryScreen()) {
        image = screen->grabWindow(0, r.x(), r.y(), r.width(), r.height()).toImage();
        if (image.isNull()) image = GrabColourMappedScreen(r);  // an 8-bit X screen
    }
    if (image.isNull()) return std::nullopt;
    if (image.format() != QImage::Format_RGB32) image = image.convertToFormat(QImage::Format_RGB32);
    if (fromFrozen) QGuiApplication::clipboard()->setImage(image);
    return image;
}

void CCatchScreenDlg::UpdateHelpText() {
    const QPoint p = m_ptCursor;
    ColorRef colour = 0;
    if (rect().contains(p)) {
        // The pixel as shown, tracker frame, read-out and help box included.
        const QRgb shown = grab(QRect(p, QSize(1, 1))).toImage().pixel(0, 0);
        colour = MakeColorRef(qRed(shown), qGreen(shown), qBlue(shown));
    }
    // The instruction in the language of the installed translations.
    const QString state = CoreText(HelpStateText(m_state.m_bDragging, m_state.m_bHasSelection));
    m_helpBox->SetHelpText(ColourLine(colour, {p.x(), p.y()}) + state.toStdString());
}

void CCatchScreenDlg::DrawReadout(QPainter& painter, const ScreenRect& r) const {
    painter.save();
    const QFont font = ReadoutFont();
    const QFontMetrics fm(font, this);
    const QPoint p = m_ptCursor;
    const int lineHeight = fm.lineSpacing();  // text height plus leading
    const int boxWidth = fm.horizontalAdvance(CoreText(kReadoutWidthText));
    const ScreenRect box = ReadoutBox({p.x(), p.y()}, lineHeight, boxWidth, m_nScreenWidth);
    painter.setPen(QPen(Qt::black, 0));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(box.left, box.top, box.Width() - 1, box.Height() - 1);
    painter.setFont(font);
    painter.setPen(QColor(147, 147, 147));
    const auto lines = ReadoutLines(r, {p.x(), p.y()});
    for (int k = 0; k < 6; ++k) {
        const std::string& line = lines[static_cast<std::size_t>(k)];
        painter.drawText(box.left, ReadoutLineTop(box, k, lineHeight) + fm.ascent(),
                         CoreText(line));
    }
    painter.restore();
}

void CCatchScreenDlg::RepaintExceptHelpBox() {
    m_rgnRepaint = QRegion(rect()).subtracted(QRegion(m_helpBox->geometry()));
    update(m_rgnRepaint);
}

void CCatchScreenDlg::NudgeSelection(int qtKey, bool shift) {
    Apply(m_state.NudgeSelection(NudgeKeyOf(qtKey), shift));
}

void CCatchScreenDlg::OnMouseMove(QPoint p) {
    Apply(m_state.OnMouseMove({p.x(), p.y()}));
}

void CCatchScreenDlg::OfferKeyPress(QWidget* capture, QObject* receiver, const QEvent* event) {
    auto* dialog = qobject_cast<CCatchScreenDlg*>(capture);
    if (!dialog || !event || event->type() != QEvent::KeyPress) return;
    auto* target = qobject_cast<QWidget*>(receiver);
    if (!target || (target != dialog && !dialog->isAncestorOf(target))) return;
    const auto* key = static_cast<const QKeyEvent*>(event);
    dialog->NudgeSelection(key->key(), key->modifiers().testFlag(Qt::ShiftModifier));
}

void CCatchScreenDlg::accept() {
    Apply(m_state.OnOk());
}

void CCatchScreenDlg::reject() {
    Apply(m_state.OnCancel());
}

void CCatchScreenDlg::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    const QRect area = event->rect();
    // The frozen screen is the background: one picture pixel per device
    // pixel where the two agree, scaled where the compositor scales the
    // window (fractional scales).  The source is the exact picture area of
    // `area`, so that the painted pieces join without seams.
    const QRectF source(area.x() * m_mapping.sx, area.y() * m_mapping.sy,
                        area.width() * m_mapping.sx, area.height() * m_mapping.sy);
    painter.drawImage(QRectF(area), m_pFrozenImage, source);
    if (m_state.m_bButtonDown && m_state.m_bHasSelection) {
        DrawReadout(painter, m_tracker.GetOuterRect());
    }
    if (m_state.m_bHasSelection) m_tracker.PaintTracker(painter);
}

void CCatchScreenDlg::mousePressEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    m_ptCursor = p;
    if (event->button() == Qt::LeftButton) {
        m_ptPress = p;
        Apply(m_state.OnLeftPress(m_tracker.HitTestAt(p), {p.x(), p.y()}));
    } else if (event->button() == Qt::RightButton) {
        Apply(m_state.OnRightPress());
    }
}

void CCatchScreenDlg::mouseMoveEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    m_ptCursor = p;
    if (m_state.IsTracking()) {
        Apply(m_state.OnTrackMove({p.x(), p.y()}));
        return;
    }
    // The help box takes no mouse input; it still moves out of the way of
    // a free pointer.
    if (event->buttons() == Qt::NoButton && m_helpBox->geometry().contains(p)) {
        m_helpBox->DodgeMouse();
    }
    OnMouseMove(p);
    ShowCursorAt(p);
}

void CCatchScreenDlg::mouseReleaseEvent(QMouseEvent* event) {
    m_ptCursor = event->position().toPoint();
    if (event->button() != Qt::LeftButton) return;
    Apply(m_state.OnLeftRelease());
    ShowCursorAt(m_ptCursor);
}

void CCatchScreenDlg::mouseDoubleClickEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    m_ptCursor = p;
    if (event->button() == Qt::LeftButton) {
        Apply(m_state.OnDoubleClick(m_tracker.HitTestAt(p)));
    } else if (event->button() == Qt::RightButton) {
        Apply(m_state.OnRightPress());  // a quick second right click counts as a click
    }
}

void CCatchScreenDlg::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // The help box reads out the pixel under the pointer from the start,
    // once the window shows the picture.  X tells where the pointer is; a
    // native Wayland program learns it from the pointer's first event over
    // the window (enterEvent).
    if (IsNativeWayland()) return;
    QTimer::singleShot(0, this, [this] {
        m_ptCursor = mapFromGlobal(QCursor::pos());
        UpdateHelpText();
    });
}

void CCatchScreenDlg::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    // Full screen, the window's own size is the screen's in window pixels.
    SetCoveredSize(width(), height());
}

void CCatchScreenDlg::enterEvent(QEnterEvent* event) {
    QDialog::enterEvent(event);
    m_ptCursor = event->position().toPoint();
    UpdateHelpText();
}

void CCatchScreenDlg::Apply(const CaptureActions& actions) {
    if (actions.Has(kActGrabAndSave)) {
        if (const auto image = GrabScreenRect(actions.grab, true)) SaveSelection(*image);
    }
    if (actions.Has(kActRunTrackLoop)) m_tracker.RunTrackLoop(this, m_ptPress);
    if (actions.Has(kActRepaint)) RepaintExceptHelpBox();
    if (actions.Has(kActTrackStep)) m_tracker.OnTrackStep(this);
    if (actions.Has(kActUpdateHelpText)) UpdateHelpText();
    if (actions.Has(kActClose)) done(QDialog::Rejected);
}

void CCatchScreenDlg::ShowCursorAt(QPoint p) {
    if (!m_tracker.SetCursorFor(this, m_tracker.HitTestAt(p))) setCursor(m_hCaptureCursor);
}

}  // namespace qelvar
