// Which source freezes the screen on which session, what the portal's
// answers mean, and where the capture screen lies in the portal's picture
// of the whole desktop (worked out by hand from the screen layouts).
#include <gtest/gtest.h>

#include <string>
#include <utility>
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

TEST(DesktopOf, ReadsTheFirstKnownNameOfTheList) {
    const std::pair<const char*, Desktop> rows[] = {
        {"GNOME", Desktop::Gnome},
        {"ubuntu:GNOME", Desktop::Gnome},
        {"GNOME-Classic:GNOME", Desktop::Gnome},
        {"KDE", Desktop::Kde},
        {"sway", Desktop::Other},
        {"", Desktop::Other},
        {"X-Cinnamon", Desktop::Other},
        {"GNOMEish:KDE", Desktop::Kde},
    };
    for (const auto& [name, desktop] : rows) EXPECT_EQ(DesktopOf(name), desktop) << name;
}

// What each message must name, per desktop: the reset command only where
// GNOME's permission store is, the missing screenshot component and its
// packages only on KDE, the pictures folder where KDE's portal needs it.
TEST(CaptureFailureText, NamesTheCauseKnownOnEachDesktop) {
    const std::string_view reset = "PermissionStore.DeletePermission screenshot screenshot ''";
    const std::string_view kdePackages = "sudo apt install plasma-workspace";
    const std::string_view folder = "/home/u/图片";
    struct Row {
        PortalOutcome outcome;
        Desktop desktop;
        std::vector<std::string_view> present;
        std::vector<std::string_view> absent;
    };
    const Row rows[] = {
        {PortalOutcome::Refused, Desktop::Gnome, {reset, "25 秒"}, {kdePackages}},
        {PortalOutcome::Refused, Desktop::Kde, {kdePackages, "xdg-desktop-portal-kde"}, {reset}},
        {PortalOutcome::Refused, Desktop::Other, {}, {reset, kdePackages}},
        {PortalOutcome::Cancelled, Desktop::Kde, {folder}, {reset, kdePackages}},
        {PortalOutcome::Cancelled, Desktop::Gnome, {}, {reset, folder}},
        {PortalOutcome::Cancelled, Desktop::Other, {}, {reset, folder}},
        {PortalOutcome::NoPortal, Desktop::Other, {"xdg-desktop-portal-gnome"}, {reset}},
        {PortalOutcome::TimedOut, Desktop::Gnome, {"30 秒"}, {reset}},
        {PortalOutcome::Unreadable, Desktop::Kde, {}, {reset, kdePackages}},
    };
    for (const Row& row : rows) {
        const std::string text = CaptureFailureText(row.outcome, row.desktop, folder);
        const auto label = std::to_string(static_cast<int>(row.outcome)) + "/" +
                           std::to_string(static_cast<int>(row.desktop));
        EXPECT_NE(text.find("没有打开截图窗口"), std::string::npos) << label;
        for (std::string_view p : row.present)
            EXPECT_NE(text.find(p), std::string::npos) << label << " " << p;
        for (std::string_view a : row.absent)
            EXPECT_EQ(text.find(a), std::string::npos) << label << " " << a;
    }
    EXPECT_TRUE(CaptureFailureText(PortalOutcome::Captured, Desktop::Gnome, folder).empty());
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
