#pragma once
// Birthplaces: China's divisions down to the county level with Taiwan, Hong
// Kong and Macau, and countries' capitals and large cities by their Chinese
// names (the generated moment/PlaceTable.cpp), and the rest of the world from
// the GeoNames city list that Debian ships with libgeonames (about 24,000
// cities of 15,000 people or more).  Names are found as a Chinese reader
// types them: full or short, simplified or traditional, toneless pinyin, with
// the province, prefecture or country before or after.

#include <cstddef>
#include <functional>
#include <mutex>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace qelvar {

enum class PlaceLevel : unsigned char {
    Province = 1,    // 省级: province, municipality, region, SAR
    Prefecture = 2,  // 地级 (and Taiwan's counties and cities)
    County = 3,      // 县级: district, county, county-level city, banner
    Area = 4,        // 区: a district or part of Taiwan, Hong Kong or Macau
    City = 5,        // 城市: a city abroad, or a GeoNames town
};

struct Place {
    std::string name;         // Latin name, "Chengdu"
    std::string chineseName;  // "成都市", empty when the data has none
    std::string state;        // first-level division, "Sichuan"
    std::string countryCode;  // ISO 3166, "CN"
    std::string country;      // "China"
    std::string zone;         // the place's own IANA zone
    double longitude = 0.0;   // degrees east
    double latitude = 0.0;    // degrees north
    unsigned population = 0;
    std::vector<std::string> otherNames;  // other spellings: "成都", traditional, Latin
    std::string code;                     // GB/T 2260 code, "320583"; empty outside the list
    PlaceLevel level = PlaceLevel::City;
    std::string province;        // in Chinese, "江苏省"; empty for a province
    std::string prefecture;      // in Chinese, "苏州市"; empty when none
    std::string countryChinese;  // "美国", empty when unknown
    // The Chinese names were checked (the generated table); false for names
    // only GeoNames' translations give, which are offered but never taken
    // without a qualifier.
    bool checkedChinese = false;
};

// The places of Debian's GeoNames data with the Chinese names of its
// translations; empty when the data is not installed.
std::vector<Place> LoadInstalledPlaces();

// The places of the generated table: China's divisions, Taiwan, Hong Kong and
// Macau, and the countries' capitals and large cities abroad.
std::vector<Place> TablePlaces();

// The zone whose clock births at a place are recorded in: Beijing time for
// every place in mainland China (Xinjiang's records included), else the
// place's own.
std::string ClockZoneFor(const Place& place);

// "省级", "地级", "县级", "区" or "城市".
std::string_view LevelName(PlaceLevel level);

// How a place is shown to choose from: "朝阳区 · 北京市", "昆山市 · 苏州市",
// "纽约 · 美国", "Springfield · Illinois · 美国"; finding the text again
// gives the place.
std::string PlaceLabel(const Place& place);

// The outcome of a name: every place it may mean, and the one to use when it
// names exactly one place with certainty.
struct PlaceLookup {
    std::vector<const Place*> candidates;
    const Place* chosen = nullptr;
};

class PlaceIndex {
public:
    // The index of the generated table, built on first use; the installed
    // GeoNames data joins it when a lookup first needs it (a Latin name, or a
    // Chinese name the table lacks).
    static const PlaceIndex& Installed();

    // An index over `table` (places whose Chinese names are checked) and the
    // places `world` gives when first needed.  A record of `world` that is one
    // of the table's (the same name within 0.3 degrees) lends its Latin name
    // to it and is dropped.
    PlaceIndex(std::vector<Place> table, std::function<std::vector<Place>()> world);
    // An index over `places`, taken as GeoNames records.
    explicit PlaceIndex(std::vector<Place> places);

    // What `text` names: a GB/T 2260 code; a name, Chinese (full or short,
    // simplified or traditional, with or without 省/市/县/区/自治州/地区/盟/旗,
    // ethnic names and 特别行政区) or Latin (case, accents, spaces and
    // punctuation ignored; pinyin without tones); with qualifiers (province,
    // prefecture, state, country or its code) after a comma or ·, or in
    // Chinese before the name ("江苏苏州", "江苏省苏州市").  A single candidate
    // is chosen unless its only match is a Chinese name from GeoNames'
    // translations and no qualifier was given.  A prefecture and its own
    // counties of the same name, narrowed by their province ("承德, 河北"),
    // give the prefecture.  Candidates come provinces first, then
    // prefectures, counties and cities abroad.
    PlaceLookup Lookup(std::string_view text) const;

    // The candidates of Lookup.
    std::vector<const Place*> Find(std::string_view text) const { return Lookup(text).candidates; }

    // Places one of whose names begins with `prefix`, the table's first
    // (provinces, prefectures, counties, then cities abroad, each level in
    // the table's order), then GeoNames' most populous first; at most
    // `limit`.  A Chinese prefix offers only checked Chinese names.
    std::vector<const Place*> Complete(std::string_view prefix, std::size_t limit) const;

    // The places of the table, in its order.
    const std::vector<Place>& TablePlaces() const { return m_table; }

private:
    using KeyMap = std::unordered_map<std::string, std::vector<std::size_t>>;
    struct Matches {
        std::vector<std::size_t> places;
        bool unchecked = false;          // only GeoNames' Chinese translations matched
        std::vector<std::string> heads;  // regions typed before the name: "江苏" of "江苏苏州"
    };
    const Place& At(std::size_t i) const;
    void LoadWorld() const;
    void LoadWorldChinese() const;
    Matches Direct(std::string_view name) const;
    Matches Named(std::string_view name) const;
    bool Names(const std::string& region, std::string_view qualifier) const;
    bool Qualifies(std::size_t i, std::string_view qualifier) const;
    std::size_t PrefectureOfNamesakes(const std::vector<std::size_t>& places,
                                      const std::vector<std::string>& qualifiers) const;

    std::vector<Place> m_table;
    std::vector<std::vector<std::string>> m_tableKeys;  // every key of each table place
    KeyMap m_chinese;                                   // the table's Chinese names, full and short
    KeyMap m_latin;                                     // the table's Latin names and pinyin
    std::unordered_map<std::string, std::size_t> m_codes;
    std::unordered_set<std::string> m_regionNames;  // Chinese keys of provinces, prefectures
    std::unordered_map<std::string, std::vector<std::string>> m_regionLatin;  // their Latin keys

    // GeoNames, loaded on first need.
    std::function<std::vector<Place>()> m_loadWorld;
    mutable std::once_flag m_worldLoaded;
    mutable std::once_flag m_worldChineseLoaded;
    mutable std::vector<Place> m_world;  // most populous first
    mutable KeyMap m_worldLatin;         // also the table's places lent a GeoNames name
    mutable KeyMap m_worldChinese;       // GeoNames' translations and their stems
};

// The key a name is indexed under: Latin text folded to lower-case ASCII
// letters and digits; Chinese text folded to simplified characters, trimmed.
std::string PlaceKey(std::string_view name);

// Chinese text with its traditional characters replaced by simplified ones.
std::string FoldToSimplified(std::string_view text);

// The Chinese name without its final 市/县/区/省/自治州/地区/盟/旗/特别行政区
// (and the ethnic names before 自治州/自治县/自治旗), when two characters stay.
std::string ChineseStem(std::string_view name);

}  // namespace qelvar
