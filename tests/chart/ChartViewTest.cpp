// Zoom steps, the opening zoom, fitting the chart into a window, hit tests
// and the caption of a kept chart.
#include <gtest/gtest.h>

#include "chart/ChartCaption.h"
#include "chart/ChartView.h"

namespace qelvar {
namespace {

struct ZoomStepCase {
    const char* name;
    double zoom;
    int direction;
    double next;
};

TEST(ZoomSteps, WholeAndHalfSteps) {
    const ZoomStepCase cases[] = {
        {"1 up is 1.5", 1.0, 1, 1.5},
        {"1.5 down is 1", 1.5, -1, 1.0},
        {"between steps up goes to the next step", 1.2, 1, 1.5},
        {"between steps down goes to the step below", 1.2, -1, 1.0},
        {"the smallest zoom stays", 0.5, -1, 0.5},
        {"the largest zoom stays", 6.0, 1, 6.0},
        {"fitted 0.7 up", 0.7, 1, 1.0},
    };
    for (const ZoomStepCase& c : cases)
        EXPECT_DOUBLE_EQ(NextZoom(c.zoom, c.direction), c.next) << c.name;
}

struct OpeningCase {
    const char* name;
    double available, extra, zoom;
};

// 85 % of the available height must hold 512 x zoom plus the bars.
TEST(OpeningZoom, LargestHalfStepThatFits) {
    const OpeningCase cases[] = {
        {"1080 screen: 918 holds 768 + 110, not 1024", 1080, 110, 1.5},
        {"1040 after a panel: 884 holds 768 + 110", 1040, 110, 1.5},
        {"bars too tall for 1.5: 918 - 160 < 768", 1080, 160, 1.0},
        {"2160 logical: 1836 - 110 = 1726 holds 3 x 512", 2160, 110, 3.0},
        {"768 screen: 652.8 - 110 holds 512", 768, 110, 1.0},
        {"600 screen: only the smallest zoom", 600, 110, 0.5},
        {"a tiny screen still opens at the smallest zoom", 200, 110, 0.5},
    };
    for (const OpeningCase& c : cases)
        EXPECT_DOUBLE_EQ(OpeningZoom(c.available, 512, c.extra), c.zoom) << c.name;
}

TEST(FitChart, KeepsProportionsAndCentres) {
    const ChartPlacement exact = FitChart(497, 512, 994, 1024);
    EXPECT_DOUBLE_EQ(exact.scale, 2.0);
    EXPECT_DOUBLE_EQ(exact.x, 0.0);
    EXPECT_DOUBLE_EQ(exact.y, 0.0);
    const ChartPlacement wide = FitChart(497, 512, 1000, 512);  // height limits
    EXPECT_DOUBLE_EQ(wide.scale, 1.0);
    EXPECT_DOUBLE_EQ(wide.x, 251.5);
    EXPECT_DOUBLE_EQ(wide.y, 0.0);
    const ChartPlacement tall = FitChart(497, 512, 497, 900);  // width limits
    EXPECT_DOUBLE_EQ(tall.scale, 1.0);
    EXPECT_DOUBLE_EQ(tall.y, 194.0);
    EXPECT_DOUBLE_EQ(FitChart(0, 512, 100, 100).scale, 1.0);  // no chart: no division
}

struct HitCase {
    const char* name;
    double x, y;
    std::optional<int> palace;
};

// Cells by PalaceIndex (寅 0): 巳 3 at the top left, 亥 9 at the bottom right.
TEST(PalaceAt, CellsOfTheRing) {
    const HitCase cases[] = {
        {"巳 corner", 10, 7, 3},
        {"午 top row", 100, 50, 4},
        {"申 top right", 300, 20, 6},
        {"酉 right column", 300, 100, 7},
        {"亥 bottom right", 300, 300, 9},
        {"寅 bottom left", 20, 300, 0},
        {"辰 left column", 20, 120, 2},
        {"centre is no cell", 150, 150, std::nullopt},
        {"the red frame is no cell", 5, 5, std::nullopt},
        {"past the right edge", 330, 100, std::nullopt},
    };
    for (const HitCase& c : cases) EXPECT_EQ(PalaceAt(c.x, c.y), c.palace) << c.name;
}

TEST(ChartCaption, BirthMomentSexAndConventions) {
    BirthData b;
    b.g_strSolarText = "2000年2月5日 ";
    b.g_strLunarText = "龙(庚辰)年正月初一";
    b.g_nHour = 6;
    b.g_nDoubleHour = 6;
    b.g_nMinuteSlot = 2;
    EXPECT_EQ(ChartCaption(b), "阳历2000年2月5日 农历龙(庚辰)年正月初一 午时(20-30分) 男");
    b.g_nSex = 1;
    b.g_nHour = 0;
    b.g_nDoubleHour = 12;
    ChartConventions c;
    c.yearStart = YearStart::Lichun;
    EXPECT_EQ(ChartCaption(b, c),
              "阳历2000年2月5日 农历龙(庚辰)年正月初一 夜子时(20-30分) 女 立春换年");
    EXPECT_EQ(
        ChartCaption(b, {}, "出生地 成都  北京时间 07:30"),
        "阳历2000年2月5日 农历龙(庚辰)年正月初一 夜子时(20-30分) 女  出生地 成都  北京时间 07:30");
}

}  // namespace
}  // namespace qelvar
