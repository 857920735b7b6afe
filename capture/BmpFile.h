#pragma once
// Uncompressed Windows BMP files (BITMAPFILEHEADER + BITMAPINFOHEADER,
// bottom-up rows) at 1, 4, 8, 24 or 32 bits per pixel.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "io/AtomicFile.h"

namespace qelvar {

// Pixels 0xAARRGGBB (alpha ignored), top row first; `stride` counts pixels
// from the start of one row to the start of the next (>= width).
struct ArgbImageView {
    std::span<const std::uint32_t> pixels;
    int width = 0;
    int height = 0;
    int stride = 0;
};

// One colour-table entry.
struct BmpColour {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    friend bool operator==(const BmpColour&, const BmpColour&) = default;
};

// File depth for a screen of `screenDepth` bits per pixel (bits times
// planes): <= 1 -> 1, <= 4 -> 4, <= 8 -> 8, <= 24 -> 24 (15- and 16-bit
// screens give 24-bit files), otherwise 32.
int BmpDepthForScreen(int screenDepth);

// Bytes per stored row: width * depth bits rounded up to whole 32-bit words.
std::uint64_t BmpRowStride(std::uint64_t width, int depth);

// The fixed colour table for depths 1, 4 and 8 (2, 16 and 256 entries);
// empty for 24 and 32.  1 bit: black, white.  4 bits: the sixteen VGA
// colours.  8 bits: 3-3-2 levels of red, green and blue, index rrrgggbb.
std::span<const BmpColour> BmpPalette(int depth);

// Index of the palette entry nearest to the colour (least squared distance
// in RGB; the lower index on a tie).
std::uint8_t NearestPaletteIndex(int depth, std::uint32_t argb);

// The whole file in memory.  None for an empty image, a depth other than
// 1/4/8/24/32, a view whose pixels do not cover its rows, or a file that
// would not fit the format's 32-bit size field.  biSizeImage holds the size
// of the pixel rows.
std::optional<std::vector<std::uint8_t>> EncodeBmp(const ArgbImageView& image, int depth);

// EncodeBmp at `depth`, then WriteFileAtomically: the file appears whole or
// not at all.  An image EncodeBmp refuses gives EINVAL.
AtomicWriteResult WriteBmpFile(const ArgbImageView& image, int depth, const std::string& path);

}  // namespace qelvar
