// Where the frozen picture lies under the capture window on the screens
// desktops really report (sizes as GNOME 43, sway and XWayland give them;
// the device pixels of a selection worked out by hand).
#include <gtest/gtest.h>

#include "capture/PictureMapping.h"

namespace qelvar {
namespace {

struct LayoutRow {
    const char* name;
    PixelSize picture;        // the screen's part of the portal's (or X's) picture
    PixelSize screen;         // QScreen::geometry().size()
    double ratio;             // QScreen::devicePixelRatio()
    PixelSize covered;        // the full-screen window, in window pixels
    PixelBox selection;       // window pixels
    PixelBox selectedPixels;  // picture pixels
};

TEST(PictureMapping, SelectionIsCutInThePicturesDevicePixelsOnEveryLayout) {
    const LayoutRow rows[] = {
        {"scale 1",
         {1920, 1080},
         {1920, 1080},
         1.0,
         {1920, 1080},
         {800, 300, 240, 180},
         {800, 300, 240, 180}},
        // GNOME's default layout reports the monitor's device size as its
        // logical size together with scale 2.
        {"GNOME physical mode, scale 2, native",
         {2560, 1440},
         {2560, 1440},
         2.0,
         {1280, 720},
         {400, 150, 120, 90},
         {800, 300, 240, 180}},
        {"scale 2 reported as logical size, native",
         {5120, 2880},
         {2560, 1440},
         2.0,
         {2560, 1440},
         {400, 150, 120, 90},
         {800, 300, 240, 180}},
        {"GNOME physical mode, scale 2, XWayland",
         {2560, 1440},
         {2560, 1440},
         1.0,
         {2560, 1440},
         {800, 300, 240, 180},
         {800, 300, 240, 180}},
        {"XWayland with Xft.dpi 192 (Qt ratio 2)",
         {2560, 1440},
         {1280, 720},
         2.0,
         {1280, 720},
         {400, 150, 120, 90},
         {800, 300, 240, 180}},
        // Qt draws at ratio 2 and the compositor shrinks the buffer to 1.5.
        {"GNOME logical mode, scale 1.5, native",
         {1920, 1080},
         {1280, 720},
         2.0,
         {1280, 720},
         {100, 100, 200, 150},
         {150, 150, 300, 225}},
        {"GNOME logical mode, scale 1.5, XWayland",
         {1920, 1080},
         {1280, 720},
         1.0,
         {1280, 720},
         {100, 100, 200, 150},
         {150, 150, 300, 225}},
        // Edges round to the nearest pixel, so neighbouring boxes tile.
        {"scale 1.5, odd edges",
         {1920, 1080},
         {1280, 720},
         2.0,
         {1280, 720},
         {101, 101, 3, 3},
         {152, 152, 4, 4}},
        // Beside a scale-2 screen the desktop pictures a scale-1 screen
        // doubled: its window pixels map to two picture pixels each.
        {"mixed scales, the scale-1 screen",
         {2560, 1440},
         {1280, 720},
         1.0,
         {1280, 720},
         {10, 20, 30, 40},
         {20, 40, 60, 80}},
        {"mixed screens in GNOME physical mode, scale-1 screen",
         {1920, 1080},
         {1920, 1080},
         1.0,
         {1920, 1080},
         {10, 20, 30, 40},
         {10, 20, 30, 40}},
        {"selection past the bottom-right corner",
         {2560, 1440},
         {2560, 1440},
         2.0,
         {1280, 720},
         {1200, 700, 200, 100},
         {2400, 1400, 160, 40}},
    };
    for (const LayoutRow& row : rows) {
        const PixelSize covered = CoveredSize(row.picture, row.screen, row.ratio);
        EXPECT_EQ(covered, row.covered) << row.name;
        const PictureMapping mapping = PictureMapping::Of(row.picture, covered);
        EXPECT_EQ(mapping.PictureBox(row.selection, row.picture), row.selectedPixels) << row.name;
        // The whole window shows the whole picture.
        EXPECT_EQ(mapping.PictureBox({0, 0, covered.width, covered.height}, row.picture),
                  (PixelBox{0, 0, row.picture.width, row.picture.height}))
            << row.name;
    }
}

TEST(PictureMapping, NothingOfTheWindowOrOfThePictureGivesNoPixels) {
    const PictureMapping two = PictureMapping::Of({2560, 1440}, {1280, 720});
    EXPECT_EQ(two.PictureBox({1280, 0, 10, 10}, {2560, 1440}), std::nullopt);
    EXPECT_EQ(two.PictureBox({-20, -20, 10, 10}, {2560, 1440}), std::nullopt);
    EXPECT_EQ(two.PictureBox({5, 5, 0, 10}, {2560, 1440}), std::nullopt);
    // No window size yet: one picture pixel per window pixel.
    const PictureMapping none = PictureMapping::Of({2560, 1440}, {0, 0});
    EXPECT_EQ(none.PictureBox({1, 2, 3, 4}, {2560, 1440}), (PixelBox{1, 2, 3, 4}));
}

}  // namespace
}  // namespace qelvar
