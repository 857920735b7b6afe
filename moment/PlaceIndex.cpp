#include "moment/PlaceIndex.h"

#include <glib.h>

#include <algorithm>
#include <memory>

namespace qelvar {
namespace {

constexpr std::string_view kChina = "CN";
// Suffixes of Chinese place names ("city", "county", "district"): each
// three bytes in UTF-8.
constexpr std::string_view kChineseSuffixes[] = {"市", "县", "区"};

std::string_view Trim(std::string_view s) {
    const auto first = s.find_first_not_of(" \t\r\n");
    if (first == std::string_view::npos) return {};
    return s.substr(first, s.find_last_not_of(" \t\r\n") - first + 1);
}

bool IsAscii(std::string_view s) {
    return std::all_of(s.begin(), s.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

bool IsLatin(std::string_view s) {
    // Latin letters with accents take two bytes in UTF-8 with a lead byte
    // below 0xE0; Chinese characters take three.
    return std::none_of(s.begin(), s.end(),
                        [](char c) { return static_cast<unsigned char>(c) >= 0xE0; });
}

std::string FoldLatin(std::string_view s) {
    std::string ascii;
    if (IsAscii(s)) {
        ascii.assign(s);
    } else {
        const std::string text(s);
        std::unique_ptr<gchar, decltype(&g_free)> folded(g_str_to_ascii(text.c_str(), "C"),
                                                         &g_free);
        ascii = folded.get();
    }
    std::string key;
    for (const char c : ascii) {
        if (g_ascii_isalnum(c)) key += g_ascii_tolower(c);
    }
    return key;
}

// The name without a final 市, 县 or 区, when at least two characters stay.
std::string_view WithoutSuffix(std::string_view name) {
    for (const std::string_view suffix : kChineseSuffixes) {
        if (name.size() >= suffix.size() + 6 && name.ends_with(suffix)) {
            return name.substr(0, name.size() - suffix.size());
        }
    }
    return name;
}

bool Matches(const Place& p, std::string_view qualifier) {
    const std::string key = PlaceKey(qualifier);
    return PlaceKey(p.state) == key || PlaceKey(p.country) == key || PlaceKey(p.countryCode) == key;
}

// Every comma-separated qualifier names the place's state, country or code.
bool MatchesAll(const Place& p, std::string_view qualifiers) {
    while (!qualifiers.empty()) {
        const auto comma = qualifiers.find(',');
        if (!Matches(p, Trim(qualifiers.substr(0, comma)))) return false;
        qualifiers = comma == std::string_view::npos ? "" : qualifiers.substr(comma + 1);
    }
    return true;
}

}  // namespace

std::string ClockZoneFor(const Place& place) {
    return place.countryCode == kChina ? std::string("Asia/Shanghai") : place.zone;
}

std::string PlaceKey(std::string_view name) {
    name = Trim(name);
    return IsLatin(name) ? FoldLatin(name) : std::string(WithoutSuffix(name));
}

PlaceIndex::PlaceIndex(std::vector<Place> places) : m_places(std::move(places)) {
    std::stable_sort(m_places.begin(), m_places.end(),
                     [](const Place& a, const Place& b) { return a.population > b.population; });
    for (std::size_t i = 0; i < m_places.size(); ++i) {
        const Place& p = m_places[i];
        std::vector<std::string> keys{PlaceKey(p.name)};
        if (!p.chineseName.empty()) keys.push_back(PlaceKey(p.chineseName));
        for (const std::string& other : p.otherNames) keys.push_back(PlaceKey(other));
        std::sort(keys.begin(), keys.end());
        keys.erase(std::unique(keys.begin(), keys.end()), keys.end());
        std::erase(keys, std::string());
        for (const std::string& key : keys) m_byKey[key].push_back(i);
        m_keys.push_back(std::move(keys));
    }
}

std::vector<const Place*> PlaceIndex::Lookup(const std::string& key) const {
    std::vector<const Place*> found;
    if (const auto it = m_byKey.find(key); it != m_byKey.end()) {
        for (const std::size_t i : it->second) found.push_back(&m_places[i]);
    }
    return found;
}

std::vector<const Place*> PlaceIndex::Find(std::string_view name) const {
    std::vector<const Place*> found = Lookup(PlaceKey(name));
    if (!found.empty()) return found;
    const auto comma = name.find(',');
    if (comma == std::string_view::npos) return found;
    for (const Place* p : Lookup(PlaceKey(name.substr(0, comma)))) {
        if (MatchesAll(*p, name.substr(comma + 1))) found.push_back(p);
    }
    return found;
}

std::vector<const Place*> PlaceIndex::Complete(std::string_view prefix, std::size_t limit) const {
    std::vector<const Place*> found;
    const std::string key = PlaceKey(prefix);
    if (key.empty()) return found;
    const auto begins = [&key](const std::string& k) { return k.starts_with(key); };
    for (std::size_t i = 0; i < m_places.size() && found.size() < limit; ++i) {
        if (std::any_of(m_keys[i].begin(), m_keys[i].end(), begins)) found.push_back(&m_places[i]);
    }
    return found;
}

const PlaceIndex& PlaceIndex::Installed() {
    static const PlaceIndex index(LoadInstalledPlaces());
    return index;
}

}  // namespace qelvar
