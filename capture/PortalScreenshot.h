#pragma once
// The desktop's picture through the XDG desktop portal
// (org.freedesktop.portal.Screenshot on the session bus), for Wayland
// sessions, where a program may not read the screen itself.

#include <QImage>

#include "capture/ScreenSource.h"

class QScreen;

namespace qelvar {

struct PortalShot {
    PortalOutcome outcome = PortalOutcome::NoPortal;
    QImage image;  // with Captured: `screen`'s part of the desktop, in device pixels
};

// Asks the portal for a non-interactive screenshot and waits for its answer
// in a local loop that takes no user input.  The picture file the portal
// leaves behind is deleted.
PortalShot GrabScreenThroughPortal(const QScreen& screen);

// How long to wait for the portal's answer (10 s unless tests change it);
// after that the request is closed.
void SetPortalTimeout(int milliseconds);

}  // namespace qelvar
