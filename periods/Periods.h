#pragma once
// Periods over a cast chart (运限): the decades, the flying transformations
// of the natal palaces and the horoscope of a target date, with the layers
// 大限, 小限, 流年, 流月, 流日 and 流时.
//
// Plain data for any face (the CLI, a chart window): cells are Branch
// indexes, names are UTF-8 texts from static tables, and every table keyed
// by cell is indexed by Branch.  Forward means increasing PalaceIndex,
// which is increasing Branch too.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "birth/BirthBuilder.h"
#include "birth/BirthData.h"
#include "calendar/LunarCalendar.h"
#include "chart/Chart.h"
#include "chart/Pillars.h"
#include "periods/Conventions.h"

namespace qelvar {

inline constexpr Branch kNoCell = -1;

// What the periods read of a cast chart, once.
struct NatalChart {
    int lunarYear = 0;                  // the chart's year (after the conventions)
    int sex = 0;                        // 0 male, 1 female
    School school;                      // the readings the chart was cast under
    Branch life = 0;                    // cell of the 命宫
    Branch douJun = 0;                  // 子年斗君
    std::array<Stem, 12> palaceStem{};  // by Branch, from the palace-stem slots
    std::array<int, 12> decadeFirst{};  // by Branch, first age of the cell's range; 0 unreadable
    std::array<int, 12> decadeLast{};   // by Branch, last age of the cell's range
    // Natal cells of the stars a transformation can name (the fourteen main
    // stars, 文昌 文曲 左辅 右弼), looked up by ShortKey of the name.
    std::array<std::uint64_t, 18> starKey{};
    std::array<Branch, 18> starCell{};

    // The star's natal cell, kNoCell when it is not on the chart.
    Branch CellOfStar(std::string_view star) const;
};

NatalChart ReadNatalChart(const Chart& chart);

// One transformation: mark 0..3 (禄 权 科 忌), the star and its natal cell.
struct Transformation {
    int mark = 0;
    std::string_view star;
    Branch cell = kNoCell;
};
using FourTransformations = std::array<Transformation, 4>;

// The four transformations of a stem, each with the star's natal cell.
FourTransformations TransformationsOf(const NatalChart& natal, Stem stem);

enum class LayerKind { Decade, Minor, Year, Month, Day, Hour };

// "大限" "小限" "流年" "流月" "流日" "流时".
std::string_view LayerName(LayerKind kind);

struct MovingStar {
    std::string_view name;  // with the layer's prefix: "运昌", "流马", "年解"
    Branch cell = 0;
};

struct PeriodLayer {
    LayerKind kind = LayerKind::Decade;
    StemBranch stemBranch;
    Branch cell = 0;     // the layer's 命宫
    bool child = false;  // a 大限 of the 童限 ages
    // Layer palace names by Branch: "命宫", "兄弟" ... "父母".
    std::array<std::string_view, 12> palaces{};
    FourTransformations transformations{};
    // In the order 魁 钺 昌 曲 禄 羊 陀 马 鸾 喜, 年解 last; none for 小限.
    std::vector<MovingStar> stars;
    // 流年 only: the 岁前 and 将前 gods by Branch (empty views otherwise).
    std::array<std::string_view, 12> suiQian{}, jiangQian{};
};

struct HoroscopeTarget {
    SolarDate solar;
    LunarDate lunar;          // the real lunar date of the target
    std::optional<int> hour;  // double-hour 0..11 (夜子 folded to 子)
};

struct Horoscope {
    HoroscopeTarget target;
    int age = 0;                      // 虚岁, from the chart's year
    std::vector<PeriodLayer> layers;  // 大限 小限 流年 流月 流日, then 流时 with an hour
};

struct HoroscopeResult {
    std::string error;  // "" on success, "Error Date" or "Error Target"
    Horoscope horoscope;
    bool ok() const { return error.empty(); }
};

struct HoroscopeRequest {
    int year = 0, month = 0, day = 0;  // Gregorian target date
    std::optional<int> hour;           // 0..12, 12 = 夜子
};

// A target whose lunar year is before the chart's year (kErrorDate: no
// date of the calendar).
inline constexpr std::string_view kErrorTarget = "Error Target";

// The horoscope of a cast chart at a target moment.  Only the leap-month
// convention applies to the target (to 流月).
HoroscopeResult ComputeHoroscope(const NatalChart& natal, const HoroscopeRequest& request,
                                 const LunarCalendar& calendar,
                                 LeapMonthRule leapMonth = LeapMonthRule::Whole);

// One decade of the chart in age order.
struct Decade {
    Branch cell = 0;
    StemBranch stemBranch;
    int firstAge = 0, lastAge = 0;
    int firstYear = 0, lastYear = 0;  // lunar years of those ages
};
std::array<Decade, 12> Decades(const NatalChart& natal);

// 飞化 of one natal cell: the four transformations of its palace stem.
struct FlyingCell {
    StemBranch stemBranch;
    FourTransformations transformations{};
    std::array<bool, 4> self{};  // 自化: the mark lands in its own cell
    // 三方四正: the cell, its opposite, then the two triad cells (+4, +8).
    std::array<Branch, 4> surrounding{};
};
// By Branch.
std::array<FlyingCell, 12> FlyingTransformations(const NatalChart& natal);

}  // namespace qelvar
