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
// in a local loop that takes no user input and shows nothing (on GNOME the
// first request waits for the desktop's own permission question).  The
// user's pictures folder is made first when it is missing.  The picture file
// the portal leaves behind is deleted, also when it comes after the program
// gave up waiting.
PortalShot GrabScreenThroughPortal(const QScreen& screen);

// How long to wait for the portal's answer (kPortalWaitSeconds unless tests
// change it).
void SetPortalTimeout(int milliseconds);

}  // namespace qelvar
