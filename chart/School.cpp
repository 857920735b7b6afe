#include "chart/School.h"

#include <algorithm>
#include <utility>

#include "chart/NameTable.h"

namespace qelvar {

namespace {

constexpr NameTable<KuiYueRule, 2> kKuiYue = {
    {{KuiYueRule::Table, "default"}, {KuiYueRule::ChouWei, "chou-wei"}}};
constexpr NameTable<TianMaRule, 2> kTianMa = {
    {{TianMaRule::Month, "month"}, {TianMaRule::Year, "year"}}};
constexpr NameTable<BodyRulerZi, 2> kBodyRulerZi = {
    {{BodyRulerZi::LingXing, "铃星"}, {BodyRulerZi::HuoXing, "火星"}}};
constexpr NameTable<JieKongRule, 2> kJieKong = {
    {{JieKongRule::Single, "single"}, {JieKongRule::Pair, "pair"}}};
constexpr NameTable<MutagenGeng, 3> kGeng = {{{MutagenGeng::YangWuYinTong, "阳武阴同"},
                                              {MutagenGeng::YangWuFuTong, "阳武府同"},
                                              {MutagenGeng::YangWuTongYin, "阳武同阴"}}};
constexpr NameTable<MutagenWu, 2> kWu = {
    {{MutagenWu::TanYinYouJi, "贪阴右机"}, {MutagenWu::TanYinYangJi, "贪阴阳机"}}};
constexpr NameTable<MutagenRen, 2> kRen = {
    {{MutagenRen::LiangZiZuoWu, "梁紫左武"}, {MutagenRen::LiangZiFuWu, "梁紫府武"}}};
constexpr NameTable<GodNames, 2> kGodNames = {
    {{GodNames::Table, "default"}, {GodNames::Common, "common"}}};
constexpr NameTable<StarSet, 2> kStarSet = {
    {{StarSet::Table, "default"}, {StarSet::Extended, "extended"}}};

}  // namespace

std::string_view ChoiceName(KuiYueRule v) {
    return NameOf(kKuiYue, v);
}
std::string_view ChoiceName(TianMaRule v) {
    return NameOf(kTianMa, v);
}
std::string_view ChoiceName(BodyRulerZi v) {
    return NameOf(kBodyRulerZi, v);
}
std::string_view ChoiceName(JieKongRule v) {
    return NameOf(kJieKong, v);
}
std::string_view ChoiceName(MutagenGeng v) {
    return NameOf(kGeng, v);
}
std::string_view ChoiceName(MutagenWu v) {
    return NameOf(kWu, v);
}
std::string_view ChoiceName(MutagenRen v) {
    return NameOf(kRen, v);
}
std::string_view ChoiceName(GodNames v) {
    return NameOf(kGodNames, v);
}
std::string_view ChoiceName(StarSet v) {
    return NameOf(kStarSet, v);
}
std::optional<KuiYueRule> ParseKuiYue(std::string_view n) {
    return ValueNamed(kKuiYue, n);
}
std::optional<TianMaRule> ParseTianMa(std::string_view n) {
    return ValueNamed(kTianMa, n);
}
std::optional<BodyRulerZi> ParseBodyRulerZi(std::string_view n) {
    return ValueNamed(kBodyRulerZi, n);
}
std::optional<JieKongRule> ParseJieKong(std::string_view n) {
    return ValueNamed(kJieKong, n);
}
std::optional<MutagenGeng> ParseMutagenGeng(std::string_view n) {
    return ValueNamed(kGeng, n);
}
std::optional<MutagenWu> ParseMutagenWu(std::string_view n) {
    return ValueNamed(kWu, n);
}
std::optional<MutagenRen> ParseMutagenRen(std::string_view n) {
    return ValueNamed(kRen, n);
}
std::optional<GodNames> ParseGodNames(std::string_view n) {
    return ValueNamed(kGodNames, n);
}
std::optional<StarSet> ParseStarSet(std::string_view n) {
    return ValueNamed(kStarSet, n);
}

std::optional<School> ParsePreset(std::string_view name) {
    if (name == "default") return School{};
    if (name == "common")
        return School{.kuiYue = KuiYueRule::ChouWei,
                      .tianMa = TianMaRule::Year,
                      .bodyRulerZi = BodyRulerZi::HuoXing,
                      .jieKong = JieKongRule::Pair,
                      .godNames = GodNames::Common,
                      .stars = StarSet::Extended};
    return std::nullopt;
}

std::array<SchoolField, kSchoolChoiceCount> SchoolFields(const School& s) {
    return {{{"kuiYue", ChoiceName(s.kuiYue)},
             {"tianMa", ChoiceName(s.tianMa)},
             {"bodyRulerZi", ChoiceName(s.bodyRulerZi)},
             {"jieKong", ChoiceName(s.jieKong)},
             {"mutagenGeng", ChoiceName(s.mutagenGeng)},
             {"mutagenWu", ChoiceName(s.mutagenWu)},
             {"mutagenRen", ChoiceName(s.mutagenRen)},
             {"godNames", ChoiceName(s.godNames)},
             {"stars", ChoiceName(s.stars)}}};
}

namespace {

template <typename E, std::size_t N>
bool SetFrom(const NameTable<E, N>& table, std::string_view value, E& target) {
    const std::optional<E> v = ValueNamed(table, value);
    if (v) target = *v;
    return v.has_value();
}

}  // namespace

bool SetSchoolChoice(School& s, std::string_view key, std::string_view value) {
    if (key == "kuiYue") return SetFrom(kKuiYue, value, s.kuiYue);
    if (key == "tianMa") return SetFrom(kTianMa, value, s.tianMa);
    if (key == "bodyRulerZi") return SetFrom(kBodyRulerZi, value, s.bodyRulerZi);
    if (key == "jieKong") return SetFrom(kJieKong, value, s.jieKong);
    if (key == "mutagenGeng") return SetFrom(kGeng, value, s.mutagenGeng);
    if (key == "mutagenWu") return SetFrom(kWu, value, s.mutagenWu);
    if (key == "mutagenRen") return SetFrom(kRen, value, s.mutagenRen);
    if (key == "godNames") return SetFrom(kGodNames, value, s.godNames);
    if (key == "stars") return SetFrom(kStarSet, value, s.stars);
    return false;
}

std::string SchoolText(const School& s) {
    std::string text;
    const auto defaults = SchoolFields(School{});
    const auto fields = SchoolFields(s);
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (fields[i].value == defaults[i].value) continue;
        if (!text.empty()) text += ' ';
        text.append(fields[i].key).append("=").append(fields[i].value);
    }
    return text;
}

