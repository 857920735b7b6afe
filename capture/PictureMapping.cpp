#include "capture/PictureMapping.h"

#include <algorithm>
#include <cmath>

namespace qelvar {

PixelSize CoveredSize(PixelSize picture, PixelSize screen, double ratio) {
    if (ratio > 1.0 && picture == screen) {
        return {static_cast<int>(std::lround(picture.width / ratio)),
                static_cast<int>(std::lround(picture.height / ratio))};
    }
    return screen;
}

PictureMapping PictureMapping::Of(PixelSize picture, PixelSize window) {
    if (picture.IsEmpty() || window.IsEmpty()) return {};
    return {static_cast<double>(picture.width) / window.width,
            static_cast<double>(picture.height) / window.height};
}

std::optional<PixelBox> PictureMapping::PictureBox(const PixelBox& box, PixelSize picture) const {
    auto device = [](int windowPixels, double scale, int limit) {
        return std::clamp(static_cast<int>(std::lround(windowPixels * scale)), 0, limit);
    };
    const int left = device(box.x, sx, picture.width);
    const int top = device(box.y, sy, picture.height);
    const int right = device(box.x + box.width, sx, picture.width);
    const int bottom = device(box.y + box.height, sy, picture.height);
    if (right <= left || bottom <= top) return std::nullopt;
    return PixelBox{left, top, right - left, bottom - top};
}

}  // namespace qelvar
