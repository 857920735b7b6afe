#include "capture/BmpFile.h"

#include <array>
#include <cerrno>
#include <limits>

namespace qelvar {

namespace {

constexpr std::uint32_t kFileHeaderSize = 14;
constexpr std::uint32_t kInfoHeaderSize = 40;

// ---- colour tables ----

constexpr std::array<BmpColour, 2> kPalette1{{{0, 0, 0}, {255, 255, 255}}};

constexpr std::array<BmpColour, 16> kPalette4{{
    {0, 0, 0},
    {128, 0, 0},
    {0, 128, 0},
    {128, 128, 0},
    {0, 0, 128},
    {128, 0, 128},
    {0, 128, 128},
    {192, 192, 192},
    {128, 128, 128},
    {255, 0, 0},
    {0, 255, 0},
    {255, 255, 0},
    {0, 0, 255},
    {255, 0, 255},
    {0, 255, 255},
    {255, 255, 255},
}};

// Levels of the 3-3-2 table: eight for red and green, four for blue.
constexpr std::array<std::uint8_t, 8> kLevels8{0, 36, 73, 109, 146, 182, 219, 255};
constexpr std::array<std::uint8_t, 4> kLevels4{0, 85, 170, 255};

constexpr std::array<BmpColour, 256> MakePalette8() {
    std::array<BmpColour, 256> p{};
    for (unsigned i = 0; i < 256; ++i) {
        p[i] = {kLevels8[(i >> 5) & 7], kLevels8[(i >> 2) & 7], kLevels4[i & 3]};
    }
    return p;
}
constexpr std::array<BmpColour, 256> kPalette8 = MakePalette8();

// For each channel value, the index of the nearest level (the lower on a tie).
template <std::size_t N>
constexpr std::array<std::uint8_t, 256> NearestLevels(const std::array<std::uint8_t, N>& levels) {
    std::array<std::uint8_t, 256> t{};
    for (int v = 0; v < 256; ++v) {
        int best = 0;
        for (int i = 1; i < static_cast<int>(N); ++i) {
            const int d = v - levels[static_cast<std::size_t>(i)];
            const int db = v - levels[static_cast<std::size_t>(best)];
            if (d * d < db * db) best = i;
        }
        t[static_cast<std::size_t>(v)] = static_cast<std::uint8_t>(best);
    }
    return t;
}
constexpr auto kNearest8 = NearestLevels(kLevels8);
constexpr auto kNearest4 = NearestLevels(kLevels4);

constexpr unsigned Red(std::uint32_t argb) {
    return (argb >> 16) & 0xFFu;
}
constexpr unsigned Green(std::uint32_t argb) {
    return (argb >> 8) & 0xFFu;
}
constexpr unsigned Blue(std::uint32_t argb) {
    return argb & 0xFFu;
}

// ---- little-endian writer over a pre-sized buffer ----

class LeWriter {
public:
    explicit LeWriter(std::vector<std::uint8_t>& out) : m_out(out) {}
    void put_u8(std::uint8_t v) { m_out[m_pos++] = v; }
    void put_u16(std::uint16_t v) {
        put_u8(static_cast<std::uint8_t>(v));
        put_u8(static_cast<std::uint8_t>(v >> 8));
    }
    void put_u32(std::uint32_t v) {
        put_u16(static_cast<std::uint16_t>(v));
        put_u16(static_cast<std::uint16_t>(v >> 16));
    }
    void put_i32(std::int32_t v) { put_u32(static_cast<std::uint32_t>(v)); }

private:
    std::vector<std::uint8_t>& m_out;
    std::size_t m_pos = 0;
};

bool IsBmpDepth(int depth) {
    return depth == 1 || depth == 4 || depth == 8 || depth == 24 || depth == 32;
}

// One stored row of `depth` bits from the source row `src` of `width` pixels.
void EncodeRow(const std::uint32_t* src, int width, int depth, std::uint8_t* dst) {
    switch (depth) {
        case 32:
            for (int x = 0; x < width; ++x, dst += 4) {
                dst[0] = static_cast<std::uint8_t>(Blue(src[x]));
                dst[1] = static_cast<std::uint8_t>(Green(src[x]));
                dst[2] = static_cast<std::uint8_t>(Red(src[x]));
                dst[3] = 0;  // unused
            }
            break;
        case 24:
            for (int x = 0; x < width; ++x, dst += 3) {
                dst[0] = static_cast<std::uint8_t>(Blue(src[x]));
                dst[1] = static_cast<std::uint8_t>(Green(src[x]));
                dst[2] = static_cast<std::uint8_t>(Red(src[x]));
            }
            break;
        case 8:
            for (int x = 0; x < width; ++x) dst[x] = NearestPaletteIndex(8, src[x]);
            break;
        default: {
            // 1 or 4 bits: the leftmost pixel in the highest bits of each byte.
            const int perByte = 8 / depth;  // 8 or 2
            for (int x = 0; x < width; ++x) {
                const int shift = (perByte - 1 - x % perByte) * depth;  // [0, 7]
                dst[x / perByte] |=
                    static_cast<std::uint8_t>(NearestPaletteIndex(depth, src[x]) << shift);
            }
        }
    }
}

}  // namespace

int BmpDepthForScreen(int screenDepth) {
    if (screenDepth <= 1) return 1;
    if (screenDepth <= 4) return 4;
    if (screenDepth <= 8) return 8;
    if (screenDepth <= 24) return 24;
    return 32;
}

std::uint64_t BmpRowStride(std::uint64_t width, int depth) {
    return (width * static_cast<std::uint64_t>(depth) + 31) / 32 * 4;
}

std::span<const BmpColour> BmpPalette(int depth) {
    switch (depth) {
        case 1:
            return kPalette1;
        case 4:
            return kPalette4;
        case 8:
            return kPalette8;
        default:
            return {};
    }
}

std::uint8_t NearestPaletteIndex(int depth, std::uint32_t argb) {
    if (depth == 8) {
        // The table is every combination of its channel levels, so the
        // nearest entry takes the nearest level of each channel.
        return static_cast<std::uint8_t>((kNearest8[Red(argb)] << 5) |
                                         (kNearest8[Green(argb)] << 2) | kNearest4[Blue(argb)]);
    }
    const auto palette = BmpPalette(depth);
    std::size_t best = 0;
    long bestDistance = std::numeric_limits<long>::max();
    for (std::size_t i = 0; i < palette.size(); ++i) {
        const long dr = static_cast<long>(Red(argb)) - palette[i].red;
        const long dg = static_cast<long>(Green(argb)) - palette[i].green;
        const long db = static_cast<long>(Blue(argb)) - palette[i].blue;
        const long d = dr * dr + dg * dg + db * db;  // [0, 3 * 255^2]
        if (d < bestDistance) {
            bestDistance = d;
            best = i;
        }
    }
    return static_cast<std::uint8_t>(best);
}

std::optional<std::vector<std::uint8_t>> EncodeBmp(const ArgbImageView& image, int depth) {
    if (!IsBmpDepth(depth) || image.width <= 0 || image.height <= 0 || image.stride < image.width) {
        return std::nullopt;
    }
    const auto w = static_cast<std::uint64_t>(image.width);
    const auto h = static_cast<std::uint64_t>(image.height);
    const auto srcStride = static_cast<std::uint64_t>(image.stride);
    if (image.pixels.size() < (h - 1) * srcStride + w) return std::nullopt;

    const std::uint64_t stride = BmpRowStride(w, depth);
    const std::uint64_t imageSize = stride * h;                    // s
    const std::uint64_t tableSize = 4 * BmpPalette(depth).size();  // p: 0, 8, 64 or 1024
    const std::uint64_t offBits = kFileHeaderSize + kInfoHeaderSize + tableSize;
    const std::uint64_t fileSize = offBits + imageSize;
    if (fileSize > std::numeric_limits<std::uint32_t>::max()) return std::nullopt;

    std::vector<std::uint8_t> out(static_cast<std::size_t>(fileSize), 0);
    LeWriter le(out);
    // BITMAPFILEHEADER
    le.put_u16(0x4D42);                                // bfType "BM"
    le.put_u32(static_cast<std::uint32_t>(fileSize));  // bfSize
    le.put_u16(0);                                     // bfReserved1
    le.put_u16(0);                                     // bfReserved2
    le.put_u32(static_cast<std::uint32_t>(offBits));   // bfOffBits
    // BITMAPINFOHEADER
    le.put_u32(kInfoHeaderSize);                        // biSize
    le.put_i32(image.width);                            // biWidth
    le.put_i32(image.height);                           // biHeight, positive: bottom row first
    le.put_u16(1);                                      // biPlanes
    le.put_u16(static_cast<std::uint16_t>(depth));      // biBitCount
    le.put_u32(0);                                      // biCompression BI_RGB
    le.put_u32(static_cast<std::uint32_t>(imageSize));  // biSizeImage
    le.put_i32(0);                                      // biXPelsPerMeter
    le.put_i32(0);                                      // biYPelsPerMeter
    le.put_u32(0);                                      // biClrUsed: the full table
    le.put_u32(0);                                      // biClrImportant
    for (const BmpColour& c : BmpPalette(depth)) {      // colour table: blue, green, red, 0
        le.put_u8(c.blue);
        le.put_u8(c.green);
        le.put_u8(c.red);
        le.put_u8(0);
    }

    // Pixel rows, bottom row first; the padding stays zero.
    std::uint8_t* rows = out.data() + offBits;
    for (std::uint64_t y = 0; y < h; ++y) {
        const std::uint32_t* src = image.pixels.data() + (h - 1 - y) * srcStride;
        EncodeRow(src, image.width, depth, rows + y * stride);
    }
    return out;
}

AtomicWriteResult WriteBmpFile(const ArgbImageView& image, int depth, const std::string& path) {
    const auto bytes = EncodeBmp(image, depth);
    if (!bytes) return {false, EINVAL, "the image cannot be stored as a BMP file"};
    return WriteFileAtomically(path, std::as_bytes(std::span(*bytes)));
}

}  // namespace qelvar
