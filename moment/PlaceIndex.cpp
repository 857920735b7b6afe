#include "moment/PlaceIndex.h"

#include <glib.h>

#include <algorithm>
#include <cmath>
#include <memory>

#include "moment/PlaceTable.h"

namespace qelvar {
namespace {

using place_table::kDivisions;

// Two records closer than this, in degrees, with the same name are one place.
constexpr double kSamePlace = 0.3;

// Final parts of Chinese division names, longest first.
constexpr std::string_view kSuffixes[] = {
    "特别行政区", "自治区", "自治州", "自治县", "自治旗", "地区", "林区", "特区",
    "新区",       "省",     "市",     "县",     "区",     "盟",   "旗",   "州"};
// China's ethnic groups, as they stand before 自治州, 自治县 or 自治旗.
constexpr std::string_view kEthnicGroups[] = {
    "柯尔克孜", "乌孜别克", "维吾尔", "哈萨克", "达斡尔", "塔吉克", "俄罗斯", "鄂温克",
    "塔塔尔",   "鄂伦春",   "蒙古",   "布依",   "朝鲜",   "土家",   "哈尼",   "傈僳",
    "高山",     "拉祜",     "东乡",   "纳西",   "景颇",   "仫佬",   "布朗",   "撒拉",
    "毛南",     "仡佬",     "锡伯",   "阿昌",   "普米",   "德昂",   "保安",   "裕固",
    "独龙",     "赫哲",     "门巴",   "珞巴",   "基诺",   "回",     "藏",     "苗",
    "彝",       "壮",       "满",     "侗",     "瑶",     "白",     "傣",     "黎",
    "佤",       "畲",       "水",     "土",     "羌",     "怒",     "京"};
constexpr std::string_view kEthnicSuffix = "族";
constexpr std::string_view kAutonomous = "自治";
// Separators between a name and its qualifiers.
constexpr std::string_view kSeparators[] = {",", "，", "、", "·", "・", ";", "；"};

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
    // below 0xE0; Chinese characters take three.  So do the punctuation and
    // symbols of U+2000..U+20FF (E2 80..83 xx), which Latin names carry:
    // "South P’yŏngan Province".
    for (std::size_t i = 0; i < s.size(); ++i) {
        const auto c = static_cast<unsigned char>(s[i]);
        if (c < 0xE0) continue;
        if (c != 0xE2 || i + 2 >= s.size() || (static_cast<unsigned char>(s[i + 1]) & 0xFC) != 0x80)
            return false;
        i += 2;
    }
    return true;
}

std::size_t Characters(std::string_view s) {
    return static_cast<std::size_t>(g_utf8_strlen(s.data(), static_cast<gssize>(s.size())));
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

// `name` without `tail` when at least two characters stay.
bool DropTail(std::string& name, std::string_view tail) {
    if (!name.ends_with(tail) || Characters(name) < Characters(tail) + 2) return false;
    name.resize(name.size() - tail.size());
    return true;
}

// The ethnic names before the suffix of what ChineseStem dropped: "东乡族"
// of "东乡族自治县", empty for "市".
std::string EthnicPart(std::string dropped) {
    for (const std::string_view suffix : kSuffixes) {
        if (dropped.ends_with(suffix)) {
            dropped.resize(dropped.size() - suffix.size());
            break;
        }
    }
    return dropped;
}

// `text` without 族, so that "蒙古" and "蒙古族" compare alike.
std::string WithoutEthnicSuffix(std::string text) {
    for (std::size_t at; (at = text.find(kEthnicSuffix)) != std::string::npos;)
        text.erase(at, kEthnicSuffix.size());
    return text;
}

std::vector<std::string_view> Split(std::string_view text, std::string_view by) {
    std::vector<std::string_view> parts;
    while (true) {
        const auto at = text.find(by);
        parts.push_back(text.substr(0, at));
        if (at == std::string_view::npos) return parts;
        text.remove_prefix(at + by.size());
    }
}

// The parts of "name, qualifier, ..." split at any separator; a Chinese part
// is also split at spaces ("苏州 江苏"), a Latin one is not ("New York").
std::vector<std::string> Parts(std::string_view text) {
    std::string joined(text);
    for (const std::string_view separator : kSeparators) {
        for (std::size_t at; (at = joined.find(separator)) != std::string::npos;)
            joined.replace(at, separator.size(), "\n");
    }
    std::vector<std::string> parts;
    for (const std::string_view part : Split(joined, "\n")) {
        const std::string_view trimmed = Trim(part);
        if (trimmed.empty()) continue;
        if (IsLatin(trimmed)) {
            parts.emplace_back(trimmed);
            continue;
        }
        for (const std::string_view word : Split(trimmed, " "))
            if (!Trim(word).empty()) parts.emplace_back(Trim(word));
    }
    return parts;
}

std::string Capitalized(std::string_view pinyin) {
    std::string s(pinyin);
    if (!s.empty()) s[0] = g_ascii_toupper(s[0]);
    return s;
}

struct Region {
    const char* code;
    const char* country;
    const char* zone;
};

// The country and zone of a division, by its province's code.
Region RegionOf(int provinceCode) {
    switch (provinceCode / 10000) {
        case 71:
            return {"TW", "Taiwan", "Asia/Taipei"};
        case 81:
            return {"HK", "Hong Kong", "Asia/Hong_Kong"};
        case 82:
            return {"MO", "Macao", "Asia/Macau"};
        case 65:
            return {"CN", "China", "Asia/Urumqi"};
        default:
            return {"CN", "China", "Asia/Shanghai"};
    }
}

const char* CountryNames(std::string_view code) {
    for (std::size_t i = 0; i < place_table::kCountryCount; ++i) {
        if (code == place_table::kCountries[i].code) return place_table::kCountries[i].names;
    }
    return "";
}

std::string FirstName(std::string_view names) {
    return std::string(Split(names, "|")[0]);
}

void AddNames(Place& p, std::string_view names) {
    for (const std::string_view n : Split(names, "|")) {
        if (!n.empty() && n != p.chineseName && n != p.name) p.otherNames.emplace_back(n);
    }
}

double Distance(const Place& a, const Place& b) {
    return std::max(std::fabs(a.longitude - b.longitude), std::fabs(a.latitude - b.latitude));
}

}  // namespace

std::string FoldToSimplified(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    const char* p = text.data();
    const char* end = p + text.size();
    while (p < end) {
        const gunichar c = g_utf8_get_char_validated(p, end - p);
        if (c == static_cast<gunichar>(-1) || c == static_cast<gunichar>(-2)) {
            out += *p++;
            continue;
        }
        const char* next = g_utf8_next_char(p);
        const auto* table = place_table::kTraditional;
        const auto* last = table + place_table::kTraditionalCount;
        const auto* it = std::lower_bound(table, last, c,
                                          [](const place_table::CharacterPair& pair, gunichar v) {
                                              return pair.traditional < v;
                                          });
        if (it != last && it->traditional == c) {
            char buf[6];
            out.append(buf, static_cast<std::size_t>(g_unichar_to_utf8(it->simplified, buf)));
        } else {
            out.append(p, next);
        }
        p = next;
    }
    return out;
}

std::string PlaceKey(std::string_view name) {
    name = Trim(name);
    return IsLatin(name) ? FoldLatin(name) : FoldToSimplified(name);
}

std::string ChineseStem(std::string_view name) {
    std::string stem(name);
    for (const std::string_view suffix : kSuffixes) {
        if (!DropTail(stem, suffix)) continue;
        if (suffix.starts_with(kAutonomous)) {
            for (bool dropped = true; dropped;) {
                dropped = false;
                for (const std::string_view group : kEthnicGroups) {
                    const std::string withSuffix = std::string(group) + std::string(kEthnicSuffix);
                    if (DropTail(stem, withSuffix) ||
                        (Characters(group) > 1 && DropTail(stem, group))) {
                        dropped = true;
                        break;
                    }
                }
            }
        }
        break;
    }
    return stem;
}

std::string ClockZoneFor(const Place& place) {
    return place.countryCode == "CN" ? std::string("Asia/Shanghai") : place.zone;
}

std::string_view LevelName(PlaceLevel level) {
    switch (level) {
        case PlaceLevel::Province:
            return "省级";
        case PlaceLevel::Prefecture:
            return "地级";
        case PlaceLevel::County:
            return "县级";
        case PlaceLevel::Area:
            return "区";
        default:
            return "城市";
    }
}

std::string PlaceLabel(const Place& p) {
    if (!p.checkedChinese || p.chineseName.empty()) {
        std::string label = p.name;
        if (!p.province.empty() || !p.state.empty())
            label += " · " + (p.province.empty() ? p.state : p.province);
        return label + " · " + (p.countryChinese.empty() ? p.country : p.countryChinese);
    }
    if (p.level == PlaceLevel::City)
        return p.chineseName + (p.countryChinese.empty() ? "" : " · " + p.countryChinese);
    if (!p.prefecture.empty()) return p.chineseName + " · " + p.prefecture;
    if (!p.province.empty()) return p.chineseName + " · " + p.province;
    return p.chineseName;
}

std::vector<Place> TablePlaces() {
    std::vector<Place> places;
    places.reserve(place_table::kDivisionCount + 4);
    for (std::size_t i = 0; i < place_table::kDivisionCount; ++i) {
        const place_table::Division& d = kDivisions[i];
        const place_table::Division& province = d.province >= 0 ? kDivisions[d.province] : d;
        const Region region = RegionOf(province.code);
        Place p;
        p.chineseName = d.name;
        p.name = Capitalized(d.pinyin);
        for (const std::string_view other : Split(d.otherNames, "|")) {
            if (!other.empty() && IsLatin(other) && p.name == Capitalized(d.pinyin))
                p.name = std::string(other);  // the usual Latin name: "Taipei"
        }
        if (std::string_view(d.shortName) != d.name) p.otherNames.emplace_back(d.shortName);
        AddNames(p, d.otherNames);
        if (p.name != Capitalized(d.pinyin)) p.otherNames.push_back(Capitalized(d.pinyin));
        if (d.code) p.code = std::to_string(d.code);
        p.level = static_cast<PlaceLevel>(d.level);
        if (d.province >= 0) p.province = province.name;
        if (d.prefecture >= 0) p.prefecture = kDivisions[d.prefecture].name;
        p.countryCode = region.code;
        p.country = region.country;
        p.countryChinese = "中国";
        p.zone = region.zone;
        p.longitude = d.longitude / 100.0;
        p.latitude = d.latitude / 100.0;
        p.checkedChinese = true;
        places.push_back(std::move(p));
    }
    // Provinces' Latin names as GeoNames spells them, for "Suzhou, Jiangsu".
    for (Place& p : places) {
        if (p.level == PlaceLevel::Province) {
            p.state = p.name;
        } else {
            for (const Place& q : places) {
                if (q.level == PlaceLevel::Province && q.chineseName == p.province) {
                    p.state = q.name;
                    break;
                }
            }
        }
    }
    for (std::size_t i = 0; i < place_table::kOverseasCityCount; ++i) {
        const place_table::OverseasCity& c = place_table::kOverseasCities[i];
        Place p;
        p.name = c.name;
        p.chineseName = FirstName(c.names);
        AddNames(p, c.names);
        p.state = c.state;
        p.countryCode = c.country;
        p.country = c.countryName;
        p.countryChinese = FirstName(CountryNames(c.country));
        p.zone = c.zone;
        p.longitude = c.longitude / 100.0;
        p.latitude = c.latitude / 100.0;
        p.population = c.population;
        p.checkedChinese = true;
        places.push_back(std::move(p));
    }
    return places;
}

namespace {

void AddKey(std::unordered_map<std::string, std::vector<std::size_t>>& map, const std::string& key,
            std::size_t i) {
    if (key.empty()) return;
    std::vector<std::size_t>& list = map[key];
    if (list.empty() || list.back() != i) list.push_back(i);
}

std::vector<std::string> NamesOf(const Place& p) {
    std::vector<std::string> names{p.name, p.chineseName};
    names.insert(names.end(), p.otherNames.begin(), p.otherNames.end());
    std::erase(names, std::string());
    return names;
}

bool Contains(const std::vector<std::string>& keys, const std::string& key) {
    return std::find(keys.begin(), keys.end(), key) != keys.end();
}

}  // namespace

PlaceIndex::PlaceIndex(std::vector<Place> table, std::function<std::vector<Place>()> world)
    : m_table(std::move(table)), m_loadWorld(std::move(world)) {
    m_tableKeys.resize(m_table.size());
    for (std::size_t i = 0; i < m_table.size(); ++i) {
        const Place& p = m_table[i];
        for (const std::string& n : NamesOf(p)) {
            const std::string key = PlaceKey(n);
            AddKey(IsLatin(n) ? m_latin : m_chinese, key, i);
            if (!Contains(m_tableKeys[i], key)) m_tableKeys[i].push_back(key);
        }
        if (!p.code.empty()) m_codes.emplace(p.code, i);
        if (p.level == PlaceLevel::Province || p.level == PlaceLevel::Prefecture) {
            const std::string key = PlaceKey(p.chineseName);
            m_regionNames.insert(key);
            m_regionNames.insert(ChineseStem(key));
            std::vector<std::string>& latin = m_regionLatin[p.chineseName];
            for (const std::string& n : NamesOf(p))
                if (IsLatin(n)) latin.push_back(PlaceKey(n));
        }
    }
}

PlaceIndex::PlaceIndex(std::vector<Place> places)
    : PlaceIndex({}, [places = std::move(places)]() { return places; }) {}

const Place& PlaceIndex::At(std::size_t i) const {
    return i < m_table.size() ? m_table[i] : m_world[i - m_table.size()];
}

void PlaceIndex::LoadWorld() const {
    std::call_once(m_worldLoaded, [this] {
        if (!m_loadWorld) return;
        std::vector<Place> loaded = m_loadWorld();
        // Most populous first; indices sorted, not the records.
        std::vector<std::size_t> order(loaded.size());
        for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
        std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
            return loaded[a].population > loaded[b].population;
        });
        m_world.reserve(loaded.size());
        m_worldLatin.reserve(loaded.size() * 3 / 2);
        // Provinces by their Latin names, for GeoNames' towns in China.
        std::unordered_map<std::string, const Place*> provinces;
        for (const Place& p : m_table)
            if (p.level == PlaceLevel::Province)
                for (const std::string& n : NamesOf(p))
                    if (IsLatin(n)) provinces.emplace(PlaceKey(n), &p);
        for (const std::size_t at : order) {
            Place& g = loaded[at];
            // One of the table's places: it takes the record's Latin name.
            std::vector<std::size_t> same;
            const auto look = [&](const KeyMap& map, const std::string& key) {
                if (const auto it = map.find(key); it != map.end())
                    same.insert(same.end(), it->second.begin(), it->second.end());
            };
            look(m_latin, PlaceKey(g.name));
            if (!g.chineseName.empty()) {
                look(m_chinese, PlaceKey(g.chineseName));
                look(m_chinese, ChineseStem(PlaceKey(g.chineseName)));
            }
            std::size_t nearest = m_table.size();
            double best = kSamePlace;
            for (const std::size_t j : same) {
                if (m_table[j].countryCode != g.countryCode) continue;
                if (const double d = Distance(g, m_table[j]); d < best) {
                    best = d;
                    nearest = j;
                }
            }
            if (nearest < m_table.size()) {
                AddKey(m_worldLatin, PlaceKey(g.name), nearest);
                continue;
            }
            g.countryChinese = FirstName(CountryNames(g.countryCode));
            g.checkedChinese = false;
            if (const auto it = provinces.find(PlaceKey(g.state));
                it != provinces.end() && it->second->countryCode == g.countryCode) {
                g.province = it->second->chineseName;  // "Jilin" -> 吉林省
                g.countryChinese = it->second->countryChinese;
            }
            const std::size_t i = m_table.size() + m_world.size();
            AddKey(m_worldLatin, PlaceKey(g.name), i);
            for (const std::string& n : g.otherNames)
                if (IsLatin(n)) AddKey(m_worldLatin, PlaceKey(n), i);
            m_world.push_back(std::move(g));
        }
    });
}

