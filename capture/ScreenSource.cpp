#include "capture/ScreenSource.h"

#include <algorithm>
#include <cmath>

namespace qelvar {

ScreenSource ChooseScreenSource(const SessionFacts& facts) {
    const bool wayland = facts.qtPlatform.starts_with("wayland") || !facts.waylandDisplay.empty() ||
                         facts.sessionType == "wayland" ||
                         facts.primaryScreenName.starts_with("XWAYLAND");
    return wayland ? ScreenSource::Portal : ScreenSource::XGrab;
}

PortalOutcome OutcomeOfResponse(std::uint32_t response, bool hasUri) {
    switch (response) {
        case 0:
            return hasUri ? PortalOutcome::Captured : PortalOutcome::Unreadable;
        case 1:
            return PortalOutcome::Cancelled;
        default:
            return PortalOutcome::Refused;
    }
}

Desktop DesktopOf(std::string_view xdgCurrentDesktop) {
    std::string_view rest = xdgCurrentDesktop;
    while (!rest.empty()) {
        const std::size_t colon = rest.find(':');
        const std::string_view name = rest.substr(0, colon);
        if (name == "GNOME" || name == "GNOME-Classic" || name == "GNOME-Flashback") {
            return Desktop::Gnome;
        }
        if (name == "KDE") return Desktop::Kde;
        if (colon == std::string_view::npos) break;
        rest.remove_prefix(colon + 1);
    }
    return Desktop::Other;
}

namespace {

constexpr std::string_view kNotOpened = "没有打开截图窗口。";

constexpr std::string_view kGnomeResetCommand =
    "gdbus call --session --dest org.freedesktop.impl.portal.PermissionStore "
    "--object-path /org/freedesktop/impl/portal/PermissionStore "
    "--method org.freedesktop.impl.portal.PermissionStore.DeletePermission "
    "screenshot screenshot ''";

// What KDE's portal needs for its screenshot component and Debian's
// xdg-desktop-portal-kde does not pull in: the Qt Quick modules it loads
// (org.kde.plasma.workspace.dialogs comes with plasma-workspace) and Qt 5's
// Wayland platform.
constexpr std::string_view kKdeScreenshotModules =
    "plasma-workspace qml-module-org-kde-kirigami2 qml-module-qtquick-controls2 qtwayland5";

std::string Concat(std::initializer_list<std::string_view> parts) {
    std::string text;
    for (std::string_view part : parts) text += part;
    return text;
}

}  // namespace

std::string CaptureFailureText(PortalOutcome outcome, Desktop desktop,
                               std::string_view picturesDir) {
    switch (outcome) {
        case PortalOutcome::Captured:
            return {};
        case PortalOutcome::Cancelled:
            if (desktop == Desktop::Kde) {
                return Concat({"KDE 的屏幕截图门户取消了截图请求，", kNotOpened,
                               "\n\nKDE 先把截图存进图片文件夹（", picturesDir,
                               "），这个文件夹不存在或不能写入时它就取消请求。"
                               "请确认它存在并且可以写入，然后再截图。"});
            }
            return Concat({"屏幕截图请求被取消，", kNotOpened});
        case PortalOutcome::Refused:
            if (desktop == Desktop::Gnome) {
                return Concat({"GNOME 拒绝了屏幕截图请求，", kNotOpened,
                               "\n\nGNOME 第一次截图时会询问是否允许应用程序截屏"
                               "（英文界面为“Allow Applications to Take Screenshots?”）。"
                               "选择“拒绝”后会一直记住；25 秒内没有回答也算这一次拒绝"
                               "（不会记住），回答后再截图即可。"
                               "要让它在记住“拒绝”后再次询问，请在终端运行：\n\n",
                               kGnomeResetCommand});
            }
            if (desktop == Desktop::Kde) {
                return Concat({"KDE 的屏幕截图门户没有交出截图（请求失败），", kNotOpened,
                               "\n\n常见的原因是门户的截图组件无法载入："
                               "xdg-desktop-portal-kde 需要的 Qt Quick 模块没有安装"
                               "（完整的 Plasma 桌面带有它们）。在 Debian 上请安装：\n\n"
                               "sudo apt install ",
                               kKdeScreenshotModules,
                               "\n\n然后重新登录，或者结束 xdg-desktop-portal-kde 让它重新启动。"});
            }
            return Concat({"桌面拒绝了屏幕截图请求，或者截图失败，", kNotOpened});
        case PortalOutcome::NoPortal:
            return Concat(
                {"这个 Wayland 桌面没有提供屏幕截图门户（org.freedesktop.portal.Screenshot），",
                 kNotOpened,
                 "\n\n请安装 xdg-desktop-portal 和适合本桌面的后端："
                 "GNOME 用 xdg-desktop-portal-gnome，KDE Plasma 用 xdg-desktop-portal-kde，"
                 "sway 等 wlroots 桌面用 xdg-desktop-portal-wlr（另需 grim）。"});
        case PortalOutcome::TimedOut:
            return Concat({"屏幕截图门户在 ", std::to_string(kPortalWaitSeconds), " 秒内没有回应，",
                           kNotOpened, "\n\n如果它稍后交来截图，截图文件会被删除。"});
        case PortalOutcome::Unreadable:
            return Concat({"无法读取屏幕截图门户交来的图片，", kNotOpened});
    }
    return {};
}

PixelBox BoundingBox(std::span<const PixelBox> boxes) {
    if (boxes.empty()) return {};
    int left = boxes.front().x;
    int top = boxes.front().y;
    int right = left + boxes.front().width;
    int bottom = top + boxes.front().height;
    for (const PixelBox& b : boxes) {
        left = std::min(left, b.x);
        top = std::min(top, b.y);
        right = std::max(right, b.x + b.width);
        bottom = std::max(bottom, b.y + b.height);
    }
    return {left, top, right - left, bottom - top};
}

std::optional<PixelBox> PortalCropBox(const PixelBox& screen, std::span<const PixelBox> screens,
                                      int imageWidth, int imageHeight) {
    PixelBox desktop = BoundingBox(screens);
    if (screens.empty()) desktop = screen;
    if (desktop.width <= 0 || desktop.height <= 0 || imageWidth <= 0 || imageHeight <= 0) {
        return std::nullopt;
    }
    // Device pixels per logical pixel, one factor per axis: fractional
    // scales round the picture's size.
    const double sx = static_cast<double>(imageWidth) / desktop.width;
    const double sy = static_cast<double>(imageHeight) / desktop.height;
    auto device = [](int logical, double scale, int limit) {
        return std::clamp(static_cast<int>(std::lround(logical * scale)), 0, limit);
    };
    const int left = device(screen.x - desktop.x, sx, imageWidth);
    const int top = device(screen.y - desktop.y, sy, imageHeight);
    const int right = device(screen.x + screen.width - desktop.x, sx, imageWidth);
    const int bottom = device(screen.y + screen.height - desktop.y, sy, imageHeight);
    if (right <= left || bottom <= top) return std::nullopt;
    return PixelBox{left, top, right - left, bottom - top};
}

}  // namespace qelvar