std::optional<School> ParseSchoolText(std::string_view text) {
    School s;
    while (!text.empty()) {
        const std::size_t end = std::min(text.find(' '), text.size());
        const std::string_view word = text.substr(0, end);
        text.remove_prefix(std::min(end + 1, text.size()));
        if (word.empty()) continue;
        const std::size_t eq = word.find('=');
        if (eq == std::string_view::npos ||
            !SetSchoolChoice(s, word.substr(0, eq), word.substr(eq + 1)))
            return std::nullopt;
    }
    return s;
}

std::string SchoolCaption(const School& s) {
    std::string text;
    const School d;
    if (s.kuiYue != d.kuiYue) text += " 魁钺丑未";
    if (s.tianMa != d.tianMa) text += " 天马依年";
    if (s.bodyRulerZi != d.bodyRulerZi) text += " 子年身主火星";
    if (s.jieKong != d.jieKong) text += " 截路空亡";
    if (s.mutagenGeng != d.mutagenGeng) text.append(" 庚").append(ChoiceName(s.mutagenGeng));
    if (s.mutagenWu != d.mutagenWu) text.append(" 戊").append(ChoiceName(s.mutagenWu));
    if (s.mutagenRen != d.mutagenRen) text.append(" 壬").append(ChoiceName(s.mutagenRen));
    if (s.godNames != d.godNames) text += " 通行神煞名";
    if (s.stars != d.stars) text += " 增星";
    return text;
}

}  // namespace qelvar
