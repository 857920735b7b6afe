#include "app/AppIcon.h"

#include <array>

// The resource file lives in a static library: register it explicitly.
static void InitIconResources() {
    Q_INIT_RESOURCE(qelvar);
}

namespace qelvar {

QIcon AppIcon() {
    InitIconResources();
    QIcon icon;
    for (const int size : std::array{16, 22, 24, 32, 48, 64, 128, 256}) {
        icon.addFile(QStringLiteral(":/icons/%1.png").arg(size), QSize(size, size));
    }
    return icon;
}

}  // namespace qelvar
