// render and cast --format png: drawn offscreen whatever platform the
// environment names, written whole or not at all, failures named.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "convert_process.h"

namespace qelvar::test {
namespace {

namespace fs = std::filesystem;

const std::string kPngSignature = "\x89PNG\r\n\x1A\n";

// A fresh folder for one test's files.
fs::path Folder(const std::string& name) {
    const fs::path dir =
        fs::path(testing::TempDir()) / ("qelvar_render_" + std::to_string(::getpid()) + name);
    fs::remove_all(dir);
    fs::create_directories(dir);
    return dir;
}

std::string Render(const std::string& command, const fs::path& output) {
    const std::string tail = " 2000-02-05 --hour 6 --minute 0 --today 2026-12-07 --output " +
                             ShellQuote(output.string());
    return command == "render" ? "\"$CLI\" render" + tail : "\"$CLI\" cast --format png" + tail;
}

// The build without the Qt layer has no chart window to draw.
bool HasChartWindow() {
    const auto r = RunCli({"render", "2000-02-05", "--hour", "6", "--minute", "0", "--output",
                           (Folder("probe") / "x.png").string()});
    return r.err.find("configured without the GUI") == std::string::npos;
}

TEST(Render, DrawsOffscreenWhateverThePlatformVariableSays) {
    if (!HasChartWindow()) GTEST_SKIP() << "built without the Qt layer";
    const fs::path dir = Folder("platform");
    for (const char* platform : {"xcb", "wayland", "no-such-platform"}) {
        for (const char* command : {"render", "cast"}) {
            const fs::path png = dir / (std::string(platform) + command + ".png");
            const auto r =
                RunShell("unset DISPLAY WAYLAND_DISPLAY; QT_QPA_PLATFORM=" + std::string(platform) +
                         " " + Render(command, png));
            EXPECT_EQ(r.status, 0) << platform << " " << command << r.err;
            EXPECT_EQ(ReadWhole(png.string()).substr(0, 8), kPngSignature) << platform;
        }
    }
}

TEST(Render, AFailedWriteLeavesTheOldFileAndNoTemporary) {
    if (!HasChartWindow()) GTEST_SKIP() << "built without the Qt layer";
    const fs::path dir = Folder("atomic");
    const fs::path png = dir / "chart.png";
    std::ofstream(png) << "old content";
    // A file size limit of 4 KB makes the write fail part way (EFBIG).
    for (const char* command : {"render", "cast"}) {
        const auto r = RunShell("trap '' XFSZ; ulimit -f 8; " + Render(command, png));
        EXPECT_EQ(r.status, 3) << command;
        EXPECT_NE(r.err.find("qelvar-cli " + std::string(command) + ": cannot write " +
                             png.string() + ": File too large\n"),
                  std::string::npos)
            << r.err;
        EXPECT_EQ(ReadWhole(png.string()), "old content") << command;
        EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1)
            << command;
    }
}

TEST(Render, FailuresNameTheCommandAndTheTrueReason) {
    if (!HasChartWindow()) GTEST_SKIP() << "built without the Qt layer";
    const fs::path missing = Folder("missing") / "no-folder" / "x.png";
    for (const char* command : {"render", "cast"}) {
        const auto r = RunShell(Render(command, missing));
        EXPECT_EQ(r.status, 3) << command;
        EXPECT_NE(r.err.find("qelvar-cli " + std::string(command) + ": cannot write " +
                             missing.string() + ": No such file or directory\n"),
                  std::string::npos)
            << r.err;
    }
}

// Width and height from the PNG's IHDR chunk (big-endian, bytes 16..23).
std::pair<unsigned, unsigned> PngSize(const std::string& png) {
    auto u32 = [&](std::size_t at) {
        unsigned v = 0;
        for (std::size_t i = 0; i < 4; ++i) v = v << 8 | static_cast<unsigned char>(png[at + i]);
        return v;
    };
    return png.size() < 24 ? std::pair{0u, 0u} : std::pair{u32(16), u32(20)};
}

// The window is 497 x 512 pixels at zoom 1; --scale multiplies both.
TEST(Render, ScaleSizesThePicture) {
    if (!HasChartWindow()) GTEST_SKIP() << "built without the Qt layer";
    const fs::path dir = Folder("scale");
    struct Case {
        const char* scale;
        unsigned w, h;
    };
    for (const Case& c : {Case{"1", 497, 512}, Case{"2", 994, 1024}, Case{"0.5", 249, 256}}) {
        const fs::path png = dir / (std::string(c.scale) + ".png");
        const auto r = RunShell(Render("render", png) + " --scale " + c.scale);
        EXPECT_EQ(r.status, 0) << c.scale << r.err;
        EXPECT_EQ(PngSize(ReadWhole(png.string())), std::pair(c.w, c.h)) << c.scale;
    }
    for (const char* bad : {"0", "9", "x"}) {
        const auto r = RunShell(Render("render", dir / "bad.png") + " --scale " + bad);
        EXPECT_EQ(r.status, 2) << bad;
    }
    const auto text =
        RunCli({"cast", "2000-02-05", "--hour", "6", "--minute", "0", "--scale", "2"});
    EXPECT_EQ(text.status, 2);  // --scale goes with a PNG only
    EXPECT_FALSE(fs::exists(dir / "bad.png"));
}

TEST(Render, OneChartOnly) {
    const auto r = RunCli({"cast", "-", "--format", "png", "--output", "x.png"});
    EXPECT_EQ(r.status, 2);
    const auto dash = RunCli({"render", "-", "--output", "x.png"});
    EXPECT_EQ(dash.status, 2);
    EXPECT_NE(dash.err.find("qelvar-cli render: "), std::string::npos);
    EXPECT_FALSE(fs::exists("x.png"));
}

}  // namespace
}  // namespace qelvar::test
