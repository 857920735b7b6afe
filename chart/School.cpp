#include "chart/School.h"

#include <utility>

namespace qelvar {

namespace {

template <typename E, std::size_t N>
using Names = std::array<std::pair<E, std::string_view>, N>;

constexpr Names<KuiYueRule, 2> kKuiYue = {
    {{KuiYueRule::Table, "default"}, {KuiYueRule::ChouWei, "chou-wei"}}};
constexpr Names<TianMaRule, 2> kTianMa = {
    {{TianMaRule::Month, "month"}, {TianMaRule::Year, "year"}}};
constexpr Names<BodyRulerZi, 2> kBodyRulerZi = {
    {{BodyRulerZi::LingXing, "铃星"}, {BodyRulerZi::HuoXing, "火星"}}};
constexpr Names<JieKongRule, 2> kJieKong = {
    {{JieKongRule::Single, "single"}, {JieKongRule::Pair, "pair"}}};
constexpr Names<MutagenGeng, 3> kGeng = {{{MutagenGeng::YangWuYinTong, "阳武阴同"},
                                          {MutagenGeng::YangWuFuTong, "阳武府同"},
                                          {MutagenGeng::YangWuTongYin, "阳武同阴"}}};
constexpr Names<MutagenWu, 2> kWu = {
    {{MutagenWu::TanYinYouJi, "贪阴右机"}, {MutagenWu::TanYinYangJi, "贪阴阳机"}}};
constexpr Names<MutagenRen, 2> kRen = {
    {{MutagenRen::LiangZiZuoWu, "梁紫左武"}, {MutagenRen::LiangZiFuWu, "梁紫府武"}}};
constexpr Names<GodNames, 2> kGodNames = {
    {{GodNames::Table, "default"}, {GodNames::Common, "common"}}};
constexpr Names<StarSet, 2> kStarSet = {
    {{StarSet::Table, "default"}, {StarSet::Extended, "extended"}}};

template <typename E, std::size_t N>
std::string_view NameOf(const Names<E, N>& table, E v) {
    for (const auto& [value, name] : table)
        if (value == v) return name;
    return {};
}

template <typename E, std::size_t N>
std::optional<E> Parse(const Names<E, N>& table, std::string_view text) {
    for (const auto& [value, name] : table)
        if (name == text) return value;
    return std::nullopt;
}

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
    return Parse(kKuiYue, n);
}
std::optional<TianMaRule> ParseTianMa(std::string_view n) {
    return Parse(kTianMa, n);
}
std::optional<BodyRulerZi> ParseBodyRulerZi(std::string_view n) {
    return Parse(kBodyRulerZi, n);
}
std::optional<JieKongRule> ParseJieKong(std::string_view n) {
    return Parse(kJieKong, n);
}
std::optional<MutagenGeng> ParseMutagenGeng(std::string_view n) {
    return Parse(kGeng, n);
}
std::optional<MutagenWu> ParseMutagenWu(std::string_view n) {
    return Parse(kWu, n);
}
std::optional<MutagenRen> ParseMutagenRen(std::string_view n) {
    return Parse(kRen, n);
}
std::optional<GodNames> ParseGodNames(std::string_view n) {
    return Parse(kGodNames, n);
}
std::optional<StarSet> ParseStarSet(std::string_view n) {
    return Parse(kStarSet, n);
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

std::string SchoolText(const School& s) {
    std::string text;
    auto add = [&text](std::string_view key, std::string_view value) {
        if (!text.empty()) text += ' ';
        text.append(key).append("=").append(value);
    };
    const School d;
    if (s.kuiYue != d.kuiYue) add("kuiYue", ChoiceName(s.kuiYue));
    if (s.tianMa != d.tianMa) add("tianMa", ChoiceName(s.tianMa));
    if (s.bodyRulerZi != d.bodyRulerZi) add("bodyRulerZi", ChoiceName(s.bodyRulerZi));
    if (s.jieKong != d.jieKong) add("jieKong", ChoiceName(s.jieKong));
    if (s.mutagenGeng != d.mutagenGeng) add("mutagenGeng", ChoiceName(s.mutagenGeng));
    if (s.mutagenWu != d.mutagenWu) add("mutagenWu", ChoiceName(s.mutagenWu));
    if (s.mutagenRen != d.mutagenRen) add("mutagenRen", ChoiceName(s.mutagenRen));
    if (s.godNames != d.godNames) add("godNames", ChoiceName(s.godNames));
    if (s.stars != d.stars) add("stars", ChoiceName(s.stars));
    return text;
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
