#include "capture/PortalScreenshot.h"

#include <QDBusConnection>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QEventLoop>
#include <QFile>
#include <QGuiApplication>
#include <QRandomGenerator>
#include <QScreen>
#include <QTimer>
#include <QUrl>
#include <vector>

namespace qelvar {

namespace {

const QString kService = QStringLiteral("org.freedesktop.portal.Desktop");
const QString kPath = QStringLiteral("/org/freedesktop/portal/desktop");
const QString kScreenshot = QStringLiteral("org.freedesktop.portal.Screenshot");
const QString kRequest = QStringLiteral("org.freedesktop.portal.Request");
constexpr int kProbeTimeoutMs = 2000;

int& PortalTimeoutMs() {
    static int ms = 10000;
    return ms;
}

// The portal's version property answers at once on a desktop that has the
// Screenshot portal, and fails at once (or after the short time-out) on one
// that has not.
bool HasScreenshotPortal(QDBusConnection& bus) {
    QDBusMessage probe = QDBusMessage::createMethodCall(
        kService, kPath, QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"));
    probe << kScreenshot << QStringLiteral("version");
    return bus.call(probe, QDBus::Block, kProbeTimeoutMs).type() == QDBusMessage::ReplyMessage;
}

// The request object the portal will create for `token`: its path is known
// before the call, so the answer cannot arrive before we listen for it.
QString RequestPath(const QDBusConnection& bus, const QString& token) {
    QString sender = bus.baseService().mid(1);  // ":1.42" -> "1_42"
    sender.replace(QLatin1Char('.'), QLatin1Char('_'));
    return kPath + QStringLiteral("/request/") + sender + QLatin1Char('/') + token;
}

QImage CropToScreen(const QImage& desktop, const QScreen& screen) {
    std::vector<PixelBox> boxes;
    for (const QScreen* s : QGuiApplication::screens()) {
        const QRect g = s->geometry();
        boxes.push_back({g.x(), g.y(), g.width(), g.height()});
    }
    const QRect g = screen.geometry();
    const auto box = PortalCropBox({g.x(), g.y(), g.width(), g.height()}, boxes, desktop.width(),
                                   desktop.height());
    if (!box) return {};
    return desktop.copy(box->x, box->y, box->width, box->height);
}

}  // namespace

// Receives the request's Response signal (Qt D-Bus delivers signals to
// named slots only).
class PortalAnswer : public QObject {
    Q_OBJECT
public:
    QEventLoop loop;
    bool answered = false;
    uint response = 2;
    QVariantMap results;

public slots:
    void OnResponse(uint code, const QVariantMap& values) {
        answered = true;
        response = code;
        results = values;
        loop.quit();
    }
};

PortalShot GrabScreenThroughPortal(const QScreen& screen) {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected() || !HasScreenshotPortal(bus)) return {PortalOutcome::NoPortal, {}};

    const QString token = QStringLiteral("qelvar%1").arg(QRandomGenerator::global()->generate());
    QString handle = RequestPath(bus, token);
    PortalAnswer answer;
    const char* slot = SLOT(OnResponse(uint, QVariantMap));
    bus.connect(kService, handle, kRequest, QStringLiteral("Response"), &answer, slot);

    QDBusMessage call =
        QDBusMessage::createMethodCall(kService, kPath, kScreenshot, QStringLiteral("Screenshot"));
    call << QString()
         << QVariantMap{{QStringLiteral("handle_token"), token},
                        {QStringLiteral("interactive"), false}};
    bool callFailed = false;
    QDBusPendingCallWatcher watcher(bus.asyncCall(call));
    QObject::connect(&watcher, &QDBusPendingCallWatcher::finished, &answer, [&] {
        const QDBusPendingReply<QDBusObjectPath> reply = watcher;
        if (reply.isError()) {
            callFailed = true;
            answer.loop.quit();
        } else if (reply.value().path() != handle) {
            // An old portal that ignores the token names its own request.
            bus.disconnect(kService, handle, kRequest, QStringLiteral("Response"), &answer, slot);
            handle = reply.value().path();
            bus.connect(kService, handle, kRequest, QStringLiteral("Response"), &answer, slot);
        }
    });
    QTimer timeout;
    timeout.setSingleShot(true);
    QObject::connect(&timeout, &QTimer::timeout, &answer.loop, &QEventLoop::quit);
    timeout.start(PortalTimeoutMs());
    if (!answer.answered) answer.loop.exec(QEventLoop::ExcludeUserInputEvents);
    bus.disconnect(kService, handle, kRequest, QStringLiteral("Response"), &answer, slot);

    if (callFailed) return {PortalOutcome::Refused, {}};
    if (!answer.answered) {
        bus.send(
            QDBusMessage::createMethodCall(kService, handle, kRequest, QStringLiteral("Close")));
        return {PortalOutcome::TimedOut, {}};
    }
    const QString uri = answer.results.value(QStringLiteral("uri")).toString();
    const PortalOutcome outcome = OutcomeOfResponse(answer.response, !uri.isEmpty());
    if (outcome != PortalOutcome::Captured) return {outcome, {}};

    // The portal leaves the picture in a file (GNOME in ~/Pictures, the
    // wlroots backend in /tmp); it is ours to remove.
    const QString file = QUrl(uri).toLocalFile();
    const QImage desktop(file);
    if (!file.isEmpty()) QFile::remove(file);
    QImage shot = desktop.isNull() ? QImage() : CropToScreen(desktop, screen);
    if (shot.isNull()) return {PortalOutcome::Unreadable, {}};
    return {PortalOutcome::Captured, std::move(shot)};
}

void SetPortalTimeout(int milliseconds) {
    PortalTimeoutMs() = milliseconds;
}

}  // namespace qelvar

#include "PortalScreenshot.moc"
