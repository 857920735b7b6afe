// The term tables against forms reviewed by hand (the usage of Taiwanese
// and Hong Kong Purple Star books and of the Republic of China's standard
// characters, written out here, not taken from OpenCC), the completeness of
// the tables over the program's name tables, and the language names.

#include "lang/Terms.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "calendar/CalendarNames.h"
#include "chart/ChartNames.h"
#include "chart/Cycle.h"
#include "chart/Pillars.h"
#include "chart/StarTables.h"
#include "tests/lang/SimplifiedOnly.h"

namespace qelvar {
namespace {

// Pairs "simplified traditional" separated by spaces.
std::vector<std::pair<std::string, std::string>> Pairs(std::string_view text) {
    std::istringstream in{std::string(text)};
    std::vector<std::pair<std::string, std::string>> pairs;
    std::string s, t;
    while (in >> s >> t) pairs.emplace_back(s, t);
    return pairs;
}

// zh-TW forms.  Where Hong Kong writes the term the same way the pair holds
// for zh-HK too (checked below for the chart's terms).
constexpr std::string_view kZhTw =
    // stars
    "紫微 紫微 天机 天機 太阳 太陽 武曲 武曲 天同 天同 廉贞 廉貞 天府 天府 太阴 太陰 "
    "贪狼 貪狼 巨门 巨門 天相 天相 天梁 天梁 七杀 七殺 破军 破軍 左辅 左輔 右弼 右弼 "
    "文昌 文昌 文曲 文曲 天魁 天魁 天钺 天鉞 禄存 祿存 天马 天馬 擎羊 擎羊 陀罗 陀羅 "
    "火星 火星 铃星 鈴星 地空 地空 地劫 地劫 天姚 天姚 天刑 天刑 天官 天官 天福 天福 "
    "台辅 台輔 封诰 封誥 解神 解神 天巫 天巫 天月 天月 阴煞 陰煞 三台 三台 八座 八座 "
    "恩光 恩光 天贵 天貴 龙池 龍池 凤阁 鳳閣 天空 天空 截空 截空 红鸾 紅鸞 天喜 天喜 "
    "天虚 天虛 天哭 天哭 孤辰 孤辰 蜚廉 蜚廉 破碎 破碎 天才 天才 天寿 天壽 天厨 天廚 "
    "天伤 天傷 天使 天使 "
    // brightness, transformations, 斗君
    "庙 廟 旺 旺 平 平 陷 陷 地 地 禄 祿 权 權 科 科 忌 忌 化禄 化祿 化权 化權 化科 化科 "
    "化忌 化忌 斗君 斗君 子年斗君： 子年斗君： 命主 命主 身主 身主 "
    // palaces
    "本命宫 本命宮 父母宫 父母宮 福德宫 福德宮 田宅宫 田宅宮 官禄宫 官祿宮 仆役宫 僕役宮 "
    "迁移宫 遷移宮 疾厄宫 疾厄宮 财帛宫 財帛宮 子女宫 子女宮 夫妻宫 夫妻宮 兄弟宫 兄弟宮 "
    "命宫 命宮 身宫 身宮 仆役 僕役 交友 交友 迁移 遷移 财★身 財★身 迁★身 遷★身 "
    // bureaus, life stages
    "水二局 水二局 木三局 木三局 金四局 金四局 土五局 土五局 火六局 火六局 五行局 五行局 "
    "长生 長生 沐浴 沐浴 冠带 冠帶 临官 臨官 帝旺 帝旺 衰 衰 病 病 死 死 墓 墓 绝 絕 "
    "胎 胎 养 養 "
    // god cycles
    "博士 博士 力士 力士 青龙 青龍 小耗 小耗 将军 將軍 奏书 奏書 飞廉 飛廉 喜神 喜神 "
    "病符 病符 大耗 大耗 伏兵 伏兵 官符 官符 丧门 喪門 贯索 貫索 五鬼 五鬼 死符 死符 "
    "岁破 歲破 龙德 龍德 白虎 白虎 天德 天德 天狗 天狗 太岁 太歲 晦气 晦氣 将星 將星 "
    "攀鞍 攀鞍 驿马 驛馬 息神 息神 华盖 華蓋 劫煞 劫煞 灾煞 災煞 天煞 天煞 指背 指背 "
    "咸池 咸池 月煞 月煞 亡神 亡神 岁前 歲前 将前 將前 "
    // 纳音
    "纳音 納音 海中金 海中金 炉中火 爐中火 涧下水 澗下水 城头土 城頭土 白蜡金 白蠟金 "
    "杨柳木 楊柳木 霹雳火 霹靂火 长流水 長流水 佛灯火 佛燈火 大驿土 大驛土 钗钏金 釵釧金 "
    "剑锋金 劍鋒金 山头火 山頭火 "
    // pillar stars
    "天乙贵人 天乙貴人 文昌贵人 文昌貴人 干禄 干祿 金舆 金輿 "
    // stems, branches, animals, months, days, terms
    "干 干 丑 丑 龙 龍 马 馬 鸡 雞 猪 豬 闰 閏 闰月 閏月 正月 正月 腊月 臘月 十一月 十一月 "
    "初一 初一 十五 十五 廿一 廿一 廿九 廿九 三十 三十 惊蛰 驚蟄 谷雨 穀雨 小满 小滿 "
    "芒种 芒種 处暑 處暑 "
    // labels and period layers
    "阳历： 陽曆： 农历： 農曆： 时 時 夜子 夜子 大限 大限 小限 小限 流年 流年 流时 流時 "
    "虚岁 虛歲 运禄 運祿 流钺 流鉞 时鸾 時鸞";

// Where Hong Kong writes a term otherwise than Taiwan.
constexpr std::string_view kZhHkOnly =
    "文件已存在 文件已存在 文件夹不存在 文件夾不存在 磁盘空间不足 磁盤空間不足";

TEST(Terms, ReviewedFormsOfTheChartTerms) {
    const auto pairs = Pairs(kZhTw);
    ASSERT_GE(pairs.size(), 150u);
    for (const auto& [simplified, traditional] : pairs) {
        EXPECT_TRUE(HasTerm(simplified)) << simplified;
        EXPECT_EQ(Term(Language::ZhTW, simplified), traditional) << simplified;
        // The chart's terms are written alike in Hong Kong.
        EXPECT_EQ(Term(Language::ZhHK, simplified), traditional) << simplified;
        EXPECT_EQ(Term(Language::ZhCN, simplified), simplified);
    }
    for (const auto& [simplified, traditional] : Pairs(kZhHkOnly))
        EXPECT_EQ(Term(Language::ZhHK, simplified), traditional) << simplified;
    EXPECT_EQ(Term(Language::ZhTW, "文件已存在"), "檔案已存在");
}

TEST(Terms, NoSimplifiedOnlyCharacterInATraditionalTable) {
    for (const auto& rows : {detail::ZhTwTerms(), detail::ZhHkTerms()})
        for (const auto& row : rows)
            for (std::size_t i = 0; i < row.traditional.size();) {
                std::size_t n = 1;
                while (i + n < row.traditional.size() &&
                       (static_cast<unsigned char>(row.traditional[i + n]) & 0xC0) == 0x80)
                    ++n;
                const std::string_view ch = row.traditional.substr(i, n);
                EXPECT_EQ(n == 1 ? std::string_view::npos : test::kSimplifiedOnly.find(ch),
                          std::string_view::npos)
                    << row.simplified << " -> " << row.traditional;
                i += n;
            }
}

TEST(Terms, EveryNameOfTheNameTablesHasARow) {
    std::vector<std::string_view> names;
    auto add = [&](const auto& table) {
        for (const std::string_view name : table) names.push_back(name);
    };
    add(StemNames);
    add(BranchNames);
    add(AnimalNames);
    add(kStarNames);
    add(kPalaceNames);
    add(kLifeStages);
    add(kBoShiCycle);
    add(kSuiQianCycle);
    add(kJiangQianCycle);
    add(kTransformationMarks);
    for (const auto& row : NayinTable) add(row);
    for (int i = 1; i < static_cast<int>(kPillarStarNames.size()); ++i)
        names.push_back(kPillarStarNames[i]);
    for (int b = 1; b <= 6; ++b) names.push_back(BrightnessName(static_cast<Brightness>(b)));
    for (int e = 0; e < 5; ++e) names.push_back(BureauName({static_cast<Element>(e), 2 + e}));
    for (int m = 1; m <= 12; ++m) names.push_back(LunarMonthNames[m]);
    for (int d = 1; d <= 30; ++d) names.push_back(LunarDayNames[d]);
    for (int t = 1; t <= 24; ++t) names.push_back(SolarTermNames[t]);
    for (const std::string_view name : names) EXPECT_TRUE(HasTerm(name)) << name;
}

TEST(Terms, ComposedTextsTermByTerm) {
    struct Row {
        std::string_view simplified, zhTw;
    } const rows[] = {
        {"龙(庚辰)年正月初一", "龍(庚辰)年正月初一"},
        {"鼠(庚子)年闰四月廿一", "鼠(庚子)年閏四月廿一"},
        {"牛(癸丑)年腊月三十", "牛(癸丑)年臘月三十"},
        {"子年斗君：丑", "子年斗君：丑"},  // never 鬥君, never 醜
        {"廉贞[禄]破军[权]武曲[科]太阳[忌]", "廉貞[祿]破軍[權]武曲[科]太陽[忌]"},
        {"阳历：2000年2月5日 ", "陽曆：2000年2月5日 "},
        {"距离今天，你已经活了9802天！", "距離今天，你已經活了9802天！"},
        {"命★身", "命★身"},
        {"Error Date", "Error Date"},
    };
    for (const Row& r : rows) {
        EXPECT_EQ(Localize(Language::ZhTW, r.simplified), r.zhTw);
        EXPECT_EQ(Localize(Language::ZhCN, r.simplified), r.simplified);
    }
}

TEST(Terms, LanguageNames) {
    struct Row {
        std::string_view name;
        std::optional<Language> language;
    } const rows[] = {
        {"zh-CN", Language::ZhCN},
        {"zh-TW", Language::ZhTW},
        {"zh-HK", Language::ZhHK},
        {"ZH_tw", Language::ZhTW},
        {"zh_MO", Language::ZhHK},
        {"zh_TW.UTF-8", Language::ZhTW},
        {"zh_HK.Big5HKSCS", Language::ZhHK},
        {"zh_SG", std::nullopt},
        {"en_US.UTF-8", std::nullopt},
        {"zh", std::nullopt},
        {"", std::nullopt},
        {"zh-TWX", std::nullopt},
    };
    for (const Row& r : rows) EXPECT_EQ(ParseLanguage(r.name), r.language) << r.name;
    EXPECT_EQ(LanguageOfLocale("C"), Language::ZhCN);
    EXPECT_EQ(LanguageOfLocale("zh_MO.UTF-8"), Language::ZhHK);
    for (const Language l : {Language::ZhCN, Language::ZhTW, Language::ZhHK})
        EXPECT_EQ(ParseLanguage(LanguageCode(l)), l);
}

}  // namespace
}  // namespace qelvar