// GeoNames' Chinese translations, indexed when a Chinese name the table
// lacks is first looked up.
void PlaceIndex::LoadWorldChinese() const {
    LoadWorld();
    std::call_once(m_worldChineseLoaded, [this] {
        for (std::size_t w = 0; w < m_world.size(); ++w) {
            const std::size_t i = m_table.size() + w;
            for (const std::string& n : NamesOf(m_world[w])) {
                if (IsLatin(n)) continue;
                const std::string key = PlaceKey(n);
                AddKey(m_worldChinese, key, i);
                AddKey(m_worldChinese, ChineseStem(key), i);
            }
        }
    });
}

// Whether `qualifier` names `region` (a province or prefecture, in Chinese):
// its full or short Chinese name, or one of its Latin names.
bool PlaceIndex::Names(const std::string& region, std::string_view qualifier) const {
    if (region.empty()) return false;
    const std::string key = PlaceKey(qualifier);
    if (IsLatin(key)) {
        const auto it = m_regionLatin.find(region);
        return it != m_regionLatin.end() && Contains(it->second, key);
    }
    const std::string k = PlaceKey(region);
    return k == key || ChineseStem(k) == ChineseStem(key);
}

bool PlaceIndex::Qualifies(std::size_t i, std::string_view qualifier) const {
    const Place& p = At(i);
    if (Names(p.province, qualifier) || Names(p.prefecture, qualifier)) return true;
    const std::string key = PlaceKey(qualifier);
    if (IsLatin(key)) {
        for (const std::string* n : {&p.state, &p.country, &p.countryCode})
            if (!n->empty() && PlaceKey(*n) == key) return true;
        return false;
    }
    const std::string stem = ChineseStem(key);
    if (!p.countryChinese.empty() && PlaceKey(p.countryChinese) == key) return true;
    for (const std::string_view n : Split(CountryNames(p.countryCode), "|"))
        if (!n.empty() && (PlaceKey(n) == key || PlaceKey(n) == stem)) return true;
    return false;
}

