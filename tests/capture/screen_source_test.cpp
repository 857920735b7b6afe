// Which source freezes the screen on which session, what the portal's
// answers mean, and where the capture screen lies in the portal's picture
// of the whole desktop (worked out by hand from the screen layouts).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "capture/ScreenSource.h"

namespace qelvar {
namespace {

struct SessionRow {
    const char* name;
    SessionFacts facts;
    ScreenSource expected;
};

TEST(ChooseScreenSource, FollowsTheSessionNotTheQtPlatformAlone) {
    const SessionRow rows[] = {
        {"plain X11 session", {"xcb", "", "x11", ":0.0"}, ScreenSource::XGrab},
        {"X11, nothing set", {"xcb", "", "", ""}, ScreenSource::XGrab},
        {"X11 with a monitor name", {"xcb", "", "x11", "DP-1"}, ScreenSource::XGrab},
        {"native Wayland", {"wayland", "wayland-0", "wayland", "HDMI-1"}, ScreenSource::Portal},
        {"Wayland platform variant", {"wayland-egl", "", "", ""}, ScreenSource::Portal},
        {"XWayland, WAYLAND_DISPLAY set", {"xcb", "wayland-0", "", ""}, ScreenSource::Portal},
        {"XWayland, session type only", {"xcb", "", "wayland", ":0.0"}, ScreenSource::Portal},
        {"XWayland, screen name only", {"xcb", "", "", "XWAYLAND0"}, ScreenSource::Portal},
        {"offscreen on a console", {"offscreen", "", "tty", ""}, ScreenSource::XGrab},
    };
    for (const SessionRow& row : rows) {
        EXPECT_EQ(ChooseScreenSource(row.facts), row.expected) << row.name;
    }
}

TEST(OutcomeOfResponse, MapsThePortalResponseCodes) {
    struct Row {
        std::uint32_t response;
        bool hasUri;
        PortalOutcome expected;
    };
    const Row rows[] = {
        {0, true, PortalOutcome::Captured},   {0, false, PortalOutcome::Unreadable},
        {1, false, PortalOutcome::Cancelled}, {1, true, PortalOutcome::Cancelled},
        {2, false, PortalOutcome::Refused},   {3, false, PortalOutcome::Refused},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(OutcomeOfResponse(row.response, row.hasUri), row.expected)
            << row.response << " " << row.hasUri;
    }
}

TEST(CaptureFailureText, EveryFailureExplainsItselfAndARefusalSaysHowToAskAgain) {
    EXPECT_TRUE(CaptureFailureText(PortalOutcome::Captured).empty());
    for (PortalOutcome o :
         {PortalOutcome::Cancelled, PortalOutcome::Refused, PortalOutcome::NoPortal,
          PortalOutcome::TimedOut, PortalOutcome::Unreadable}) {
        EXPECT_NE(CaptureFailureText(o).find("没有打开截图窗口"), std::string_view::npos);
    }
    const std::string_view refused = CaptureFailureText(PortalOutcome::Refused);
    EXPECT_NE(refused.find("PermissionStore.DeletePermission screenshot screenshot ''"),
              std::string_view::npos);
    EXPECT_NE(CaptureFailureText(PortalOutcome::NoPortal).find("xdg-desktop-portal"),
              std::string_view::npos);
    EXPECT_NE(CaptureFailureText(PortalOutcome::TimedOut).find("10 秒"), std::string_view::npos);
}

struct CropRow {
    const char* name;
    std::vector<PixelBox> screens;
    std::size_t capture;  // index of the capture screen
    int imageWidth;
    int imageHeight;
    std::optional<PixelBox> expected;
};

TEST(PortalCropBox, CutsTheCaptureScreenOutOfTheDesktopInDevicePixels) {
    const PixelBox hd{0, 0, 1280, 720};
    const CropRow rows[] = {
        {"one screen, scale 1", {hd}, 0, 1280, 720, PixelBox{0, 0, 1280, 720}},
        {"one screen, scale 2", {{0, 0, 640, 360}}, 0, 1280, 720, PixelBox{0, 0, 1280, 720}},
        {"one screen, scale 1.5", {hd}, 0, 1920, 1080, PixelBox{0, 0, 1920, 1080}},
        {"right of two", {hd, {1280, 0, 1280, 720}}, 1, 2560, 720, PixelBox{1280, 0, 1280, 720}},
        {"left of two", {hd, {1280, 0, 1280, 720}}, 0, 2560, 720, PixelBox{0, 0, 1280, 720}},
        // Scale 2 on the left (1280 x 720 device pixels), scale 1 on the
        // right; the picture has the largest scale, so the right one is
        // doubled too.
        {"mixed scales, the scale-2 screen",
         {{0, 0, 640, 360}, {640, 0, 1280, 720}},
         0,
         3840,
         1440,
         PixelBox{0, 0, 1280, 720}},
        {"mixed scales, the scale-1 screen",
         {{0, 0, 640, 360}, {640, 0, 1280, 720}},
         1,
         3840,
         1440,
         PixelBox{1280, 0, 2560, 1440}},
        {"screen left of the origin",
         {{-1280, 0, 1280, 1024}, {0, 0, 1920, 1080}},
         1,
         3200,
         1080,
         PixelBox{1280, 0, 1920, 1080}},
        {"screen above and left",
         {{-1280, -200, 1280, 1024}, {0, 0, 1920, 1080}},
         0,
         3200,
         1280,
         PixelBox{0, 0, 1280, 1024}},
        {"stacked, the lower one",
         {hd, {0, 720, 1280, 720}},
         1,
         1280,
         1440,
         PixelBox{0, 720, 1280, 720}},
        {"fractional 1.5, second screen",
         {hd, {1280, 0, 1920, 1080}},
         1,
         4800,
         1620,
         PixelBox{1920, 0, 2880, 1620}},
        {"empty picture", {hd}, 0, 0, 0, std::nullopt},
    };
    for (const CropRow& row : rows) {
        EXPECT_EQ(
            PortalCropBox(row.screens[row.capture], row.screens, row.imageWidth, row.imageHeight),
            row.expected)
            << row.name;
    }
}

TEST(PortalCropBox, ScreenOutsideTheDesktopGivesNothing) {
    const std::vector<PixelBox> desktop{{0, 0, 1280, 720}};
    EXPECT_EQ(PortalCropBox({2000, 0, 1280, 720}, desktop, 1280, 720), std::nullopt);
    EXPECT_EQ(PortalCropBox({0, 0, 1280, 720}, {}, 1280, 720), (PixelBox{0, 0, 1280, 720}));
}

}  // namespace
}  // namespace qelvar
