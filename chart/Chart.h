#pragma once
// Chart: a cast chart as data.  The chart steps fill it; the grid of slot
// texts, the text output, the JSON and the pictures are views built from
// it (ChartGrid::Of).  Every name comes from the tables of
// chart/ChartNames.h, keyed by the enums below, so a view in another
// language or a school's variant keys off these values, never off texts.
//
// Cells are indexed by PalaceIndex (寅 = 0 .. 丑 = 11), the engine's ring;
// PalaceOfBranch() reads them by Branch.

#include <array>
#include <chrono>
#include <cstdint>
#include <vector>

#include "calendar/LunarCalendar.h"
#include "chart/Cycle.h"
#include "chart/School.h"

namespace qelvar {

// The 65 stars the chart places, in the order of their kinds: the fourteen
// major stars, the fourteen minor stars, then the adjective stars.
enum class Star : std::uint8_t {
    // major (主星)
    ZiWei,      // 紫微
    TianJi,     // 天机
    TaiYang,    // 太阳
    WuQu,       // 武曲
    TianTong,   // 天同
    LianZhen,   // 廉贞
    TianFu,     // 天府
    TaiYin,     // 太阴
    TanLang,    // 贪狼
    JuMen,      // 巨门
    TianXiang,  // 天相
    TianLiang,  // 天梁
    QiSha,      // 七杀
    PoJun,      // 破军
    // minor (辅佐煞曜)
    ZuoFu,     // 左辅
    YouBi,     // 右弼
    WenChang,  // 文昌
    WenQu,     // 文曲
    TianKui,   // 天魁
    TianYue,   // 天钺
    LuCun,     // 禄存
    TianMa,    // 天马
    QingYang,  // 擎羊
    TuoLuo,    // 陀罗
    HuoXing,   // 火星
    LingXing,  // 铃星
    DiKong,    // 地空
    DiJie,     // 地劫
    // adjective (杂曜)
    TianYao,       // 天姚
    TianXing,      // 天刑
    TianGuan,      // 天官
    TianFuStar,    // 天福
    TaiFu,         // 台辅
    FengGao,       // 封诰
    JieShen,       // 解神
    TianWu,        // 天巫
    TianYueMonth,  // 天月
    YinSha,        // 阴煞
    SanTai,        // 三台
    BaZuo,         // 八座
    EnGuang,       // 恩光
    TianGui,       // 天贵
    LongChi,       // 龙池
    FengGe,        // 凤阁
    TianKong,      // 天空
    JieKong,       // 截空
    HongLuan,      // 红鸾
    TianXi,        // 天喜
    TianXu,        // 天虚
    TianKu,        // 天哭
    GuChen,        // 孤辰
    SuGua,         // 寡宿
    FeiLian,       // 蜚廉
    PoSui,         // 破碎
    TianCai,       // 天才
    TianShou,      // 天寿
    TianChu,       // 天厨
    TianShang,     // 天伤
    TianShi,       // 天使
    // adjective stars of the extended star set and the paired 截空
    TianDe,    // 天德
    YueDe,     // 月德
    NianJie,   // 年解
    XunKong,   // 旬空
    JieLu,     // 截路
    KongWang,  // 空亡
};
inline constexpr int kStarCount = 65;

enum class StarKind : std::uint8_t { Major, Minor, Adjective };

constexpr StarKind KindOf(Star s) {
    const int i = static_cast<int>(s);
    return i < 14 ? StarKind::Major : i < 28 ? StarKind::Minor : StarKind::Adjective;
}

// 庙 旺 平 闲 陷 地; Blank is a rated star in a cell where it cannot stand
// (shown as two spaces); None is an unrated star or one outside the rated
// columns.
enum class Brightness : std::uint8_t { None, Miao, Wang, Ping, Xian, XianLow, Di, Blank };

// 禄 权 科 忌, the order of the four transformations everywhere.
enum class Mutagen : std::uint8_t { Lu, Quan, Ke, Ji, None };

// 水二局 木三局 金四局 土五局 火六局.
enum class Element : std::uint8_t { Water, Wood, Metal, Earth, Fire };

struct Bureau {
    Element element = Element::Water;
    int number = 2;  // [2, 6]
    friend bool operator==(const Bureau&, const Bureau&) = default;
};

// One star in a cell.  `position` is its place in the cell's star-slot
// sequence: star columns 0..12, or 14 (the mark slot), 18, 19 (the
// brightness slots of columns 0 and 1) for a star placed into a crowded
// cell.
struct PlacedStar {
    Star star = Star::ZiWei;
    std::uint8_t position = 0;
    Brightness brightness = Brightness::None;  // set for columns 0..7
    Mutagen mutagen = Mutagen::None;           // natal, set for columns 0..5
};

// Positions of a cell's star-slot sequence a search can reach: 0..19.
inline constexpr int kStarPositions = 20;
// Positions that hold no star: 13 纳音 and 15..17 the gods.
constexpr bool IsFixedPosition(int j) {
    return j == 13 || (j >= 15 && j <= 17);
}

struct Palace {
    Stem stem = 0;
    int name = 0;           // 0..11: 本命宫 父母宫 .. 兄弟宫 (ChartNames kPalaceNames)
    bool isBody = false;    // the 身宫
    bool isOrigin = false;  // the 来因宫, marked with the extended star set
    int decadeFrom = 0, decadeTo = 0;
    int stage = 0;                              // 0..11: 长生 .. 养
    int boShi = 0, suiQian = 0, jiangQian = 0;  // god of each cycle, 0..11
    // Stars in the order of their positions; count of them in `starCount`.
    std::array<PlacedStar, kStarPositions> stars{};
    std::uint8_t starCount = 0;
    std::uint32_t occupied = 0;  // bit j: position j holds a star
};

// Pillar stars (神煞) of the pillar block.
enum class PillarStar : std::uint8_t {
    None,
    TianYiGuiRen,
    WenChangGuiRen,
    MuYu,
    GanLu,
    YangRen,
    HongYan,
    JinYu,
    YiMa,
    HuaGai,
    TaoHua,
    JieSha,
    WangShen,
    JiangXing,
    ZaiSha,
    HongLuan,
    TianXi,
    GuChen,
    GuaSu,
};

// What a chart is cast from: the birth as typed values.
struct ChartBirth {
    std::chrono::year_month_day solar{};  // Gregorian date of birth
    int solarTerm = 0;                    // term 1..24 falling on that day, 0 for none
    SolarMonthCode solarMonth = 0;        // of the Gregorian day
    LunarDate lunar;                      // the lunar date shown (of the day counted)
    // The lunar numbers the chart counts (after the conventions): year,
    // month 1..12 (a leap month its number or, split, the next), day 1..30.
    int lunarYear = 0, lunarMonth = 1, lunarDay = 1;
    int hour = 0;                        // double-hour 0..11 (夜子 folded to 子)
    int minuteSlot = 0;                  // ten-minute sub-period 0..11
    int sex = 0;                         // 0 male, 1 female
    std::chrono::sys_seconds instant{};  // UTC instant of the birth
    int dayPillarShift = 0;              // days the day pillar counts past the date
};

struct Chart {
    ChartBirth birth;
    School school;                        // the choices the steps follow
    std::chrono::year_month_day today{};  // the days lived count to it