// A prefecture and the counties inside it that share its name (承德市 and
// its 承德县), narrowed by a qualifier naming their province ("承德, 河北",
// "河北承德"): the prefecture is meant, as the province is how a prefecture
// is told from others.  Narrowed by the prefecture instead ("承德, 承德市")
// the prefecture is gone already (a place is not qualified by itself) and the
// county stays alone.  Returns the prefecture's position in `places`, or
// npos.
std::size_t PlaceIndex::PrefectureOfNamesakes(const std::vector<std::size_t>& places,
                                              const std::vector<std::string>& qualifiers) const {
    constexpr std::size_t none = std::string::npos;
    std::size_t prefecture = none;
    for (std::size_t n = 0; n < places.size(); ++n) {
        if (places[n] >= m_table.size()) return none;
        if (m_table[places[n]].level != PlaceLevel::Prefecture) continue;
        if (prefecture != none) return none;
        prefecture = n;
    }
    if (prefecture == none || places.size() < 2) return none;
    const Place& p = m_table[places[prefecture]];
    for (const std::size_t i : places) {
        const Place& q = m_table[i];
        if (&q != &p && (q.level != PlaceLevel::County || q.prefecture != p.chineseName))
            return none;
    }
    const bool byProvince = std::any_of(qualifiers.begin(), qualifiers.end(),
                                        [&](const std::string& q) { return Names(p.province, q); });
    return byProvince ? prefecture : none;
}

