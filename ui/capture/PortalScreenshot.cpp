#include "ui/capture/PortalScreenshot.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QGuiApplication>
#include <QRandomGenerator>
#include <QScreen>
#include <QStandardPaths>
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
    static int ms = kPortalWaitSeconds * 1000;
    return ms;
}

// After the program gave up, the request stays open and this keeps
// listening: a picture the portal still delivers (a permission question
// answered late) is deleted rather than left in the user's folder.  It
// closes the request and goes away after a while.
class LateAnswer : public QObject {
    Q_OBJECT
public:
    LateAnswer(QDBusConnection bus, QString handle)
        : QObject(QCoreApplication::instance()),
          m_bus(std::move(bus)),
          m_handle(std::move(handle)) {
        m_bus.connect(kService, m_handle, kRequest, QStringLiteral("Response"), this,
                      SLOT(OnResponse(uint, QVariantMap)));
        QTimer::singleShot(kLateAnswerMs, this, [this] {
            m_bus.send(QDBusMessage::createMethodCall(kService, m_handle, kRequest,
                                                      QStringLiteral("Close")));
            deleteLater();
        });
    }
    ~LateAnswer() override {
        m_bus.disconnect(kService, m_handle, kRequest, QStringLiteral("Response"), this,
                         SLOT(OnResponse(uint, QVariantMap)));
    }

public slots:
    void OnResponse(uint, const QVariantMap& results) {
        const QString file = QUrl(results.value(QStringLiteral("uri")).toString()).toLocalFile();
        if (!file.isEmpty()) QFile::remove(file);
        deleteLater();
    }

private:
    static constexpr int kLateAnswerMs = 5 * 60 * 1000;
    QDBusConnection m_bus;
    QString m_handle;
};

// KDE's portal saves its picture in the user's pictures folder and gives
// up when the folder is missing; a fresh account may not have it yet.
void EnsurePicturesFolder() {
    const QString dir = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    if (!dir.isEmpty()) QDir().mkpath(dir);
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

    EnsurePicturesFolder();
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
        new LateAnswer(bus, handle);
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
