#pragma once
// Choosing the X visual the program's windows are drawn with.  Qt draws its
// windows into an image of the visual's pixel layout and knows only 15-,
// 16-, 24- and 30-bit true colour and 8-bit grey; on a screen whose own
// visual is none of these (an 8-bit colour-mapped screen) every window would
// be drawn into nothing, so another visual the screen offers is asked for.

#include <cstdint>
#include <optional>
#include <span>

namespace qelvar {

// One visual of an X screen, as the server describes it.
struct VisualInfo {
    std::uint32_t id = 0;
    int depth = 0;         // significant bits per pixel
    int bitsPerPixel = 0;  // bits each pixel takes in an image of that depth
    int visualClass = 0;   // 0 StaticGray .. 5 DirectColor, as X numbers them
    std::uint32_t redMask = 0;
    std::uint32_t greenMask = 0;
    std::uint32_t blueMask = 0;
};

// Whether Qt can draw a window with this visual.
bool QtCanDrawVisual(const VisualInfo& visual);

// None when the root visual can be drawn; otherwise the visual to use
// instead: true colour of the deepest supported depth up to 24 bits (then
// 30), else 8-bit grey; none when the screen offers nothing drawable.
std::optional<std::uint32_t> ChooseDrawableVisual(const VisualInfo& root,
                                                  std::span<const VisualInfo> offered);

// For the desktop program, before QApplication: when Qt will talk to an X
// server whose root visual it cannot draw, appends "-visual <id>" with the
// chosen visual to the arguments (argv then points at storage that lives
// for the rest of the run).  Arguments that already name a visual are left
// alone.
void PreferDrawableVisual(int& argc, char**& argv);

}  // namespace qelvar