PlaceIndex::Matches PlaceIndex::Direct(std::string_view name) const {
    Matches m;
    const std::string key = PlaceKey(name);
    if (key.empty()) return m;
    if (IsLatin(key)) {
        LoadWorld();
        for (const KeyMap* map : {&m_latin, static_cast<const KeyMap*>(&m_worldLatin)})
            if (const auto it = map->find(key); it != map->end())
                m.places.insert(m.places.end(), it->second.begin(), it->second.end());
        return m;
    }
    if (const auto it = m_chinese.find(key); it != m_chinese.end()) {
        m.places = it->second;
        return m;
    }
    const std::string stem = ChineseStem(key);
    if (stem != key) {
        if (const auto it = m_chinese.find(stem); it != m_chinese.end()) {
            // "大理州" keeps the prefecture, "浦东区" the 新区, "阜新蒙古自治县"
            // the county of that people; a plain suffix no candidate has
            // (吴江市, a county-level city since made a district) keeps them
            // all.  An ethnic name no candidate has keeps none: "临夏东乡族
            // 自治县" is not 临夏县, nor "内蒙古鄂伦春自治旗" 内蒙古自治区.
            const char* end = key.data() + key.size();
            const std::string last(static_cast<const char*>(g_utf8_find_prev_char(key.data(), end)),
                                   end);
            const std::string ethnic = WithoutEthnicSuffix(EthnicPart(key.substr(stem.size())));
            for (const std::size_t i : it->second) {
                const std::string full = PlaceKey(m_table[i].chineseName);
                if (full.ends_with(last) &&
                    WithoutEthnicSuffix(full).find(ethnic) != std::string::npos)
                    m.places.push_back(i);
            }
            if (m.places.empty() && ethnic.empty()) m.places = it->second;
        }
    }
    return m;
}

