#pragma once
// The one table of names of a chart's typed values (UTF-8, Simplified
// Chinese): stars, their kinds, brightness words, transformation marks,
// bureaus, palaces, life stages, the three god cycles and the pillar stars.
// Views (the grid, the text output, the JSON) take every name from here.

#include <array>
#include <string_view>

#include "chart/Chart.h"

namespace qelvar {

// Star names by Star, two characters each.
inline constexpr std::array<std::string_view, kStarCount> kStarNames = {
    "紫微", "天机", "太阳", "武曲", "天同", "廉贞", "天府", "太阴", "贪狼", "巨门", "天相",
    "天梁", "七杀", "破军", "左辅", "右弼", "文昌", "文曲", "天魁", "天钺", "禄存", "天马",
    "擎羊", "陀罗", "火星", "铃星", "地空", "地劫", "天姚", "天刑", "天官", "天福", "台辅",
    "封诰", "解神", "天巫", "天月", "阴煞", "三台", "八座", "恩光", "天贵", "龙池", "凤阁",
    "天空", "截空", "红鸾", "天喜", "天虚", "天哭", "孤辰", "寡宿", "蜚廉", "破碎", "天才",
    "天寿", "天厨", "天伤", "天使", "天德", "月德", "年解", "旬空", "截路", "空亡"};

constexpr std::string_view StarName(Star s) {
    return kStarNames[static_cast<int>(s)];
}

// "major", "minor", "adjective".
constexpr std::string_view KindName(StarKind k) {
    constexpr std::array<std::string_view, 3> names = {"major", "minor", "adjective"};
    return names[static_cast<int>(k)];
}

// The brightness word as the chart shows it: "" for None, two spaces for Blank.
constexpr std::string_view BrightnessName(Brightness b) {
    constexpr std::array<std::string_view, 8> names = {"",   "庙", "旺", "平",
                                                       "闲", "陷", "地", "  "};
    return names[static_cast<int>(b)];
}

// 禄 权 科 忌, the order of the four transformations everywhere.
inline constexpr std::array<std::string_view, 4> kTransformationMarks = {"禄", "权", "科", "忌"};

// 禄 权 科 忌; "" for None.
constexpr std::string_view MutagenName(Mutagen m) {
    return m == Mutagen::None ? std::string_view{} : kTransformationMarks[static_cast<int>(m)];
}

// 水 木 金 土 火.
constexpr std::string_view ElementName(Element e) {
    constexpr std::array<std::string_view, 5> names = {"水", "木", "金", "土", "火"};
    return names[static_cast<int>(e)];
}

// "水二局" .. "火六局".
constexpr std::string_view BureauName(Bureau b) {
    constexpr std::array<std::string_view, 5> names = {"水二局", "木三局", "金四局", "土五局",
                                                       "火六局"};
    return names[static_cast<int>(b.element)];
}

// The twelve palaces, counted from 命 the way the palace names run forward
// round the ring from the 命宫 cell.
inline constexpr std::array<std::string_view, 12> kPalaceNames = {
    "本命宫", "父母宫", "福德宫", "田宅宫", "官禄宫", "仆役宫",
    "迁移宫", "疾厄宫", "财帛宫", "子女宫", "夫妻宫", "兄弟宫"};

// 十二长生.
inline constexpr std::array<std::string_view, 12> kLifeStages = {
    "长生", "沐浴", "冠带", "临官", "帝旺", "衰", "病", "死", "墓", "绝", "胎", "养"};

using GodCycle = std::array<std::string_view, 12>;
// 博士十二神, from the cell of 禄存.
inline constexpr GodCycle kBoShiCycle = {"博士", "力士", "青龙", "小耗", "将军", "奏书",
                                         "飞廉", "喜神", "病符", "大耗", "伏兵", "官符"};
// 岁前十二神, 太岁 (index 10) on the year branch.
inline constexpr GodCycle kSuiQianCycle = {"丧门", "贯索", "五鬼", "死符", "岁破", "龙德",
                                           "白虎", "天德", "天狗", "凶神", "太岁", "晦气"};
// 将前十二神, 将星 on the 旺 branch of the year-branch triad.
inline constexpr GodCycle kJiangQianCycle = {"将星", "攀鞍", "驿马", "息神", "华盖", "劫煞",
                                             "灾煞", "天煞", "指背", "咸池", "月煞", "亡神"};
// The same cycles under their common names: 官府 for 官符; 岁建 晦气 丧门
// 贯索 官符 小耗 大耗 龙德 白虎 天德 吊客 病符 from 太岁 on; 岁驿 for 驿马.
inline constexpr GodCycle kBoShiCommon = {"博士", "力士", "青龙", "小耗", "将军", "奏书",
                                          "飞廉", "喜神", "病符", "大耗", "伏兵", "官府"};
inline constexpr GodCycle kSuiQianCommon = {"丧门", "贯索", "官符", "小耗", "大耗", "龙德",
                                            "白虎", "天德", "吊客", "病符", "岁建", "晦气"};
inline constexpr GodCycle kJiangQianCommon = {"将星", "攀鞍", "岁驿", "息神", "华盖", "劫煞",
                                              "灾煞", "天煞", "指背", "咸池", "月煞", "亡神"};

constexpr const GodCycle& BoShiCycle(GodNames n) {
    return n == GodNames::Common ? kBoShiCommon : kBoShiCycle;
}
constexpr const GodCycle& SuiQianCycle(GodNames n) {
    return n == GodNames::Common ? kSuiQianCommon : kSuiQianCycle;
}
constexpr const GodCycle& JiangQianCycle(GodNames n) {
    return n == GodNames::Common ? kJiangQianCommon : kJiangQianCycle;
}

// Pillar-star names by PillarStar.
inline constexpr std::array<std::string_view, 19> kPillarStarNames = {
    "",     "天乙贵人", "文昌贵人", "沐浴", "干禄", "羊刃", "红艳", "金舆", "驿马", "华盖",
    "桃花", "劫煞",     "亡神",     "将星", "灾煞", "红鸾", "天喜", "孤辰", "寡宿"};

constexpr std::string_view PillarStarName(PillarStar s) {
    return kPillarStarNames[static_cast<int>(s)];
}

}  // namespace qelvar
