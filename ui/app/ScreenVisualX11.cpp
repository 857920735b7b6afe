// PreferDrawableVisual: asks the X server for its screen's visuals and, when
// the windows are drawn in grey, gives their colour maps a grey ramp.
#include <xcb/xcb.h>

#include <QCoreApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QWidget>
#include <algorithm>
#include <cstdlib>
#include <memory>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "capture/ScreenVisual.h"

namespace qelvar {

namespace {

// Whether Qt will choose its X platform: the platform asked for, or none.
bool QtWillUseX() {
    const char* platform = std::getenv("QT_QPA_PLATFORM");
    if (platform && *platform) return std::string_view(platform).starts_with("xcb");
    return std::getenv("DISPLAY") != nullptr;
}

// The bits per pixel of images of each depth the server stores.
int BitsPerPixel(const xcb_setup_t* setup, int depth) {
    for (auto it = xcb_setup_pixmap_formats_iterator(setup); it.rem; xcb_format_next(&it)) {
        if (it.data->depth == depth) return it.data->bits_per_pixel;
    }
    return 0;
}

using Connection = std::unique_ptr<xcb_connection_t, decltype(&xcb_disconnect)>;

// The connection PreferDrawableVisual asks through.  It stays open until Qt
// has made its own: an X server whose last client leaves resets itself, and
// Qt's connection, made moments later, would be refused while it does (as
// under xvfb-run).
Connection& Probe() {
    static Connection connection(nullptr, &xcb_disconnect);
    return connection;
}

bool g_greyWindows = false;  // the chosen visual is grey

// The visual to ask Qt for on the default screen, if the root one will not do.
std::optional<std::uint32_t> VisualForDefaultScreen(bool& grey) {
    int screenNumber = 0;
    Probe().reset(xcb_connect(nullptr, &screenNumber));
    const Connection& connection = Probe();
    if (xcb_connection_has_error(connection.get())) return std::nullopt;
    const xcb_setup_t* setup = xcb_get_setup(connection.get());
    auto screens = xcb_setup_roots_iterator(setup);
    for (int i = 0; i < screenNumber && screens.rem; ++i) xcb_screen_next(&screens);
    if (!screens.rem) return std::nullopt;
    const xcb_screen_t* screen = screens.data;

    std::vector<VisualInfo> visuals;
    VisualInfo root;
    for (auto d = xcb_screen_allowed_depths_iterator(screen); d.rem; xcb_depth_next(&d)) {
        const int bpp = BitsPerPixel(setup, d.data->depth);
        for (auto v = xcb_depth_visuals_iterator(d.data); v.rem; xcb_visualtype_next(&v)) {
            const VisualInfo info{v.data->visual_id, d.data->depth,    bpp,
                                  v.data->_class,    v.data->red_mask, v.data->green_mask,
                                  v.data->blue_mask};
            visuals.push_back(info);
            if (info.id == screen->root_visual) root = info;
        }
    }
    const auto chosen = ChooseDrawableVisual(root, visuals);
    grey = chosen && std::any_of(visuals.begin(), visuals.end(), [&](const VisualInfo& v) {
               return v.id == *chosen && v.visualClass == XCB_VISUAL_CLASS_GRAY_SCALE;
           });
    return chosen;
}

// Qt draws a grey window as one byte per pixel holding the grey level, and
// gives it a colour map with no colours stored: shown through that map the
// window would be black.  Storing level v at every pixel value v makes it
// show as drawn.
void FillGreyRamp(xcb_connection_t* connection, xcb_colormap_t colormap, int depth) {
    const std::uint32_t entries = 1u << depth;
    std::unique_ptr<xcb_alloc_color_cells_reply_t, decltype(&std::free)> cells(
        xcb_alloc_color_cells_reply(
            connection,
            xcb_alloc_color_cells(connection, 0, colormap, static_cast<std::uint16_t>(entries), 0),
            nullptr),
        &std::free);
    if (!cells) return;  // a map already filled, or shared with others
    std::vector<xcb_coloritem_t> items;
    for (std::uint32_t v = 0; v < entries; ++v) {
        const auto level = static_cast<std::uint16_t>(v * 65535 / (entries - 1));
        items.push_back({v, level, level, level,
                         XCB_COLOR_FLAG_RED | XCB_COLOR_FLAG_GREEN | XCB_COLOR_FLAG_BLUE, 0});
    }
    xcb_store_colors(connection, colormap, static_cast<std::uint32_t>(items.size()), items.data());
    xcb_flush(connection);
}

// Fills the colour map of each top-level window as it is first shown.
class GreyRampFilter : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* widget = qobject_cast<QWidget*>(watched);
        if (event->type() == QEvent::Show && widget && widget->isWindow()) FillFor(widget->winId());
        return false;
    }

private:
    void FillFor(WId window) {
        auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
        if (!x11) return;
        xcb_connection_t* connection = x11->connection();
        std::unique_ptr<xcb_get_window_attributes_reply_t, decltype(&std::free)> attributes(
            xcb_get_window_attributes_reply(
                connection,
                xcb_get_window_attributes(connection, static_cast<xcb_window_t>(window)), nullptr),
            &std::free);
        if (!attributes || !m_filled.insert(attributes->colormap).second) return;
        FillGreyRamp(connection, attributes->colormap, 8);
    }
    std::set<xcb_colormap_t> m_filled;
};

// Run by QApplication's constructor once Qt is connected to the server.
void AfterQtConnected() {
    Probe().reset();
    if (g_greyWindows) {
        QCoreApplication::instance()->installEventFilter(
            new GreyRampFilter(QCoreApplication::instance()));
    }
}

}  // namespace

void PreferDrawableVisual(int& argc, char**& argv) {
    for (int i = 1; i < argc; ++i) {
        if (std::string_view(argv[i]) == "-visual") return;
    }
    if (!QtWillUseX()) return;
    const auto visual = VisualForDefaultScreen(g_greyWindows);
    qAddPreRoutine(&AfterQtConnected);
    if (!visual) return;

    static std::string option = "-visual";
    static std::string value;
    static std::vector<char*> arguments;
    value = std::to_string(*visual);
    arguments.assign(argv, argv + argc);
    arguments.push_back(option.data());
    arguments.push_back(value.data());
    arguments.push_back(nullptr);
    argc += 2;
    argv = arguments.data();
}

}  // namespace qelvar