PlaceIndex::Matches PlaceIndex::Named(std::string_view name) const {
    Matches m = Direct(name);
    if (!m.places.empty() || IsLatin(name)) return m;
    // "江苏苏州", "江苏省苏州市", "北京朝阳": a province or prefecture before the name.
    const std::string key = PlaceKey(name);
    for (const char* at = g_utf8_next_char(key.c_str()); *at; at = g_utf8_next_char(at)) {
        const std::string head(key.c_str(), at);
        if (!m_regionNames.contains(head)) continue;
        Matches tail = Named(at);
        std::erase_if(tail.places, [&](std::size_t i) { return !Qualifies(i, head); });
        if (tail.places.empty()) continue;
        tail.heads.push_back(head);
        return tail;
    }
    // Only GeoNames' translations: offered, never taken without a qualifier.
    LoadWorldChinese();
    for (const std::string& k : {key, ChineseStem(key)}) {
        if (const auto it = m_worldChinese.find(k); it != m_worldChinese.end()) {
            m.places = it->second;
            m.unchecked = true;
            break;
        }
    }
    return m;
}

PlaceLookup PlaceIndex::Lookup(std::string_view text) const {
    PlaceLookup lookup;
    text = Trim(text);
    if (text.empty()) return lookup;
    if (text.size() == 6 &&
        std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        if (const auto it = m_codes.find(std::string(text)); it != m_codes.end()) {
            lookup.chosen = &m_table[it->second];
            lookup.candidates.push_back(lookup.chosen);
        }
        return lookup;
    }
    const std::vector<std::string> parts = Parts(text);
    if (parts.empty()) return lookup;
    const auto qualified = [&](std::size_t nameAt) {
        Matches r = Named(parts[nameAt]);
        std::erase_if(r.places, [&](std::size_t i) {
            for (std::size_t q = 0; q < parts.size(); ++q)
                if (q != nameAt && !Qualifies(i, parts[q])) return true;
            return false;
        });
        return r;
    };
    Matches m = qualified(0);
    std::size_t nameAt = 0;
    if (m.places.empty() && parts.size() > 1) {
        nameAt = parts.size() - 1;
        m = qualified(nameAt);
    }
    std::sort(m.places.begin(), m.places.end(), [this](std::size_t a, std::size_t b) {
        // Provinces, then prefectures, then counties, then cities abroad: the
        // likelier reading of a shared name first.
        const PlaceLevel la = At(a).level, lb = At(b).level;
        return la != lb ? la < lb : a < b;
    });
    m.places.erase(std::unique(m.places.begin(), m.places.end()), m.places.end());
    std::vector<std::string> qualifiers = m.heads;
    for (std::size_t q = 0; q < parts.size(); ++q)
        if (q != nameAt) qualifiers.push_back(parts[q]);
    if (const std::size_t at = PrefectureOfNamesakes(m.places, qualifiers); at != std::string::npos)
        m.places = {m.places[at]};
    for (const std::size_t i : m.places) lookup.candidates.push_back(&At(i));
    if (lookup.candidates.size() == 1 && (!m.unchecked || parts.size() > 1))
        lookup.chosen = lookup.candidates[0];
    return lookup;
}

