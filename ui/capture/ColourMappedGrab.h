#pragma once
// Reading a colour-mapped X screen (8 bits per pixel or fewer), which Qt's
// own screen grab cannot turn into colours: each pixel is an index into the
// screen's colour map.

#include <QImage>
#include <QRect>

namespace qelvar {

// The pixels of `rect` of the X screen as RGB32, through its default colour
// map; a null image when the platform is not X or the screen is not colour-mapped.
QImage GrabColourMappedScreen(const QRect& rect);

}  // namespace qelvar
