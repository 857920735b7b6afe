// Which X visual the windows are drawn with, for screens of every depth.
#include <gtest/gtest.h>

#include <vector>

#include "capture/ScreenVisual.h"

namespace qelvar {
namespace {

// X visual classes.
constexpr int kStaticGray = 0, kGrayScale = 1, kStaticColor = 2, kPseudoColor = 3, kTrueColor = 4,
              kDirectColor = 5;

const VisualInfo kPseudo8{0x21, 8, 8, kPseudoColor, 0, 0, 0};
const VisualInfo kGray8{0x22, 8, 8, kGrayScale, 0, 0, 0};
const VisualInfo kStatic8{0x23, 8, 8, kStaticColor, 0, 0, 0};
const VisualInfo kTrue332{0x24, 8, 8, kTrueColor, 0xE0, 0x1C, 0x03};
const VisualInfo kStaticGray1{0x30, 1, 1, kStaticGray, 0, 0, 0};
const VisualInfo kTrue15{0x41, 15, 16, kTrueColor, 0x7C00, 0x03E0, 0x001F};
const VisualInfo kTrue16{0x42, 16, 16, kTrueColor, 0xF800, 0x07E0, 0x001F};
const VisualInfo kTrue24{0x43, 24, 32, kTrueColor, 0xFF0000, 0xFF00, 0xFF};
const VisualInfo kBgr24{0x44, 24, 32, kTrueColor, 0xFF, 0xFF00, 0xFF0000};
const VisualInfo kDirect24{0x45, 24, 32, kDirectColor, 0xFF0000, 0xFF00, 0xFF};
const VisualInfo kTrue30{0x46, 30, 32, kTrueColor, 0x3FF00000, 0xFFC00, 0x3FF};
const VisualInfo kPacked24{0x47, 24, 24, kTrueColor, 0xFF0000, 0xFF00, 0xFF};
const VisualInfo kArgb32{0x48, 32, 32, kTrueColor, 0xFF0000, 0xFF00, 0xFF};

struct Row {
    const char* behaviour;
    VisualInfo root;
    std::vector<VisualInfo> offered;  // besides the root
    std::optional<std::uint32_t> chosen;
};

TEST(ScreenVisual, AVisualQtCanDrawIsChosenOnlyWhenTheRootOneIsNot) {
    const Row rows[] = {
        {"24-bit true colour screen: as it is", kTrue24, {kArgb32}, std::nullopt},
        {"blue-green-red order is drawn with red and blue swapped", kBgr24, {}, std::nullopt},
        {"24-bit direct colour", kDirect24, {}, std::nullopt},
        {"30-bit screen", kTrue30, {}, std::nullopt},
        {"16-bit screen", kTrue16, {}, std::nullopt},
        {"15-bit screen", kTrue15, {}, std::nullopt},
        {"8-bit colour-mapped screen with only 8-bit visuals: grey",
         kPseudo8,
         {kGray8, kStatic8, kTrue332},
         0x22},
        {"8-bit colour-mapped screen that also offers 24 bits: true colour",
         kPseudo8,
         {kGray8, kTrue16, kTrue24, kArgb32},
         0x43},
        {"16 bits preferred to 15 and to grey", kPseudo8, {kTrue15, kGray8, kTrue16}, 0x42},
        {"8-bit 3-3-2 true colour root: Qt has no such image format", kTrue332, {kGray8}, 0x22},
        {"1-bit screen with a 24-bit visual", kStaticGray1, {kTrue24}, 0x43},
        {"nothing drawable offered: left to Qt", kPseudo8, {kStatic8, kTrue332}, std::nullopt},
        {"24 bits packed in 3 bytes is not drawable", kPseudo8, {kPacked24, kGray8}, 0x22},
    };
    for (const Row& row : rows) {
        std::vector<VisualInfo> all{row.root};
        all.insert(all.end(), row.offered.begin(), row.offered.end());
        EXPECT_EQ(ChooseDrawableVisual(row.root, all), row.chosen) << row.behaviour;
    }
}

}  // namespace
}  // namespace qelvar
