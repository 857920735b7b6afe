// Reads Debian's GeoNames city list (libgeonames) and the Chinese names in
// the package's translation catalogues, which are keyed by GeoNames id.
#include <geonames.h>

#include <cstdint>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <unordered_map>
#include <vector>

#include "moment/PlaceIndex.h"

namespace qelvar {
namespace {

using Catalogue = std::unordered_map<std::string, std::string>;

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

// A GNU message catalogue (.mo): original string -> translation.
Catalogue ReadCatalogue(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    const std::string data((std::istreambuf_iterator<char>(file)),
                           std::istreambuf_iterator<char>());
    Catalogue catalogue;
    constexpr std::uint32_t kMagic = 0x950412de;
    const bool swap = Word(data, 0, false) != kMagic;
    if (Word(data, 0, swap) != kMagic) return catalogue;
    const std::uint32_t count = Word(data, 8, swap);
    const std::uint32_t originals = Word(data, 12, swap);
    const std::uint32_t translations = Word(data, 16, swap);
    const auto text = [&](std::uint32_t table, std::uint32_t i) {
        const std::size_t length = Word(data, table + 8 * i, swap);
        const std::size_t offset = Word(data, table + 8 * i + 4, swap);
        return offset + length <= data.size() ? data.substr(offset, length) : std::string();
    };
    for (std::uint32_t i = 0; i < count; ++i) {
        catalogue.emplace(text(originals, i), text(translations, i));
    }
    return catalogue;
}

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
        const auto it = c.find(id);
        if (it == c.end() || it->second.empty()) continue;
        if (p.chineseName.empty()) {
            p.chineseName = it->second;
        } else if (it->second != p.chineseName) {
            p.otherNames.push_back(it->second);
        }
    }
    return p;
}

}  // namespace

std::vector<Place> LoadInstalledPlaces() {
    std::vector<Catalogue> chinese;
    for (const char* locale : kChineseLocales) {
        chinese.push_back(ReadCatalogue(std::string(kCatalogueDir) + locale + kCatalogueFile));
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
