// PreferDrawableVisual: asks the X server for its screen's visuals.
#include <xcb/xcb.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "app/ScreenVisual.h"

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

// The visual to ask Qt for on the default screen, if the root one will not do.
std::optional<std::uint32_t> VisualForDefaultScreen() {
    // The connection stays open for the whole run: an X server whose last
    // client leaves resets itself, and Qt's own connection, made moments
    // later, would be refused while it does (as under xvfb-run).
    int screenNumber = 0;
    static const std::unique_ptr<xcb_connection_t, decltype(&xcb_disconnect)> connection(
        xcb_connect(nullptr, &screenNumber), &xcb_disconnect);
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
    return ChooseDrawableVisual(root, visuals);
}

}  // namespace

void PreferDrawableVisual(int& argc, char**& argv) {
    for (int i = 1; i < argc; ++i) {
        if (std::string_view(argv[i]) == "-visual") return;
    }
    if (!QtWillUseX()) return;
    const auto visual = VisualForDefaultScreen();
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
