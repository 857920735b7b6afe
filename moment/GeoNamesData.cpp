// Reads Debian's GeoNames city list (libgeonames) and the Chinese names in
// the package's translation catalogues, which are keyed by GeoNames id.
#include <geonames.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

#include "moment/PlaceIndex.h"

namespace qelvar {
namespace {

constexpr const char* kCatalogueDir = "/usr/share/locale/";
constexpr const char* kCatalogueFile = "/LC_MESSAGES/geonames.mo";
// Chinese catalogues, the preferred spelling (simplified, mainland) first.
constexpr const char* kChineseLocales[] = {"zh_CN", "zh", "zh_SG", "zh_TW", "zh_HK"};
// A city record of libgeonames: id, name, state code, state, country code,
// country, zone, population, latitude, longitude.
constexpr const char* kCityType = "(sssssssudd)";

std::uint32_t Word(const std::string& data, std::size_t offset, bool swap) {
    std::uint32_t w = 0;
    if (offset + 4 > data.size()) return 0;
    std::memcpy(&w, data.data() + offset, 4);
    return swap ? __builtin_bswap32(w) : w;
}

// A GNU message catalogue (.mo), looked up in place: its original strings
// are sorted, so a translation is found by binary search.
class Catalogue {
public:
    explicit Catalogue(const std::string& path) {
        std::ifstream file(path, std::ios::binary);
        m_data.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
        constexpr std::uint32_t kMagic = 0x950412de;
        m_swap = Word(m_data, 0, false) != kMagic;
        if (Word(m_data, 0, m_swap) != kMagic) return;
        m_count = Word(m_data, 8, m_swap);
        m_originals = Word(m_data, 12, m_swap);
        m_translations = Word(m_data, 16, m_swap);
    }

    std::string_view Find(std::string_view original) const {
        std::uint32_t low = 0, high = m_count;
        while (low < high) {
            const std::uint32_t mid = low + (high - low) / 2;
            const int order = Text(m_originals, mid).compare(original);
            if (order == 0) return Text(m_translations, mid);
            if (order < 0)
                low = mid + 1;
            else
                high = mid;
        }
        return {};
    }

private:
    std::string_view Text(std::uint32_t table, std::uint32_t i) const {
        const std::size_t length = Word(m_data, table + 8 * i, m_swap);
        const std::size_t offset = Word(m_data, table + 8 * i + 4, m_swap);
        if (offset + length > m_data.size()) return {};
        return std::string_view(m_data).substr(offset, length);
    }

    std::string m_data;
    bool m_swap = false;
    std::uint32_t m_count = 0, m_originals = 0, m_translations = 0;
};

std::string Child(GVariant* city, std::size_t i) {
    const gchar* s = nullptr;
    g_variant_get_child(city, i, "&s", &s);
    return s ? s : "";
}

Place ReadCity(GVariant* city, const std::vector<Catalogue>& chinese) {
    Place p;
    const std::string id = Child(city, 0);
    p.name = Child(city, 1);
    p.state = Child(city, 3);
    p.countryCode = Child(city, 4);
    p.country = Child(city, 5);
    p.zone = Child(city, 6);
    g_variant_get_child(city, 7, "u", &p.population);
    g_variant_get_child(city, 8, "d", &p.latitude);
    g_variant_get_child(city, 9, "d", &p.longitude);
    for (const Catalogue& c : chinese) {
        const std::string_view name = c.Find(id);
        if (name.empty()) continue;
        if (p.chineseName.empty()) {
            p.chineseName = name;
        } else if (name != p.chineseName && std::find(p.otherNames.begin(), p.otherNames.end(),
                                                      name) == p.otherNames.end()) {
            p.otherNames.emplace_back(name);
        }
    }
    return p;
}

}  // namespace

std::vector<Place> LoadInstalledPlaces() {
    std::vector<Catalogue> chinese;
    for (const char* locale : kChineseLocales) {
        chinese.emplace_back(std::string(kCatalogueDir) + locale + kCatalogueFile);
    }
    std::vector<Place> places;
    const gint n = geonames_get_n_cities();
    places.reserve(static_cast<std::size_t>(n > 0 ? n : 0));
    for (gint i = 0; i < n; ++i) {
        GeonamesCity* city = geonames_get_city(i);
        if (!city) continue;
        if (g_variant_is_of_type(city, G_VARIANT_TYPE(kCityType))) {
            places.push_back(ReadCity(city, chinese));
        }
        geonames_city_free(city);
    }
    return places;
}

}  // namespace qelvar
