#include "ui/app/AppIcon.h"

#include <array>

// The resource file lives in a static library: register it explicitly.
static void InitIconResources() {
    Q_INIT_RESOURCE(qelvar);
}

namespace qelvar {

namespace {

QIcon BuildAppIcon() {
    InitIconResources();
    QIcon icon;
    for (const int size : std::array{16, 22, 24, 32, 48, 64, 128, 256}) {
        icon.addFile(QStringLiteral(":/icons/%1.png").arg(size), QSize(size, size));
    }
    return icon;
}

}  // namespace

QIcon AppIcon() {
    // Built once and shared: every window's copy uses the same icon engine,
    // so its rendered sizes are cached once, not once per chart window.  It
    // is never destroyed, as pixmaps must not outlive the application.
    static const QIcon* const icon = new QIcon(BuildAppIcon());
    return *icon;
}

}  // namespace qelvar
