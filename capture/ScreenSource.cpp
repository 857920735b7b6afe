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

std::string_view CaptureFailureText(PortalOutcome outcome) {
    switch (outcome) {
        case PortalOutcome::Captured:
            return {};
        case PortalOutcome::Cancelled:
            return "屏幕截图请求被取消，没有打开截图窗口。";
        case PortalOutcome::Refused:
            return "桌面拒绝了屏幕截图请求，没有打开截图窗口。\n\n"
                   "GNOME 第一次截图时会询问是否允许应用程序截屏"
                   "（英文界面为“Allow Applications to Take Screenshots?”），"
                   "选择“拒绝”后会一直记住。"
                   "要让它再次询问，请在终端运行：\n\n"
                   "gdbus call --session --dest org.freedesktop.impl.portal.PermissionStore "
                   "--object-path /org/freedesktop/impl/portal/PermissionStore "
                   "--method org.freedesktop.impl.portal.PermissionStore.DeletePermission "
                   "screenshot screenshot ''";
        case PortalOutcome::NoPortal:
            return "这个 Wayland 桌面没有提供屏幕截图门户（org.freedesktop.portal.Screenshot），"
                   "没有打开截图窗口。\n\n"
                   "请安装 xdg-desktop-portal 和适合本桌面的后端："
                   "GNOME 用 xdg-desktop-portal-gnome，KDE Plasma 用 xdg-desktop-portal-kde，"
                   "sway 等 wlroots 桌面用 xdg-desktop-portal-wlr（另需 grim）。";
        case PortalOutcome::TimedOut:
            return "屏幕截图门户在 10 秒内没有回应，没有打开截图窗口。";
        case PortalOutcome::Unreadable:
            return "无法读取屏幕截图门户交来的图片，没有打开截图窗口。";
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
