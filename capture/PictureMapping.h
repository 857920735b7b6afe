#pragma once
// Where the frozen picture lies under the capture window.  The picture has
// the screen's device pixels; the window is laid out in window (logical)
// pixels and drawn at its own device pixel ratio.  The two are tied by the
// picture's size and the size of the window that covers the screen, never
// by the screen size Qt reports alone: GNOME's "physical" layout mode
// reports a 2560 x 1440 screen at ratio 2 for a 2560 x 1440 monitor (the
// device size as the logical size), whose full-screen window is 1280 x 720
// window pixels; its "logical" mode at 1.5 reports 1280 x 720 at ratio 2
// for a 1920 x 1080 monitor (the compositor shrinks the window's buffer).

#include "capture/ScreenSource.h"

namespace qelvar {

struct PixelSize {
    int width = 0;
    int height = 0;
    bool IsEmpty() const { return width <= 0 || height <= 0; }
    friend bool operator==(const PixelSize&, const PixelSize&) = default;
};

// The size in window pixels of a full-screen window on a screen that Qt
// reports as `screen` (window pixels) at device pixel ratio `ratio`, whose
// picture has `picture` device pixels.  That is `screen`, unless `screen`
// is the picture's own size at a ratio above 1 (the compositor reported its
// device size as the logical size): then the picture's size over the ratio.
// Used until the window has its real size.
PixelSize CoveredSize(PixelSize picture, PixelSize screen, double ratio);

// Picture pixels per window pixel along each axis, for a window of `window`
// pixels showing the whole `picture`: 1, 2, 1.5 ...
struct PictureMapping {
    double sx = 1.0;
    double sy = 1.0;

    static PictureMapping Of(PixelSize picture, PixelSize window);

    // The picture pixels under the window rectangle `box` (x, y, width,
    // height in window pixels): its edges scaled and rounded to the nearest
    // pixel, clamped to the picture.  None when nothing of it is left.
    std::optional<PixelBox> PictureBox(const PixelBox& box, PixelSize picture) const;
};

}  // namespace qelvar
