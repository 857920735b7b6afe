#pragma once
// The generated table of places findable by Chinese name (moment/PlaceTable.cpp,
// written by tools/gen_places.py): China's divisions down to the county
// level with Taiwan, Hong Kong and Macau; countries, their capitals and large
// cities by their Chinese names; the traditional -> simplified characters.

#include <cstddef>

namespace qelvar::place_table {

struct Division {
    int code;                // GB/T 2260, 320583; 0 for a place outside the list
    short province;          // row of its province, -1 for a province
    short prefecture;        // row of its prefecture-level division, -1 none
    unsigned char level;     // 1 province, 2 prefecture, 3 county, 4 district or part
    const char* name;        // "昆山市"
    const char* shortName;   // "昆山"
    const char* pinyin;      // "kunshan"
    const char* otherNames;  // '|' between names, Chinese or Latin
    int longitude;           // of the seat, hundredths of a degree east
    int latitude;            // hundredths of a degree north
};

struct Country {
    const char* code;   // ISO 3166
    const char* names;  // simplified Chinese first, then traditional forms
};

struct OverseasCity {
    const char* name;     // Latin, as GeoNames gives it
    const char* country;  // ISO 3166
    const char* countryName;
    const char* state;
    const char* names;  // usual simplified Chinese name first
    bool capital;
    int longitude;  // hundredths of a degree east
    int latitude;   // hundredths of a degree north
    const char* zone;
    unsigned population;
};

struct CharacterPair {
    char32_t traditional;
    char32_t simplified;
};

extern const Division kDivisions[];
extern const std::size_t kDivisionCount;
extern const Country kCountries[];
extern const std::size_t kCountryCount;
extern const OverseasCity kOverseasCities[];
extern const std::size_t kOverseasCityCount;
extern const CharacterPair kTraditional[];  // ordered by `traditional`
extern const std::size_t kTraditionalCount;

}  // namespace qelvar::place_table
