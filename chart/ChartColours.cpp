#include "chart/ChartColours.h"

#include <algorithm>
#include <array>

namespace qelvar {

namespace {

constexpr bool InRange(int id, int first, int last) {
    return id >= first && id <= last;
}

template <std::size_t N>
constexpr bool IsOneOf(std::string_view text, const std::array<std::string_view, N>& names) {
    return std::find(names.begin(), names.end(), text) != names.end();
}

constexpr std::array<std::string_view, 8> kHighlightedPalaces{
    "本命宫", "财帛宫", "迁移宫", "官禄宫", "命★身", "财★身", "迁★身", "官★身",
};

// The fourteen main stars.
constexpr std::array<std::string_view, 14> kMainStars{
    "紫微", "巨门", "廉贞", "武曲", "破军", "贪狼", "天府",
    "天同", "天机", "天梁", "天相", "七杀", "太阴", "太阳",
};

// The lucky auxiliary stars.
constexpr std::array<std::string_view, 10> kLuckyStars{
    "文曲", "文昌", "左辅", "右弼", "天魁", "天钺", "天马", "禄存", "天官", "天福",
};

// The malefic stars.
constexpr std::array<std::string_view, 8> kMaleficStars{
    "擎羊", "陀罗", "火星", "铃星", "地劫", "地空", "天刑", "天姚",
};

constexpr Rgb kOrange{255, 155, 0};
constexpr Rgb kYellow{255, 255, 0};
constexpr Rgb kWhite{255, 255, 255};
constexpr Rgb kDarkGreen{0, 100, 0};

void SetOpaque(TextAttributes& attrs, Rgb text, Rgb background) {
    attrs.opaque = true;
    attrs.text = text;
    attrs.background = background;
}

void ColourByText(std::string_view text, TextAttributes& attrs) {
    if (IsOneOf(text, kMainStars)) attrs.text = {255, 0, 0};
    if (IsOneOf(text, kLuckyStars)) attrs.text = {255, 0, 255};
    if (IsOneOf(text, kMaleficStars)) attrs.text = {200, 0, 200};
}

void ColourById(int id, TextAttributes& attrs) {
    if (InRange(id, 2073, 2084)) attrs.text = {0, 180, 50};             // life stages
    if (InRange(id, 1241, 1252)) attrs.text = {0, 0, 250};              // 博士 cycle
    if (InRange(id, 1253, 1264)) attrs.text = {0, 100, 200};            // 岁前 cycle
    if (InRange(id, 1265, 1276)) attrs.text = {100, 0, 255};            // 将前 cycle
    if (id == 2188 || id == 2189) attrs.text = {0, 200, 100};           // 命主, 身主
    if (id == 2182 || id == 2186) attrs.text = {200, 0, 100};           // date lines
    if (id == 2190) attrs.text = {250, 0, 11};                          // five pillars
    if (id == 2183) SetOpaque(attrs, kWhite, kDarkGreen);               // 四化 line
    if (InRange(id, 1229, 1240)) SetOpaque(attrs, kWhite, kDarkGreen);  // 四化 slots
    if (id == 2193) {                                                   // 纳音 of the pillars
        attrs.opaque = true;
        attrs.text = {50, 200, 255};
    }
    if (InRange(id, 1217, 1228)) {  // 纳音 of the cells
        attrs.opaque = true;
        attrs.text = {0, 255, 255};
    }
}

}  // namespace

void HighlightPalace(std::string_view text, TextAttributes& attrs) {
    if (IsOneOf(text, kHighlightedPalaces)) {
        attrs.opaque = true;
        attrs.background = kYellow;
    }
}

void SlotColour(int id, std::string_view text, TextAttributes& attrs) {
    ColourByText(text, attrs);
    ColourById(id, attrs);
}

TextAttributes ColourControl(int id, std::string_view text) {
    TextAttributes attrs;
    if (InRange(id, 1061, 1240)) attrs.text = kOrange;  // star columns, 纳音, 四化
    HighlightPalace(text, attrs);
    SlotColour(id, text, attrs);
    return attrs;
}

}  // namespace qelvar
