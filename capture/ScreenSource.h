#pragma once
// Where the capture window's frozen picture comes from, decided without any
// window system: on an X11 session the program reads the screen itself; on a
// Wayland session (the program running natively or under XWayland) only the
// desktop may read the screen, so the picture is asked for through the XDG
// desktop portal's Screenshot interface.  Reading the root window under
// XWayland gives a black picture, so a Wayland session never uses the X
// grab.  Also here: what the portal's answers mean, the Chinese messages for
// a capture that could not start, and where the capture screen lies in the
// portal's picture of the whole desktop.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace qelvar {

enum class ScreenSource { XGrab, Portal };

// What the program knows about its session.  Empty strings stand for unset
// environment variables.
struct SessionFacts {
    std::string_view qtPlatform;         // QGuiApplication::platformName()
    std::string_view waylandDisplay;     // WAYLAND_DISPLAY
    std::string_view sessionType;        // XDG_SESSION_TYPE
    std::string_view primaryScreenName;  // e.g. "XWAYLAND0" under XWayland
};

ScreenSource ChooseScreenSource(const SessionFacts& facts);

// How a portal screenshot request ended.
enum class PortalOutcome {
    Captured,    // response 0 with a picture
    Cancelled,   // response 1
    Refused,     // response 2: denied by the user or the desktop, or failed
    NoPortal,    // no Screenshot portal on the session bus
    TimedOut,    // no response in time; the request was closed
    Unreadable,  // response 0, but no picture could be read
};

// Response codes of org.freedesktop.portal.Request.Response.
PortalOutcome OutcomeOfResponse(std::uint32_t response, bool hasUri);

// How long the program waits for the portal's answer: longer than the
// portal itself waits for the desktop's permission question (25 s), so
// that its answer, not the program's impatience, ends the wait.
inline constexpr int kPortalWaitSeconds = 30;

// The desktops whose portals behave in ways a message must name.
enum class Desktop { Gnome, Kde, Other };

// The desktop named by XDG_CURRENT_DESKTOP, a colon-separated list such as
// "ubuntu:GNOME" or "KDE"; the first name known here wins.
Desktop DesktopOf(std::string_view xdgCurrentDesktop);

// The message shown when the capture window does not open, in Chinese,
// naming what is known of the cause on `desktop`; `picturesDir` is the
// folder where the desktop's portal saves its picture.  Empty for Captured.
std::string CaptureFailureText(PortalOutcome outcome, Desktop desktop,
                               std::string_view picturesDir);

// A rectangle in one coordinate space: x, y of the top-left corner, width
// and height.
struct PixelBox {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    friend bool operator==(const PixelBox&, const PixelBox&) = default;
};

// The smallest box holding every box of `boxes`; empty for no boxes.
PixelBox BoundingBox(std::span<const PixelBox> boxes);

// The portal pictures the whole desktop: the bounding box of all screens
// (in the desktop's logical coordinates, as the program sees the screens)
// scaled to device pixels, usually by the largest screen scale.  The part
// of a `imageWidth` x `imageHeight` picture that shows `screen`, in device
// pixels, with the scale worked out from the picture's size.  None when the
// picture is empty or `screen` lies outside the desktop.
std::optional<PixelBox> PortalCropBox(const PixelBox& screen, std::span<const PixelBox> screens,
                                      int imageWidth, int imageHeight);

}  // namespace qelvar
