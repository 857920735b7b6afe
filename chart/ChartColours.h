#pragma once
// The colour rules of the chart window: which text colour and which text
// background each control gets, from its identifier and its current text.
// Pure functions; the window applies the result when it paints the text.

#include <cstdint>
#include <string_view>

namespace qelvar {

struct Rgb {
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

// Text attributes of a drawing context.  The initial state is the
// context's default: black text on an opaque white background.
struct TextAttributes {
    Rgb text{0, 0, 0};
    bool opaque = true;  // the background colour fills behind the glyphs
    Rgb background{255, 255, 255};
    friend bool operator==(const TextAttributes&, const TextAttributes&) = default;
};

// Yellow background for the 命宫 and its three companion palaces, with or
// without the body-palace mark.
void HighlightPalace(std::string_view text, TextAttributes& attrs);

// Star colours by name, then the colours of the slot families by
// identifier; later rules override earlier ones.
void SlotColour(int id, std::string_view text, TextAttributes& attrs);

// All rules in order, starting from the default attributes: the orange of
// the star, 纳音 and 四化 columns, HighlightPalace, SlotColour.
TextAttributes ColourControl(int id, std::string_view text);

}  // namespace qelvar
