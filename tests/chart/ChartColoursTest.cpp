// The colour rules of the chart window as a pure function of identifier and
// text: the rule order decides which colour a text gets.
#include <gtest/gtest.h>

#include <string>

#include "chart/ChartColours.h"

namespace qelvar {
namespace {

constexpr Rgb kBlack{0, 0, 0};
constexpr Rgb kWhite{255, 255, 255};
constexpr Rgb kOrange{255, 155, 0};
constexpr Rgb kYellow{255, 255, 0};
constexpr Rgb kDarkGreen{0, 100, 0};

struct Case {
    const char* behaviour;
    int id;
    std::string text;
    TextAttributes expected;
};

TextAttributes Text(Rgb text) {
    return {text, true, kWhite};
}

class ColourControlTest : public ::testing::TestWithParam<Case> {};

TEST_P(ColourControlTest, GivesTheAttributesOfTheLastMatchingRule) {
    const Case& c = GetParam();
    EXPECT_EQ(ColourControl(c.id, c.text), c.expected) << c.behaviour;
}

const Case kCases[] = {
    {"a label no rule touches is black on opaque white", -1, "命局：", Text(kBlack)},
    {"a branch label stays black", -1, "子", Text(kBlack)},
    {"main star in star column 0 is red", 1061 + 11, "紫微", Text({255, 0, 0})},
    {"main star in the second row is red", 1205, "太阳", Text({255, 0, 0})},
    {"lucky star is magenta", 1073, "禄存", Text({255, 0, 255})},
    {"malefic star is purple", 1085, "擎羊", Text({200, 0, 200})},
    {"any other star name in a star column is orange", 1097, "台辅", Text(kOrange)},
    {"an empty star column is orange", 1216, "", Text(kOrange)},
    {"below the star columns no orange", 1060, "", Text(kBlack)},
    {"palace family itself has no colour", 1013, "兄弟宫", Text(kBlack)},
    {"命宫 on yellow", 1012, "本命宫", {kBlack, true, kYellow}},
    {"命宫 with the body mark on yellow", 1015, "命★身", {kBlack, true, kYellow}},
    {"财帛宫 on yellow", 1016, "财帛宫", {kBlack, true, kYellow}},
    {"迁移宫 with the body mark on yellow", 1017, "迁★身", {kBlack, true, kYellow}},
    {"官禄宫 on yellow", 1023, "官禄宫", {kBlack, true, kYellow}},
    {"another body mark has no yellow", 1018, "福★身", Text(kBlack)},
    {"life stage is green", 2084, "长生", Text({0, 180, 50})},
    {"博士 cycle is blue", 1241, "博士", Text({0, 0, 250})},
    {"岁前 cycle", 1264, "岁建", Text({0, 100, 200})},
    {"将前 cycle", 1265, "将星", Text({100, 0, 255})},
    {"a star name in a god slot takes the slot colour", 1252, "紫微", Text({0, 0, 250})},
    {"命主", 2188, "命主贪狼", Text({0, 200, 100})},
    {"身主", 2189, "身主火星", Text({0, 200, 100})},
    {"lunar date line", 2182, "农历：龙(庚辰)年正月初一", Text({200, 0, 100})},
    {"Gregorian date line", 2186, "阳历：2000年2月5日 ", Text({200, 0, 100})},
    {"five pillars", 2190, "庚辰 戊寅", Text({250, 0, 11})},
    {"四化 line is white on dark green", 2183, "四化", {kWhite, true, kDarkGreen}},
    {"四化 slot is white on dark green", 1229, "禄", {kWhite, true, kDarkGreen}},
    {"last 四化 slot", 1240, "", {kWhite, true, kDarkGreen}},
    {"a star that overflowed into a 四化 slot is white on green",
     1230,
     "天马",
     {kWhite, true, kDarkGreen}},
    {"纳音 of the pillars on white", 2193, "纳音", Text({50, 200, 255})},
    {"纳音 of a cell is cyan on white", 1228, "海中金", Text({0, 255, 255})},
    {"a star name in a 纳音 slot is cyan", 1217, "天马", Text({0, 255, 255})},
    {"days-lived sentence is black", 2184, "距离今天", Text(kBlack)},
    {"pillar-star block is black", 2185, "天乙贵人", Text(kBlack)},
    {"bureau is black", 1036, "水二局", Text(kBlack)},
};

INSTANTIATE_TEST_SUITE_P(Rules, ColourControlTest, ::testing::ValuesIn(kCases));

TEST(HighlightPalace, LeavesTheTextColourAlone) {
    TextAttributes attrs{{1, 2, 3}, false, kWhite};
    HighlightPalace("官★身", attrs);
    EXPECT_EQ(attrs, (TextAttributes{{1, 2, 3}, true, kYellow}));
    HighlightPalace("官禄", attrs);  // only whole texts match
    EXPECT_EQ(attrs.background, kYellow);
}

TEST(SlotColour, IdentifierRulesComeAfterTextRules) {
    TextAttributes attrs;
    SlotColour(2073, "天府", attrs);  // a star name in a life-stage slot
    EXPECT_EQ(attrs.text, (Rgb{0, 180, 50}));
}

}  // namespace
}  // namespace qelvar
