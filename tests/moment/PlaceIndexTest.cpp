// Places as a Chinese reader types them: every division of the generated
// table found by its own names, a hand-checked list of seats, the cities of
// the large overseas Chinese communities in three spellings, the ways of
// adding a province or prefecture, and never one wrong place taken silently.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>
#include <string>

#include "moment/PlaceIndex.h"

namespace qelvar {
namespace {

constexpr double kSeat = 0.05;  // degrees: "the same seat"

bool Same(const Place* a, const Place& b) {
    return a == &b || (a && a->chineseName == b.chineseName && a->code == b.code &&
                       a->province == b.province && std::fabs(a->longitude - b.longitude) < kSeat &&
                       std::fabs(a->latitude - b.latitude) < kSeat);
}

bool Offers(const PlaceLookup& l, const Place& p) {
    for (const Place* c : l.candidates)
        if (Same(c, p)) return true;
    return false;
}

bool ByLevel(const std::vector<const Place*>& places) {
    return std::is_sorted(places.begin(), places.end(),
                          [](const Place* a, const Place* b) { return a->level < b->level; });
}

// Divisions whose short name another of the same prefecture (or another of
// Taiwan's counties and cities) shares: no qualifier tells them apart by that
// name, so the qualified short name still offers both and asks; each full
// name finds its own.
const std::set<std::string> kTwins = {
    "和田市", "和田县",  // 和田地区
    "伊宁市", "伊宁县",  // 伊犁哈萨克自治州
    "临夏市", "临夏县",  // 临夏回族自治州
    "嘉义市", "嘉义县",  // Taiwan
    "新竹市", "新竹县",  // Taiwan
};

// Every prefecture- and county-level division (and Taiwan's, Hong Kong's and
// Macau's places), by its full and its short name: a single answer is the
// division itself, a shared name offers it among candidates listed higher
// levels first; and either way the name with the division's prefecture (a
// county) or province (a prefecture, or a county under its province) added in
// Chinese, full or short, before or after, finds it alone.  A prefecture
// sharing its name with its own county (承德市, 承德县) is the one meant with
// the province added; the county with the prefecture added.
TEST(PlaceIndex, EveryDivisionIsFoundByItsNames) {
    const PlaceIndex& index = PlaceIndex::Installed();
    std::size_t checked = 0, twins = 0;
    for (const Place& p : index.TablePlaces()) {
        if (p.level == PlaceLevel::Province || p.level == PlaceLevel::City) continue;
        const std::string region = p.prefecture.empty() ? p.province : p.prefecture;
        for (const std::string& name : {p.chineseName, ChineseStem(p.chineseName)}) {
            SCOPED_TRACE(name + " (" + PlaceLabel(p) + ")");
            ++checked;
            const PlaceLookup l = index.Lookup(name);
            ASSERT_TRUE(Offers(l, p));
            if (l.chosen) {
                EXPECT_TRUE(Same(l.chosen, p));
            } else {
                EXPECT_GT(l.candidates.size(), 1u);
                EXPECT_TRUE(ByLevel(l.candidates));
            }
            const bool twin = name != p.chineseName && kTwins.contains(p.chineseName);
            twins += twin;
            for (const std::string& r : {region, ChineseStem(region)}) {
                for (const std::string& query : {name + ", " + r, r + name}) {
                    const PlaceLookup q = index.Lookup(query);
                    if (twin) {
                        EXPECT_EQ(q.chosen, nullptr) << query;
                        EXPECT_TRUE(Offers(q, p)) << query;
                    } else {
                        EXPECT_TRUE(Same(q.chosen, p)) << query;
                    }
                }
            }
            if (twin) {
                EXPECT_TRUE(Same(index.Lookup(p.chineseName).chosen, p));
            }
        }
    }
    EXPECT_GT(checked, 6000u);  // 333 prefectures and 2,845 counties, by two names
    EXPECT_EQ(twins, kTwins.size());
}

struct Seat {
    const char* query;
    const char* code;  // empty outside the code list
    double longitude;
    double latitude;
};

// Seats read from maps (a city's central square or station, a county town's
// centre; WGS 84, to about 0.01 degree), not from the table's sources; the
// table's seats (government offices) lie within 0.05 degree of them.
const Seat kSeats[] = {
    {"北京", "110000", 116.40, 39.90},     {"上海", "310000", 121.47, 31.23},
    {"天津", "120000", 117.20, 39.13},     {"重庆", "500000", 106.55, 29.56},
    {"广州", "440100", 113.26, 23.13},     {"深圳", "440300", 114.06, 22.54},
    {"杭州", "330100", 120.16, 30.27},     {"南京", "320100", 118.80, 32.06},
    {"成都", "510100", 104.07, 30.66},     {"武汉", "420100", 114.31, 30.59},
    {"西安市", "610100", 108.94, 34.26},   {"苏州", "320500", 120.59, 31.30},
    {"郑州", "410100", 113.63, 34.75},     {"长沙市", "430100", 112.94, 28.23},
    {"沈阳", "210100", 123.43, 41.81},     {"哈尔滨", "230100", 126.63, 45.75},
    {"长春", "220100", 125.32, 43.89},     {"济南", "370100", 117.00, 36.67},
    {"青岛", "370200", 120.38, 36.07},     {"大连", "210200", 121.61, 38.91},
    {"厦门", "350200", 118.09, 24.48},     {"福州", "350100", 119.30, 26.08},
    {"昆明", "530100", 102.72, 25.04},     {"贵阳", "520100", 106.71, 26.58},
    {"南宁", "450100", 108.32, 22.82},     {"海口", "460100", 110.35, 20.02},
    {"拉萨", "540100", 91.11, 29.65},      {"兰州", "620100", 103.83, 36.06},
    {"西宁", "630100", 101.78, 36.62},     {"银川", "640100", 106.23, 38.49},
    {"呼和浩特", "150100", 111.67, 40.82}, {"太原", "140100", 112.55, 37.87},
    {"石家庄", "130100", 114.51, 38.04},   {"合肥", "340100", 117.23, 31.82},
    {"南昌市", "360100", 115.86, 28.68},   {"宝鸡", "610300", 107.14, 34.36},
    {"襄阳", "420600", 112.14, 32.04},     {"泰安", "370900", 117.09, 36.20},
    {"昆山", "320583", 120.98, 31.38},     {"江阴", "320281", 120.28, 31.92},
    {"义乌", "330782", 120.08, 29.31},     {"海淀区", "110108", 116.30, 39.96},
    {"三河", "131082", 117.08, 39.98},     {"景洪", "532801", 100.80, 22.01},
    {"格尔木", "632801", 94.90, 36.40},    {"满洲里", "150781", 117.38, 49.60},
    {"瑞丽", "533102", 97.85, 24.01},      {"三亚", "460200", 109.51, 18.25},
    {"台北", "", 121.56, 25.04},           {"高雄", "", 120.31, 22.62},
    {"九龙, 香港", "", 114.17, 22.32},
};

TEST(PlaceIndex, SeatsAsMapsGiveThem) {
    for (const Seat& s : kSeats) {
        SCOPED_TRACE(s.query);
        const PlaceLookup l = PlaceIndex::Installed().Lookup(s.query);
        ASSERT_NE(l.chosen, nullptr);
        EXPECT_EQ(l.chosen->code, s.code);
        EXPECT_NEAR(l.chosen->longitude, s.longitude, kSeat);
        EXPECT_NEAR(l.chosen->latitude, s.latitude, kSeat);
    }
}

struct Overseas {
    const char* simplified;
    const char* traditional;
    const char* english;
    const char* countryCode;
    double longitude;
    double latitude;
};

// The cities of the 30 largest overseas Chinese communities.
const Overseas kOverseas[] = {
    {"纽约", "紐約", "New York", "US", -74.01, 40.71},
    {"旧金山", "舊金山", "San Francisco", "US", -122.42, 37.77},
    {"洛杉矶", "洛杉磯", "Los Angeles", "US", -118.24, 34.05},
    {"温哥华", "溫哥華", "Vancouver", "CA", -123.12, 49.28},
    {"多伦多", "多倫多", "Toronto", "CA", -79.38, 43.65},
    {"悉尼", "雪梨", "Sydney", "AU", 151.21, -33.87},
    {"墨尔本", "墨爾本", "Melbourne", "AU", 144.96, -37.81},
    {"伦敦", "倫敦", "London", "GB", -0.13, 51.51},
    {"巴黎", "巴黎", "Paris", "FR", 2.35, 48.86},
    {"新加坡", "新加坡", "Singapore", "SG", 103.85, 1.29},
    {"吉隆坡", "吉隆坡", "Kuala Lumpur", "MY", 101.69, 3.14},
    {"槟城", "檳城", "George Town", "MY", 100.33, 5.41},
    {"新山", "新山", "Johor Bahru", "MY", 103.76, 1.46},
    {"雅加达", "雅加達", "Jakarta", "ID", 106.85, -6.21},
    {"西雅图", "西雅圖", "Seattle", "US", -122.33, 47.61},
    {"棉兰", "棉蘭", "Medan", "ID", 98.67, 3.59},
    {"曼谷", "曼谷", "Bangkok", "TH", 100.50, 13.75},
    {"马尼拉", "馬尼拉", "Manila", "PH", 120.98, 14.60},
    {"胡志明市", "胡志明市", "Ho Chi Minh City", "VN", 106.63, 10.82},
    {"仰光", "仰光", "Yangon", "MM", 96.16, 16.87},
    {"金边", "金邊", "Phnom Penh", "KH", 104.92, 11.56},
    {"东京", "東京", "Tokyo", "JP", 139.69, 35.69},
    {"大阪", "大阪", "Osaka", "JP", 135.50, 34.69},
    {"首尔", "首爾", "Seoul", "KR", 126.98, 37.57},
    {"奥克兰", "奧克蘭", "Auckland", "NZ", 174.76, -36.85},
    {"利马", "利馬", "Lima", "PE", -77.03, -12.05},
    {"圣保罗", "聖保羅", "São Paulo", "BR", -46.64, -23.55},
    {"檀香山", "檀香山", "Honolulu", "US", -157.86, 21.31},
    {"芝加哥", "芝加哥", "Chicago", "US", -87.65, 41.88},
    {"休斯敦", "休士頓", "Houston", "US", -95.36, 29.76},
};

// Chinese spellings find the city alone; an English name shared with other
// places offers it and finds it alone with the country.
TEST(PlaceIndex, OverseasChineseCitiesInThreeSpellings) {
    const PlaceIndex& index = PlaceIndex::Installed();
    for (const Overseas& c : kOverseas) {
        SCOPED_TRACE(c.english);
        for (const char* chinese : {c.simplified, c.traditional}) {
            const PlaceLookup l = index.Lookup(chinese);
            ASSERT_NE(l.chosen, nullptr) << chinese;
            EXPECT_EQ(l.chosen->countryCode, c.countryCode);
            EXPECT_NEAR(l.chosen->longitude, c.longitude, 0.1);
            EXPECT_NEAR(l.chosen->latitude, c.latitude, 0.1);
            EXPECT_NE(ClockZoneFor(*l.chosen), "Asia/Shanghai");
        }
        const PlaceLookup english = index.Lookup(c.english);
        EXPECT_TRUE(std::any_of(english.candidates.begin(), english.candidates.end(),
                                [&](const Place* p) { return p->chineseName == c.simplified; }));
        if (english.chosen) {
            EXPECT_EQ(english.chosen->chineseName, c.simplified);
        }
        const PlaceLookup qualified = index.Lookup(std::string(c.english) + ", " + c.countryCode);
        ASSERT_NE(qualified.chosen, nullptr);
        EXPECT_EQ(qualified.chosen->chineseName, c.simplified);
    }
}

struct Query {
    const char* text;
    const char* code;  // the division found alone; nullptr: none chosen
    std::size_t candidates;
};

// The ways a name is typed.
const Query kQueries[] = {
    // qualifiers before and after, in Chinese and in Latin
    {"苏州, 江苏", "320500", 1},
    {"苏州，江苏省", "320500", 1},
    {"江苏苏州", "320500", 1},
    {"江苏省苏州市", "320500", 1},
    {"江苏省苏州市昆山市", "320583", 1},
    {"Suzhou, Jiangsu", "320500", 1},
    {"Suzhou, Anhui", "341300", 1},
    {"朝阳, 北京", "110105", 1},
    {"北京朝阳", "110105", 1},
    {"朝阳区 · 长春市", "220104", 1},
    {"苏州 江苏", "320500", 1},
    {"吉林, 吉林省", "220200", 1},
    // a prefecture and its own county of one name: the province picks the
    // prefecture, the prefecture the county
    {"Chengde, Hebei", "130800", 1},
    {"承德, 河北, 中国", "130800", 1},
    {"承德市承德", "130821", 1},
    {"河北省承德市承德县", "130821", 1},
    // suffixes and ethnic names
    {"大理州", "532900", 1},
    {"大理白族自治州", "532900", 1},
    {"大理市", "532901", 1},
    {"黔东南", "522600", 1},
    {"浦东", "310115", 1},
    {"浦东新区", "310115", 1},
    {"吴江市", "320509", 1},  // a county-level city since made a district
    {"阜新蒙古自治县", "210921", 1},
    {"内蒙古鄂伦春自治旗", "150723", 1},  // not 内蒙古自治区
    // traditional characters and pinyin
    {"崑山", "320583", 1},
    {"臺北", "", 1},
    {"kunshan", "320583", 1},
    {"Kun Shan", "320583", 1},
    {"320583", "320583", 1},
    {"Xi’an, Shaanxi", "610100", 1},
    {"Anju · South P’yŏngan Province · 朝鲜", "", 1},  // a completion label
    // names several divisions share: every one offered, none taken
    {"朝阳", nullptr, 4},
    {"大理", nullptr, 2},
    {"承德", nullptr, 2},
    {"和田, 和田地区", nullptr, 2},
    {"宝山区", nullptr, 2},
    {"通州区", nullptr, 2},
    {"海南", nullptr, 3},
    {"吉林", nullptr, 2},
    {"西安", nullptr, 3},  // 西安区 of 辽源 and of 牡丹江
    {"泗水", nullptr, 2},  // 泗水县 and Surabaya
    // names that found a wrong place alone
    {"三河市", "131082", 1},
    {"海南省", "460000", 1},
    // nothing
    {"", nullptr, 0},
    {"Qwertyville", nullptr, 0},
    {"不存在的地方", nullptr, 0},
    {"苏州, 河北", nullptr, 0},
    {"999999", nullptr, 0},
};

TEST(PlaceIndex, QueriesAsTyped) {
    for (const Query& q : kQueries) {
        SCOPED_TRACE(q.text);
        const PlaceLookup l = PlaceIndex::Installed().Lookup(q.text);
        EXPECT_EQ(l.candidates.size(), q.candidates);
        if (q.code) {
            ASSERT_NE(l.chosen, nullptr);
            EXPECT_EQ(l.chosen->code, q.code);
        } else {
            EXPECT_EQ(l.chosen, nullptr);
        }
    }
}

// A Chinese name only GeoNames' translations give (静冈, Shizuoka) is
// offered, not taken, until the country is added; Latin names of places the
// table lacks are taken as before; mainland China's clocks read Beijing time.
TEST(PlaceIndex, TranslationsAreAskedAbout) {
    const PlaceIndex& index = PlaceIndex::Installed();
    const PlaceLookup alone = index.Lookup("静冈");
    ASSERT_FALSE(alone.candidates.empty());
    EXPECT_EQ(alone.chosen, nullptr);
    const PlaceLookup withCountry = index.Lookup("静冈, 日本");
    ASSERT_NE(withCountry.chosen, nullptr);
    EXPECT_EQ(withCountry.chosen->countryCode, "JP");
    const PlaceLookup latin = index.Lookup("Shizuoka");
    ASSERT_NE(latin.chosen, nullptr);
    EXPECT_EQ(latin.chosen->name, "Shizuoka");
    const PlaceLookup urumqi = index.Lookup("Urumqi");
    ASSERT_NE(urumqi.chosen, nullptr);
    EXPECT_EQ(urumqi.chosen->code, "650100");
    EXPECT_EQ(urumqi.chosen->zone, "Asia/Urumqi");
    EXPECT_EQ(ClockZoneFor(*urumqi.chosen), "Asia/Shanghai");
    EXPECT_EQ(ClockZoneFor(*index.Lookup("香港").chosen), "Asia/Hong_Kong");
    EXPECT_EQ(ClockZoneFor(*index.Lookup("澳门").chosen), "Asia/Macau");
    EXPECT_EQ(ClockZoneFor(*index.Lookup("台北").chosen), "Asia/Taipei");
}

// Completion shows Chinese labels, each of which finds its place alone.
TEST(PlaceIndex, CompletionLabelsFindTheirPlace) {
    const PlaceIndex& index = PlaceIndex::Installed();
    const auto completed = index.Complete("朝阳", 20);
    ASSERT_GE(completed.size(), 4u);
    for (const Place* p : completed) {
        SCOPED_TRACE(PlaceLabel(*p));
        EXPECT_EQ(index.Lookup(PlaceLabel(*p)).chosen, p);
    }
    EXPECT_EQ(PlaceLabel(*index.Lookup("朝阳, 北京").chosen), "朝阳区 · 北京市");
    // A city's name shared with districts elsewhere stays asked about, the
    // city offered first.
    for (const char* name : {"西安", "长沙", "乌鲁木齐", "朝阳", "新北"}) {
        SCOPED_TRACE(name);
        const PlaceLookup l = index.Lookup(name);
        ASSERT_GT(l.candidates.size(), 1u);
        EXPECT_EQ(l.chosen, nullptr);
        EXPECT_EQ(l.candidates[0]->level, PlaceLevel::Prefecture);
        EXPECT_EQ(index.Complete(name, 20).at(0), l.candidates[0]);
    }
    EXPECT_EQ(PlaceLabel(*index.Complete("西安", 20).at(0)), "西安市 · 陕西省");
    EXPECT_EQ(PlaceLabel(*index.Lookup("紐約").chosen), "纽约 · 美国");
    const PlaceLookup sanJose = index.Lookup("San Jose · California · 美国");
    ASSERT_NE(sanJose.chosen, nullptr);
    EXPECT_EQ(sanJose.chosen->chineseName, "圣荷西");
}

// A small index of GeoNames-like records: keys fold case, accents and
// punctuation; translations are offered but never completed.
TEST(PlaceIndex, KeysAndCompletion) {
    std::vector<Place> places(3);
    places[0].name = "Zürich";
    places[0].population = 400000;
    places[1].name = "Chengde";
    places[1].chineseName = "承德市";
    places[1].population = 500000;
    places[2].name = "Chengdu";
    places[2].chineseName = "成都";
    places[2].otherNames = {"成都市"};
    places[2].population = 9000000;
    const PlaceIndex index(places);
    EXPECT_EQ(index.Find("ZURICH").size(), 1u);
    EXPECT_EQ(index.Find("承德").size(), 1u);
    EXPECT_EQ(index.Lookup("承德").chosen, nullptr);
    EXPECT_EQ(index.Find("成都市").size(), 1u);
    const auto completed = index.Complete("Cheng", 10);
    ASSERT_EQ(completed.size(), 2u);
    EXPECT_EQ(completed[0]->name, "Chengdu");
    EXPECT_TRUE(index.Complete("承", 10).empty());
    EXPECT_EQ(index.Complete("Cheng", 1).size(), 1u);
    EXPECT_EQ(FoldToSimplified("臺灣省"), "台湾省");
}

}  // namespace
}  // namespace qelvar
