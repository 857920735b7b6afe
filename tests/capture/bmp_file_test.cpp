// BMP layout, colour depths and palettes, and the all-or-nothing file write.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "capture/BmpFile.h"

namespace qelvar {
namespace {

namespace fs = std::filesystem;

std::uint32_t U32At(const std::vector<std::uint8_t>& b, std::size_t at) {
    return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) |
           (static_cast<std::uint32_t>(b[at + 3]) << 24);
}
std::uint16_t U16At(const std::vector<std::uint8_t>& b, std::size_t at) {
    return static_cast<std::uint16_t>(b[at] | (b[at + 1] << 8));
}

// A w x h image whose pixels all differ.
std::vector<std::uint32_t> Pattern(int w, int h) {
    std::vector<std::uint32_t> px(static_cast<std::size_t>(w * h));
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            px[static_cast<std::size_t>(y * w + x)] =
                0xFF000000u | static_cast<std::uint32_t>((x * 37) & 0xFF) << 16 |
                static_cast<std::uint32_t>((y * 53) & 0xFF) << 8 |
                static_cast<std::uint32_t>((x + y * 7) & 0xFF);
    return px;
}

ArgbImageView View(const std::vector<std::uint32_t>& px, int w, int h) {
    return {px, w, h, w};
}

struct SizeRow {
    const char* behaviour;
    int width, height, depth;
    std::uint32_t fileSize, offBits, stride;
};

TEST(BmpLayout, FileSizeOffsetAndStrideFollowTheDepth) {
    const SizeRow rows[] = {
        {"200x150 at 24 bits", 200, 150, 24, 90054, 54, 600},
        {"200x150 at 32 bits", 200, 150, 32, 120054, 54, 800},
        {"200x150 at 8 bits: 256-entry colour table", 200, 150, 8, 31078, 1078, 200},
        {"200x150 at 4 bits: 16-entry colour table", 200, 150, 4, 54 + 64 + 100 * 150, 118, 100},
        {"200x150 at 1 bit: rows rounded up to 4 bytes", 200, 150, 1, 54 + 8 + 28 * 150, 62, 28},
        {"1x1 at 24 bits: 3 pixel bytes and 1 pad byte", 1, 1, 24, 58, 54, 4},
        {"3x2 at 24 bits: 9 pixel bytes and 3 pad bytes", 3, 2, 24, 54 + 24, 54, 12},
    };
    for (const SizeRow& row : rows) {
        const auto px = Pattern(row.width, row.height);
        const auto bmp = EncodeBmp(View(px, row.width, row.height), row.depth);
        ASSERT_TRUE(bmp) << row.behaviour;
        const auto& b = *bmp;
        EXPECT_EQ(b.size(), row.fileSize) << row.behaviour;
        EXPECT_EQ(BmpRowStride(static_cast<std::uint64_t>(row.width), row.depth), row.stride)
            << row.behaviour;
        EXPECT_EQ(b[0], 'B');
        EXPECT_EQ(b[1], 'M');
        EXPECT_EQ(U32At(b, 2), row.fileSize) << row.behaviour;
        EXPECT_EQ(U32At(b, 6), 0u) << "reserved words";
        EXPECT_EQ(U32At(b, 10), row.offBits) << row.behaviour;
        EXPECT_EQ(U32At(b, 14), 40u);
        EXPECT_EQ(U32At(b, 18), static_cast<std::uint32_t>(row.width));
        EXPECT_EQ(U32At(b, 22), static_cast<std::uint32_t>(row.height)) << "positive: bottom-up";
        EXPECT_EQ(U16At(b, 26), 1);
        EXPECT_EQ(U16At(b, 28), row.depth);
        EXPECT_EQ(U32At(b, 30), 0u) << "uncompressed";
        EXPECT_EQ(U32At(b, 34), row.stride * static_cast<std::uint32_t>(row.height))
            << "biSizeImage holds the pixel rows' size";
        for (std::size_t at = 38; at < 54; at += 4) EXPECT_EQ(U32At(b, at), 0u);
    }
}

TEST(BmpLayout, OnePixelIsBlueGreenRedThenAZeroPad) {
    const std::vector<std::uint32_t> px{0xFF112233u};
    const auto b = EncodeBmp(View(px, 1, 1), 24).value();
    EXPECT_EQ(std::vector<std::uint8_t>(b.begin() + 54, b.end()),
              (std::vector<std::uint8_t>{0x33, 0x22, 0x11, 0x00}));
}

// Reads back the pixels of a 24- or 32-bit file, checking the row padding.
std::vector<std::uint32_t> Decode(const std::vector<std::uint8_t>& b) {
    const int w = static_cast<int>(U32At(b, 18));
    const int h = static_cast<int>(U32At(b, 22));
    const int bytesPerPixel = U16At(b, 28) / 8;
    const std::size_t stride = (static_cast<std::size_t>(w * bytesPerPixel) + 3) / 4 * 4;
    std::vector<std::uint32_t> px(static_cast<std::size_t>(w * h));
    for (int row = 0; row < h; ++row) {
        const std::size_t base = U32At(b, 10) + static_cast<std::size_t>(row) * stride;
        const int y = h - 1 - row;  // first stored row is the bottom one
        for (int x = 0; x < w; ++x) {
            const std::size_t at = base + static_cast<std::size_t>(x * bytesPerPixel);
            px[static_cast<std::size_t>(y * w + x)] =
                0xFF000000u | b[at + 2] << 16 | b[at + 1] << 8 | b[at];
        }
        for (std::size_t pad = static_cast<std::size_t>(w * bytesPerPixel); pad < stride; ++pad)
            EXPECT_EQ(b[base + pad], 0) << "row " << row << " pad byte " << pad;
    }
    return px;
}

TEST(BmpRoundTrip, OddWidthSurvivesAt24And32Bits) {
    for (const int depth : {24, 32}) {
        const int w = 7, h = 5;
        const auto px = Pattern(w, h);
        EXPECT_EQ(Decode(EncodeBmp(View(px, w, h), depth).value()), px) << depth << " bits";
    }
}

TEST(BmpRoundTrip, ViewStrideWiderThanTheImageIsHonoured) {
    const int w = 3, h = 2, stride = 5;
    auto wide = Pattern(stride, h);
    std::vector<std::uint32_t> narrow;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            narrow.push_back(wide[static_cast<std::size_t>(y * stride + x)]);
    const ArgbImageView view{wide, w, h, stride};
    EXPECT_EQ(Decode(EncodeBmp(view, 24).value()), narrow);
}

TEST(BmpPaletteDepth, PaletteColoursMapBackToThemselves) {
    for (const int depth : {1, 4, 8}) {
        const auto palette = BmpPalette(depth);
        ASSERT_EQ(palette.size(), std::size_t{1} << depth);
        for (std::size_t i = 0; i < palette.size(); ++i) {
            const BmpColour c = palette[i];
            const std::uint32_t argb = 0xFF000000u | c.red << 16 | c.green << 8 | c.blue;
            EXPECT_EQ(palette[NearestPaletteIndex(depth, argb)], c)
                << depth << " bits, entry " << i;
        }
    }
}

TEST(BmpPaletteDepth, EightBitMappingIsTheNearestEntry) {
    const auto palette = BmpPalette(8);
    auto distance = [](const BmpColour& c, int r, int g, int b) {
        return (r - c.red) * (r - c.red) + (g - c.green) * (g - c.green) +
               (b - c.blue) * (b - c.blue);
    };
    for (int r = 0; r < 256; r += 5)
        for (int g = 0; g < 256; g += 7)
            for (int b = 0; b < 256; b += 3) {
                int best = distance(palette[0], r, g, b);
                for (const BmpColour& c : palette) best = std::min(best, distance(c, r, g, b));
                const std::uint32_t argb = static_cast<std::uint32_t>(r << 16 | g << 8 | b);
                ASSERT_EQ(distance(palette[NearestPaletteIndex(8, argb)], r, g, b), best)
                    << r << "," << g << "," << b;
            }
}

TEST(BmpPaletteDepth, TableIsWrittenBlueGreenRedZeroAndPixelsAreIndices) {
    // Red, then white at 8 bits: indices rrrgggbb = 0xE0 and 0xFF.
    const std::vector<std::uint32_t> px{0xFFFF0000u, 0xFFFFFFFFu};
    const auto b = EncodeBmp(View(px, 2, 1), 8).value();
    const std::size_t red = 54 + 4 * 0xE0;
    EXPECT_EQ((std::vector<std::uint8_t>(b.begin() + red, b.begin() + red + 4)),
              (std::vector<std::uint8_t>{0, 0, 255, 0}));
    EXPECT_EQ(b[1078], 0xE0);
    EXPECT_EQ(b[1079], 0xFF);
}

TEST(BmpPaletteDepth, LowDepthsPackTheLeftmostPixelHighest) {
    // White, black, white, ... over nine pixels.
    std::vector<std::uint32_t> px;
    for (int x = 0; x < 9; ++x) px.push_back(x % 2 == 0 ? 0xFFFFFFFFu : 0xFF000000u);
    const auto one = EncodeBmp(View(px, 9, 1), 1).value();
    EXPECT_EQ(one[62], 0xAA);
    EXPECT_EQ(one[63], 0x80);
    const auto four = EncodeBmp(View(px, 9, 1), 4).value();  // white is entry 15
    EXPECT_EQ(four[118], 0xF0);
    EXPECT_EQ(four[122], 0xF0);
}

TEST(BmpDepth, FollowsTheScreenDepth) {
    const std::pair<int, int> rows[] = {{1, 1},   {2, 4},   {4, 4},   {8, 8},  {15, 24},
                                        {16, 24}, {24, 24}, {30, 32}, {32, 32}};
    for (const auto& [screen, file] : rows) EXPECT_EQ(BmpDepthForScreen(screen), file) << screen;
}

TEST(BmpEncode, RefusesWhatCannotBeStored) {
    const auto px = Pattern(4, 4);
    EXPECT_FALSE(EncodeBmp(View(px, 0, 4), 24)) << "no columns";
    EXPECT_FALSE(EncodeBmp(View(px, 4, 0), 24)) << "no rows";
    EXPECT_FALSE(EncodeBmp(View(px, 4, 4), 16)) << "depth not offered";
    EXPECT_FALSE(EncodeBmp(View(px, 4, 5), 24)) << "pixels do not cover the rows";
    EXPECT_FALSE(EncodeBmp(ArgbImageView{px, 4, 4, 3}, 24)) << "stride shorter than a row";
}

// ---- writing files ----

class BmpFileWrite : public ::testing::Test {
protected:
    void SetUp() override {
        std::string templ = (fs::temp_directory_path() / "qelvar-bmp-XXXXXX").string();
        ASSERT_NE(::mkdtemp(templ.data()), nullptr);
        m_dir = templ;
    }
    void TearDown() override {
        fs::permissions(m_dir, fs::perms::owner_all, fs::perm_options::add);
        fs::remove_all(m_dir);
    }
    std::vector<std::string> Entries(const fs::path& dir) const {
        std::vector<std::string> names;
        for (const auto& e : fs::directory_iterator(dir)) names.push_back(e.path().filename());
        std::sort(names.begin(), names.end());
        return names;
    }
    static std::string Contents(const fs::path& p) {
        std::ifstream in(p, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }
    static void Put(const fs::path& p, const std::string& text) {
        std::ofstream(p, std::ios::binary) << text;
    }

    fs::path m_dir;
    std::vector<std::uint32_t> m_px = Pattern(200, 150);
    ArgbImageView m_image = View(m_px, 200, 150);
};

TEST_F(BmpFileWrite, WritesTheWholeFileAndNothingElse) {
    const fs::path target = m_dir / "shot.bmp";
    const AtomicWriteResult r = WriteBmpFile(m_image, 24, target);
    ASSERT_TRUE(r.ok) << r.message;
    EXPECT_TRUE(r.message.empty());
    EXPECT_EQ(fs::file_size(target), 90054u);
    EXPECT_EQ(Entries(m_dir), std::vector<std::string>{"shot.bmp"});
}

TEST_F(BmpFileWrite, ReplacesAnExistingFileCompletelyKeepingItsMode) {
    const fs::path target = m_dir / "shot.bmp";
    Put(target, std::string(200000, 'x'));
    fs::permissions(target, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    ASSERT_TRUE(WriteBmpFile(m_image, 32, target).ok);
    const std::string got = Contents(target);
    const auto want = EncodeBmp(m_image, 32).value();
    EXPECT_EQ(got, std::string(want.begin(), want.end()));
    EXPECT_EQ(fs::status(target).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    EXPECT_EQ(Entries(m_dir), std::vector<std::string>{"shot.bmp"});
}

TEST_F(BmpFileWrite, PathLongerThan256BytesIsPassedWhole) {
    fs::path dir = m_dir;
    for (int i = 0; i < 4; ++i) dir /= std::string(80, static_cast<char>('a' + i));
    fs::create_directories(dir);
    const fs::path target = dir / "shot.bmp";
    ASSERT_GT(target.string().size(), 256u);
    const AtomicWriteResult r = WriteBmpFile(m_image, 24, target);
    ASSERT_TRUE(r.ok) << r.message;
    EXPECT_EQ(fs::file_size(target), 90054u);
}

struct FailRow {
    const char* behaviour;
    std::string relativePath;
    int error;
};

TEST_F(BmpFileWrite, FailuresAreReportedWithTheSystemsReason) {
    fs::create_directory(m_dir / "folder");
    Put(m_dir / "folder" / "keep.txt", "kept");
    const FailRow rows[] = {
        {"target is a directory", "folder", EISDIR},
        {"directory does not exist", "missing/shot.bmp", ENOENT},
        {"a name longer than the system allows", std::string(300, 'n') + ".bmp", ENAMETOOLONG},
    };
    for (const FailRow& row : rows) {
        const AtomicWriteResult r = WriteBmpFile(m_image, 24, (m_dir / row.relativePath).string());
        EXPECT_FALSE(r.ok) << row.behaviour;
        EXPECT_EQ(r.error, row.error) << row.behaviour << ": " << r.message;
        EXPECT_EQ(Entries(m_dir), (std::vector<std::string>{"folder"})) << row.behaviour;
        EXPECT_EQ(Entries(m_dir / "folder"), std::vector<std::string>{"keep.txt"}) << row.behaviour;
    }
    const AtomicWriteResult empty = WriteBmpFile(View(m_px, 0, 0), 24, m_dir / "empty.bmp");
    EXPECT_EQ(empty.error, EINVAL) << "an image the format cannot hold";
    EXPECT_EQ(Entries(m_dir), (std::vector<std::string>{"folder"}));
}

TEST_F(BmpFileWrite, AWriteCutShortLeavesTheExistingFileAndNoTemporary) {
    const fs::path target = m_dir / "shot.bmp";
    Put(target, "old picture");
    // Limit the size of files this process may write, so the write stops
    // part way through (the limit signal is ignored, the write then fails).
    rlimit old{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &old), 0);
    auto* previous = ::signal(SIGXFSZ, SIG_IGN);
    rlimit small = old;
    small.rlim_cur = 4096;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    const AtomicWriteResult r = WriteBmpFile(m_image, 24, target);
    ::setrlimit(RLIMIT_FSIZE, &old);
    ::signal(SIGXFSZ, previous);

    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.error, EFBIG) << r.message;
    EXPECT_EQ(Contents(target), "old picture");
    EXPECT_EQ(Entries(m_dir), std::vector<std::string>{"shot.bmp"});
}

TEST_F(BmpFileWrite, UnwritableDirectoryLeavesTheExistingFile) {
    if (::geteuid() == 0) GTEST_SKIP() << "root may write into any directory";
    const fs::path target = m_dir / "shot.bmp";
    Put(target, "old picture");
    fs::permissions(m_dir, fs::perms::owner_read | fs::perms::owner_exec);
    const AtomicWriteResult r = WriteBmpFile(m_image, 24, target);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.error, EACCES) << r.message;
    EXPECT_EQ(Contents(target), "old picture");
    EXPECT_EQ(Entries(m_dir), std::vector<std::string>{"shot.bmp"});
}

}  // namespace
}  // namespace qelvar
