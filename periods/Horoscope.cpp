// The horoscope of a target date: 大限 (with the 童限), 小限, 流年, 流月,
// 流日 and 流时, each with its palace names, four transformations and
// moving stars.
#include <algorithm>
#include <cstdio>

#include "chart/StarTables.h"
#include "periods/Periods.h"

namespace qelvar {

namespace {

// The palace names of a layer, counted backward from its 命宫.
constexpr std::array<std::string_view, 12> kLayerPalaces = {
    "命宫", "兄弟", "夫妻", "子女", "财帛", "疾厄", "迁移", "仆役", "官禄", "田宅", "福德", "父母"};

// 文昌 and 文曲 by stem 甲..癸 (流昌: 甲巳 乙午 丙戊申 丁己酉 庚亥 辛子 壬寅 癸卯;
// 流曲: 甲酉 乙申 丙戊午 丁己巳 庚卯 辛寅 壬子 癸亥).
constexpr std::array<Branch, 10> kChangBranch = {5, 6, 8, 9, 8, 9, 11, 0, 2, 3};
constexpr std::array<Branch, 10> kQuBranch = {9, 8, 6, 5, 6, 5, 3, 2, 0, 11};

// Moving-star names by layer (大限 流年 流月 流日 流时) and star, in the
// order 魁 钺 昌 曲 禄 羊 陀 马 鸾 喜.
using StarNames = std::array<std::string_view, 10>;
constexpr std::array<StarNames, 5> kMovingStarNames = {{
    {"运魁", "运钺", "运昌", "运曲", "运禄", "运羊", "运陀", "运马", "运鸾", "运喜"},
    {"流魁", "流钺", "流昌", "流曲", "流禄", "流羊", "流陀", "流马", "流鸾", "流喜"},
    {"月魁", "月钺", "月昌", "月曲", "月禄", "月羊", "月陀", "月马", "月鸾", "月喜"},
    {"日魁", "日钺", "日昌", "日曲", "日禄", "日羊", "日陀", "日马", "日鸾", "日喜"},
    {"时魁", "时钺", "时昌", "时曲", "时禄", "时羊", "时陀", "时马", "时鸾", "时喜"},
}};

constexpr int NameRow(LayerKind kind) {
    switch (kind) {
        case LayerKind::Decade:
            return 0;
        case LayerKind::Year:
            return 1;
        case LayerKind::Month:
            return 2;
        case LayerKind::Day:
            return 3;
        case LayerKind::Hour:
            return 4;
        case LayerKind::Minor:
            break;
    }
    return -1;
}

void PlaceMovingStars(PeriodLayer& layer, KuiYueRule kuiYue) {
    const int row = NameRow(layer.kind);
    if (row < 0) return;  // 小限 has none
    const StarNames& names = kMovingStarNames[row];
    const Stem s = layer.stemBranch.stem;
    const Branch b = layer.stemBranch.branch;
    const Branch lu = kLuCunBranch[s];
    const Branch luan = HongLuanBranch(b);
    const std::array<Branch, 10> cells = {kTianKuiBranch[KuiYueRow(s, kuiYue)],
                                          kTianYueBranch[KuiYueRow(s, kuiYue)],
                                          kChangBranch[s],
                                          kQuBranch[s],
                                          lu,
                                          Ring(lu + 1),
                                          Ring(lu - 1),
                                          kMaBranch[b % 4],
                                          luan,
                                          TianXiBranch(b)};
    // Made whole, then copied into the layer at once.
    std::array<MovingStar, 11> stars;
    for (int i = 0; i < 10; ++i) stars[i] = {names[i], cells[i]};
    const bool year = layer.kind == LayerKind::Year;
    if (year) stars[10] = {"年解", NianJieBranch(b)};
    layer.stars.assign(stars.begin(), stars.begin() + (year ? 11 : 10));
}

// The 流年 gods, laid as the natal cycles with the target year's branch.
void PlaceYearGods(PeriodLayer& layer, GodNames names) {
    const Branch y = layer.stemBranch.branch;
    for (int i = 0; i < 12; ++i) {
        layer.suiQian[BranchOfCell(SuiQianCell(y, i))] = SuiQianCycle(names)[i];
        layer.jiangQian[BranchOfCell(JiangQianCell(y, i))] = JiangQianCycle(names)[i];
    }
}

// Fills `layer`, a fresh layer of the horoscope's list, in place.
void MakeLayer(PeriodLayer& layer, const NatalChart& natal, LayerKind kind, StemBranch sb,
               Branch cell) {
    layer.kind = kind;
    layer.stemBranch = sb;
    layer.cell = cell;
    // Counted backward from the 命宫: branch b has name Ring(cell - b).
    for (Branch b = 0, name = cell; b < 12; ++b, name = name == 0 ? 11 : name - 1)
        layer.palaces[b] = kLayerPalaces[name];
    layer.transformations = TransformationsOf(natal, sb.stem);
    PlaceMovingStars(layer, natal.school.kuiYue);
    if (kind == LayerKind::Year) PlaceYearGods(layer, natal.school.godNames);
}

// A layer whose stem is the palace stem of its cell (大限, 小限).
void CellLayer(PeriodLayer& layer, const NatalChart& natal, LayerKind kind, Branch cell) {
    MakeLayer(layer, natal, kind, {natal.palaceStem[cell], cell}, cell);
}

// 童限 cells by age 1..5: 命宫, 财帛, 疾厄, 夫妻, 福德, as offsets from the 命宫.
constexpr std::array<int, 5> kChildOffset = {0, -4, -5, -2, 2};

void DecadeLayer(PeriodLayer& layer, const NatalChart& natal, int age) {
    int first = 0;  // the chart's first range starts at its bureau number
    for (Branch b = 0; b < 12; ++b)
        if (natal.decadeFirst[b] > 0 && (first == 0 || natal.decadeFirst[b] < first))
            first = natal.decadeFirst[b];
    if (age < first) {
        const int i = std::clamp(age, 1, 5) - 1;  // [0, 4]: the first range starts at 2..6
        CellLayer(layer, natal, LayerKind::Decade, Ring(natal.life + kChildOffset[i]));
        layer.child = true;
        return;
    }
    // Past the twelfth range the ranges go round again in their own direction.
    const int start = first + 10 * ((age - first) / 10 % 12);
    Branch cell = natal.life;
    for (Branch b = 0; b < 12; ++b)
        if (natal.decadeFirst[b] == start) cell = b;
    CellLayer(layer, natal, LayerKind::Decade, cell);
}

void MinorLayer(PeriodLayer& layer, const NatalChart& natal, int age) {
    CellLayer(layer, natal, LayerKind::Minor,
              MinorLimitBranch(YearBranchOf(natal.lunarYear), natal.sex, age));
}

// Day pillar of a Gregorian date (the chart's day-pillar count).
StemBranch DayPillar(const SolarDate& d) {
    return DayPillarOf(d.year, d.month, d.day);
}

}  // namespace

std::string_view LayerName(LayerKind kind) {
    static constexpr std::array<std::string_view, 6> kNames = {"大限", "小限", "流年",
                                                               "流月", "流日", "流时"};
    return kNames[static_cast<int>(kind)];
}

HoroscopeResult ComputeHoroscope(const NatalChart& natal, const HoroscopeRequest& request,
                                 const LunarCalendar& calendar, LeapMonthRule leapMonth) {
    HoroscopeResult result;
    if (request.year < 1 || request.year > 9999 || request.month < 1 || request.month > 12 ||
        request.day < 1 || request.day > 31 ||
        (request.hour && (*request.hour < 0 || *request.hour > 12))) {
        result.error = kErrorDate;
        return result;
    }
    const SolarDate solar{static_cast<std::uint16_t>(request.year),
                          static_cast<std::uint16_t>(request.month),
                          static_cast<std::uint16_t>(request.day)};
    const std::optional<LunarDate> lunar = calendar.SolarToLunar(solar);
    if (!lunar) {
        result.error = kErrorDate;
        return result;
    }
    if (lunar->year < natal.lunarYear) {
        result.error = kErrorTarget;
        return result;
    }
    Horoscope& h = result.horoscope;
    h.target.solar = solar;
    h.target.lunar = *lunar;
    if (request.hour) h.target.hour = *request.hour % 12;  // 夜子 is 子 of the same day
    h.age = lunar->year - natal.lunarYear + 1;

    // The layers are made in place: six at most, so the list never moves.
    h.layers.reserve(6);
    DecadeLayer(h.layers.emplace_back(), natal, h.age);
    MinorLayer(h.layers.emplace_back(), natal, h.age);

    const StemBranch year{YearStemOf(lunar->year), YearBranchOf(lunar->year)};
    MakeLayer(h.layers.emplace_back(), natal, LayerKind::Year, year, year.branch);

    const int month = CountedMonth(*lunar, leapMonth);  // [1, 12]
    const Branch monthCell = Ring(natal.douJun + year.branch + month - 1);
    const StemBranch monthPillar = MonthPillarTable[month - 1][year.stem % 5];
    MakeLayer(h.layers.emplace_back(), natal, LayerKind::Month, monthPillar, monthCell);

    const Branch dayCell = Ring(monthCell + lunar->day - 1);
    const StemBranch day = DayPillar(solar);
    MakeLayer(h.layers.emplace_back(), natal, LayerKind::Day, day, dayCell);

    if (h.target.hour) {
        const int hour = *h.target.hour;
        const StemBranch hourPillar = HourPillarTable[hour][day.stem % 5];
        MakeLayer(h.layers.emplace_back(), natal, LayerKind::Hour, hourPillar,
                  Ring(dayCell + hour));
    }
    return result;
}

}  // namespace qelvar
