#include "ui/capture/ColourMappedGrab.h"

#include <xcb/xcb.h>

#include <QGuiApplication>
#include <array>
#include <cstdlib>
#include <memory>

namespace qelvar {

namespace {

struct FreeDeleter {
    void operator()(void* p) const { std::free(p); }
};
template <typename T>
using Reply = std::unique_ptr<T, FreeDeleter>;

const xcb_screen_t* DefaultScreen(xcb_connection_t* connection) {
    auto it = xcb_setup_roots_iterator(xcb_get_setup(connection));
    return it.rem ? it.data : nullptr;
}

int BitsPerPixel(xcb_connection_t* connection, int depth) {
    for (auto it = xcb_setup_pixmap_formats_iterator(xcb_get_setup(connection)); it.rem;
         xcb_format_next(&it)) {
        if (it.data->depth == depth) return it.data->bits_per_pixel;
    }
    return 0;
}

// The colour of every index of `colormap`, as 0xFFRRGGBB.
std::array<QRgb, 256> ColourTable(xcb_connection_t* connection, xcb_colormap_t colormap,
                                  int entries) {
    std::array<std::uint32_t, 256> indices{};
    for (int i = 0; i < entries; ++i)
        indices[static_cast<std::size_t>(i)] = static_cast<std::uint32_t>(i);
    std::array<QRgb, 256> table{};
    const Reply<xcb_query_colors_reply_t> reply(xcb_query_colors_reply(
        connection,
        xcb_query_colors(connection, colormap, static_cast<std::uint32_t>(entries), indices.data()),
        nullptr));
    if (!reply) return table;
    const xcb_rgb_t* colours = xcb_query_colors_colors(reply.get());
    const int n = std::min(entries, xcb_query_colors_colors_length(reply.get()));
    for (int i = 0; i < n; ++i) {
        // X colour channels are 16 bits; the high byte is the 8-bit value.
        table[static_cast<std::size_t>(i)] =
            qRgb(colours[i].red >> 8, colours[i].green >> 8, colours[i].blue >> 8);
    }
    return table;
}

}  // namespace

QImage GrabColourMappedScreen(const QRect& rect) {
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    xcb_connection_t* connection = x11 ? x11->connection() : nullptr;
    const xcb_screen_t* screen = connection ? DefaultScreen(connection) : nullptr;
    if (!screen || screen->root_depth > 8 || rect.isEmpty()) return {};
    const int depth = screen->root_depth;
    if (BitsPerPixel(connection, depth) != 8) return {};

    const Reply<xcb_get_image_reply_t> image(xcb_get_image_reply(
        connection,
        xcb_get_image(connection, XCB_IMAGE_FORMAT_Z_PIXMAP, screen->root,
                      static_cast<std::int16_t>(rect.x()), static_cast<std::int16_t>(rect.y()),
                      static_cast<std::uint16_t>(rect.width()),
                      static_cast<std::uint16_t>(rect.height()), ~0u),
        nullptr));
    if (!image) return {};
    const std::uint8_t* data = xcb_get_image_data(image.get());
    const int length = xcb_get_image_data_length(image.get());
    const int stride = length / rect.height();  // rows are padded to the server's unit
    if (stride < rect.width()) return {};

    const auto table = ColourTable(connection, screen->default_colormap, 1 << depth);
    const unsigned mask = (1u << depth) - 1;
    QImage out(rect.size(), QImage::Format_RGB32);
    for (int y = 0; y < rect.height(); ++y) {
        const std::uint8_t* src = data + static_cast<std::ptrdiff_t>(y) * stride;
        auto* dst = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < rect.width(); ++x) dst[x] = table[src[x] & mask];
    }
    return out;
}

}  // namespace qelvar
