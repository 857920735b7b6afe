// Places: the installed GeoNames data found by Chinese and Latin names, the
// zone of the clock there, ambiguous names and qualifiers.
#include <gtest/gtest.h>

#include "moment/PlaceIndex.h"

namespace qelvar {
namespace {

struct FindCase {
    const char* query;
    const char* name;
    const char* countryCode;
    double longitude;
    const char* clockZone;
};

// Coordinates of the GeoNames records, to the hundredth of a degree.
const FindCase kFinds[] = {
    {"成都", "Chengdu", "CN", 104.07, "Asia/Shanghai"},
    {"Chengdu", "Chengdu", "CN", 104.07, "Asia/Shanghai"},
    {"chengdu", "Chengdu", "CN", 104.07, "Asia/Shanghai"},
    {"乌鲁木齐", "Ürümqi", "CN", 87.60, "Asia/Shanghai"},
    {"乌鲁木齐市", "Ürümqi", "CN", 87.60, "Asia/Shanghai"},
    {"Urumqi", "Ürümqi", "CN", 87.60, "Asia/Shanghai"},
    {"Kashgar", "Kashgar", "CN", 75.99, "Asia/Shanghai"},
    {"北京", "Beijing", "CN", 116.40, "Asia/Shanghai"},
    {" Xian ", "Xi'an", "CN", 108.93, "Asia/Shanghai"},
    {"香港", "Hong Kong", "HK", 114.17, "Asia/Hong_Kong"},
    {"台北", "Taipei", "TW", 121.53, "Asia/Taipei"},
    {"台北市", "Taipei", "TW", 121.53, "Asia/Taipei"},
    {"Suzhou, Anhui", "Suzhou", "CN", 116.98, "Asia/Shanghai"},
    {"成都, Sichuan, CN", "Chengdu", "CN", 104.07, "Asia/Shanghai"},
};

TEST(PlaceIndex, FindsByChineseAndLatinNames) {
    const PlaceIndex& index = PlaceIndex::Installed();
    for (const FindCase& c : kFinds) {
        SCOPED_TRACE(c.query);
        const auto found = index.Find(c.query);
        ASSERT_EQ(found.size(), 1u);
        EXPECT_EQ(found[0]->name, c.name);
        EXPECT_EQ(found[0]->countryCode, c.countryCode);
        EXPECT_NEAR(found[0]->longitude, c.longitude, 0.01);
        EXPECT_EQ(ClockZoneFor(*found[0]), c.clockZone);
    }
}

// Ürümqi keeps its own zone in the data; births there are written in
// Beijing time all the same.
TEST(PlaceIndex, ChinaUsesBeijingTimeWhateverTheDataSays) {
    const auto found = PlaceIndex::Installed().Find("乌鲁木齐");
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0]->zone, "Asia/Urumqi");
    EXPECT_EQ(ClockZoneFor(*found[0]), "Asia/Shanghai");
}

// Suzhou is both 苏州 (Jiangsu) and 宿州 (Anhui); the larger comes first.
TEST(PlaceIndex, AmbiguousNameListsEveryCandidate) {
    const auto found = PlaceIndex::Installed().Find("Suzhou");
    ASSERT_EQ(found.size(), 2u);
    EXPECT_EQ(found[0]->state, "Jiangsu");
    EXPECT_EQ(found[1]->state, "Anhui");
    EXPECT_GE(found[0]->population, found[1]->population);
    EXPECT_EQ(PlaceIndex::Installed().Find("苏州").size(), 1u);
}

TEST(PlaceIndex, UnknownNamesFindNothing) {
    for (const char* query : {"", "  ", "Qwertyville", "不存在的地方", "Suzhou, Hebei"}) {
        SCOPED_TRACE(query);
        EXPECT_TRUE(PlaceIndex::Installed().Find(query).empty());
    }
}

// A small hand-made index: keys fold case, accents and punctuation, and a
// Chinese name is found with or without its final 市.
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
    EXPECT_EQ(index.Find("成都市").size(), 1u);
    const auto completed = index.Complete("Cheng", 10);
    ASSERT_EQ(completed.size(), 2u);
    EXPECT_EQ(completed[0]->name, "Chengdu");
    EXPECT_EQ(index.Complete("承", 10).size(), 1u);
    EXPECT_EQ(index.Complete("Cheng", 1).size(), 1u);
}

}  // namespace
}  // namespace qelvar