    // Bit k: chart step k (1..42) has run; bit 0: the marks and the first
    // brightness family have been cleared for the star steps.  A view shows
    // the window's placeholder texts for what has not been cast yet.
    std::uint64_t done = 0;
    bool Done(int step) const { return (done >> step) & 1U; }

    std::array<Palace, 12> palaces{};  // by PalaceIndex
    PalaceIndex life = 0;              // cell of the 命宫
    PalaceIndex body = 0;              // cell of the 身宫
    Bureau bureau;
    Stem yearStem = 0;      // of the chart's lunar year
    Branch yearBranch = 0;  // of the chart's lunar year
    Star lifeRuler = Star::TanLang;
    Star bodyRuler = Star::LingXing;
    Branch douJun = 0;  // 子年斗君
    // Year, month, day, hour and ten-minute pillars.
    std::array<StemBranch, 5> pillars{};
    // The pillar-star block: three lines (year-branch, day-stem and
    // day-branch stars) over the four columns year, month, day, hour;
    // None where nothing stands or the column is not tested.
    std::array<std::array<PillarStar, 4>, 3> pillarStars{};
    long long daysLived = 0;

    const Palace& PalaceOfBranch(Branch b) const { return palaces[CellOfBranch(b)]; }
    // The ages 1..120 of the 小限 that stand in a cell, ascending.
    std::vector<int> SmallLimitAges(PalaceIndex cell) const;
    // The four stars the year stem transforms, in the order 禄 权 科 忌.
    std::array<Star, 4> Transformations() const;
};

}  // namespace qelvar
