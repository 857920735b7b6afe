#pragma once
// School: the rules practitioners of different schools read differently,
// each a choice whose default is the program's long-standing reading, and
// the names the choices go by on the command line, in the JSON and in the
// caption.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "chart/Cycle.h"

namespace qelvar {

enum class Star : std::uint8_t;

// 天魁 天钺 of 庚 years: 午/寅 by the table, or 丑/未 with 甲 and 戊.
enum class KuiYueRule : std::uint8_t { Table, ChouWei };
// 天马 by the lunar month or by the year branch.
enum class TianMaRule : std::uint8_t { Month, Year };
// 身主 of 子 years.
enum class BodyRulerZi : std::uint8_t { LingXing, HuoXing };
// 截空 as one star, or 截路 and 空亡 as two.
enum class JieKongRule : std::uint8_t { Single, Pair };
// Rows of the four transformations (禄 权 科 忌) of 庚, 戊 and 壬 years.
enum class MutagenGeng : std::uint8_t { YangWuYinTong, YangWuFuTong, YangWuTongYin };
enum class MutagenWu : std::uint8_t { TanYinYouJi, TanYinYangJi };
enum class MutagenRen : std::uint8_t { LiangZiZuoWu, LiangZiFuWu };
// God names of the three twelve-god cycles.
enum class GodNames : std::uint8_t { Table, Common };
// The star set: the program's, or with 天德 月德 年解 旬空, the 来因 mark and
// the 小限 ages of each cell.
enum class StarSet : std::uint8_t { Table, Extended };

struct School {
    KuiYueRule kuiYue = KuiYueRule::Table;
    TianMaRule tianMa = TianMaRule::Month;
    BodyRulerZi bodyRulerZi = BodyRulerZi::LingXing;
    JieKongRule jieKong = JieKongRule::Single;
    MutagenGeng mutagenGeng = MutagenGeng::YangWuYinTong;
    MutagenWu mutagenWu = MutagenWu::TanYinYouJi;
    MutagenRen mutagenRen = MutagenRen::LiangZiZuoWu;
    GodNames godNames = GodNames::Table;
    StarSet stars = StarSet::Table;

    bool IsDefault() const { return *this == School{}; }
    friend bool operator==(const School&, const School&) = default;
};

// The presets: "default" (every choice at its default) and "common"
// (chou-wei, year, 火星, pair, common names, extended stars; the
// transformation rows stay).
std::optional<School> ParsePreset(std::string_view name);

// Names of the values: "default" "chou-wei", "month" "year", "铃星" "火星",
// "single" "pair", "阳武阴同" "阳武府同" "阳武同阴", "贪阴右机" "贪阴阳机",
// "梁紫左武" "梁紫府武", "default" "common", "default" "extended".
std::string_view ChoiceName(KuiYueRule v);
std::string_view ChoiceName(TianMaRule v);
std::string_view ChoiceName(BodyRulerZi v);
std::string_view ChoiceName(JieKongRule v);
std::string_view ChoiceName(MutagenGeng v);
std::string_view ChoiceName(MutagenWu v);
std::string_view ChoiceName(MutagenRen v);
std::string_view ChoiceName(GodNames v);
std::string_view ChoiceName(StarSet v);
std::optional<KuiYueRule> ParseKuiYue(std::string_view name);
std::optional<TianMaRule> ParseTianMa(std::string_view name);
std::optional<BodyRulerZi> ParseBodyRulerZi(std::string_view name);
std::optional<JieKongRule> ParseJieKong(std::string_view name);
std::optional<MutagenGeng> ParseMutagenGeng(std::string_view name);
std::optional<MutagenWu> ParseMutagenWu(std::string_view name);
std::optional<MutagenRen> ParseMutagenRen(std::string_view name);
std::optional<GodNames> ParseGodNames(std::string_view name);
std::optional<StarSet> ParseStarSet(std::string_view name);

// Every choice by its key (the JSON's "kuiYue") with its value's name, in
// the order of the struct.
struct SchoolField {
    std::string_view key;
    std::string_view value;
};
inline constexpr std::size_t kSchoolChoiceCount = 9;
std::array<SchoolField, kSchoolChoiceCount> SchoolFields(const School& s);
// Sets the choice `key` to the value named `value`; false (and nothing
// changes) for an unknown key or value.
bool SetSchoolChoice(School& s, std::string_view key, std::string_view value);
// Reads SchoolText's words back; empty for an unknown key or value.
std::optional<School> ParseSchoolText(std::string_view text);

// The non-default choices as "key=value" words joined by spaces, in the
// order of the struct ("kuiYue=chou-wei tianMa=year"); "" for the defaults.
std::string SchoolText(const School& s);
// The non-default choices in Chinese for the chart caption
// ("魁钺丑未 天马依年 ..."), each preceded by a space; "" for the defaults.
std::string SchoolCaption(const School& s);

}  // namespace qelvar