std::vector<const Place*> PlaceIndex::Complete(std::string_view prefix, std::size_t limit) const {
    std::vector<const Place*> found;
    const std::string key = PlaceKey(prefix);
    if (key.empty()) return found;
    const auto begins = [&key](const std::string& k) { return k.starts_with(key); };
    for (std::size_t i = 0; i < m_table.size(); ++i) {
        if (std::any_of(m_tableKeys[i].begin(), m_tableKeys[i].end(), begins))
            found.push_back(&m_table[i]);
    }
    // Higher levels first (西安市 before the two 西安区), as Lookup offers them.
    std::stable_sort(found.begin(), found.end(),
                     [](const Place* a, const Place* b) { return a->level < b->level; });
    if (found.size() > limit) found.resize(limit);
    if (!IsLatin(key) || found.size() >= limit) return found;
    LoadWorld();
    std::vector<std::size_t> world;
    for (const auto& [k, places] : m_worldLatin) {
        if (!begins(k)) continue;
        for (const std::size_t i : places)
            if (i >= m_table.size()) world.push_back(i);
    }
    std::sort(world.begin(), world.end());
    world.erase(std::unique(world.begin(), world.end()), world.end());
    for (std::size_t n = 0; n < world.size() && found.size() < limit; ++n)
        found.push_back(&At(world[n]));
    return found;
}

const PlaceIndex& PlaceIndex::Installed() {
    static const PlaceIndex index(qelvar::TablePlaces(), LoadInstalledPlaces);
    return index;
}

}  // namespace qelvar
