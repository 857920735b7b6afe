#pragma once
// Birthplaces from the GeoNames city list that Debian ships with libgeonames
// (about 24,000 cities of 15,000 people or more), findable by their Latin
// name or, through the package's translations, their Chinese name.

#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace qelvar {

struct Place {
    std::string name;         // Latin name, "Chengdu"
    std::string chineseName;  // "成都", empty when the data has none
    std::string state;        // first-level division, "Sichuan"
    std::string countryCode;  // ISO 3166, "CN"
    std::string country;      // "China"
    std::string zone;         // the place's own IANA zone
    double longitude = 0.0;   // degrees east
    double latitude = 0.0;    // degrees north
    unsigned population = 0;
    std::vector<std::string> otherNames;  // other spellings found: "成都市", traditional
};

// The places of Debian's GeoNames data with the Chinese names of its
// translations; empty when the data is not installed.
std::vector<Place> LoadInstalledPlaces();

// The zone whose clock births at a place are recorded in: Beijing time for
// every place in China (Xinjiang's records included), else the place's own.
std::string ClockZoneFor(const Place& place);

class PlaceIndex {
public:
    // The index of the installed data, built on first use.
    static const PlaceIndex& Installed();

    // Builds an index over the given places.
    explicit PlaceIndex(std::vector<Place> places);

    // Places whose Latin name (case, accents, spaces and punctuation
    // ignored) or Chinese name (with or without a final 市, 县 or 区) is
    // `name`, most populous first.  "NAME, QUALIFIER[, QUALIFIER]" keeps
    // those whose state, country or country code is each QUALIFIER.
    std::vector<const Place*> Find(std::string_view name) const;

    // Places one of whose names begins with `prefix`, most populous first,
    // at most `limit`.
    std::vector<const Place*> Complete(std::string_view prefix, std::size_t limit) const;

    const std::vector<Place>& Places() const { return m_places; }

private:
    std::vector<const Place*> Lookup(const std::string& key) const;

    std::vector<Place> m_places;                   // most populous first
    std::vector<std::vector<std::string>> m_keys;  // the keys of each place
    std::unordered_map<std::string, std::vector<std::size_t>> m_byKey;
};

// The key a name is indexed under: Latin text folded to lower-case ASCII
// letters and digits; text in another script kept as it is, trimmed.
std::string PlaceKey(std::string_view name);

}  // namespace qelvar
