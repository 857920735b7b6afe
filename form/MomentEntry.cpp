#include "form/MomentEntry.h"

#include <charconv>
#include <cmath>

#include "moment/MomentText.h"
#include "moment/PlaceIndex.h"

namespace qelvar {
namespace {

using std::chrono::year_month_day;

std::string_view Trim(std::string_view s) {
    const auto first = s.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    return s.substr(first, s.find_last_not_of(' ') - first + 1);
}

std::optional<double> ParseDegrees(std::string_view text) {
    text = Trim(text);
    double value = 0.0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc{} || end != text.data() + text.size()) return std::nullopt;
    return value;
}

// "104.07" or "104.07, 30.67": a longitude and an optional latitude.
std::optional<Birthplace> ParseCoordinates(std::string_view text) {
    const auto comma = text.find(',');
    const auto longitude = ParseDegrees(text.substr(0, comma));
    if (!longitude) return std::nullopt;
    Birthplace place{"", *longitude, std::nullopt};
    if (comma != std::string_view::npos) {
        place.latitude = ParseDegrees(text.substr(comma + 1));
        if (!place.latitude) return std::nullopt;
    }
    return place;
}

// "朝阳市 · 辽宁省；朝阳区 · 北京市；朝阳县 · 朝阳市…" (at most three: the
// line is short, and the field's list offers them all).
std::string Candidates(const std::vector<const Place*>& places) {
    std::string list;
    for (std::size_t i = 0; i < places.size() && i < 3; ++i) {
        if (i > 0) list += "；";
        list += PlaceLabel(*places[i]);
    }
    if (places.size() > 3) list += "…";
    return list;
}

}  // namespace

std::optional<std::pair<int, int>> ParseClockText(std::string_view text) {
    text = Trim(text);
    const auto colon = text.find(':');
    if (colon == std::string_view::npos || colon == 0 || colon > 2 || text.size() != colon + 3) {
        return std::nullopt;
    }
    int hour = 0, minute = 0;
    const char* begin = text.data();
    if (std::from_chars(begin, begin + colon, hour).ptr != begin + colon) return std::nullopt;
    if (std::from_chars(begin + colon + 1, begin + text.size(), minute).ptr != begin + text.size())
        return std::nullopt;
    if (hour < 0 || hour > 23 || minute < 0 || minute > 59) return std::nullopt;
    return std::pair{hour, minute};
}

void MomentEntry::OnDateChosen(BirthForm& form) {
    m_clockDate = form.m_dateSolar;
    if (!m_strTime.empty()) Apply(form);
}

void MomentEntry::OnListChosen(BirthForm& form) {
    form.m_tBirthInstant.reset();
    m_strTime.clear();
    m_strResolution.clear();
    m_resolution.reset();
    m_moment.reset();
}

// The moment the fields describe, or empty with the reason in the line.
std::optional<BirthMoment> MomentEntry::ReadMoment(year_month_day clockDate) {
    const auto time = ParseClockText(m_strTime);
    if (!time) {
        m_strResolution = m_strTime.empty() ? "" : "出生时间请写成 HH:MM";
        return std::nullopt;
    }
    BirthMoment m;
    m.clock = {static_cast<int>(clockDate.year()), static_cast<int>(unsigned(clockDate.month())),
               static_cast<int>(unsigned(clockDate.day())), time->first, time->second};
    const std::string_view placeText = Trim(m_strPlace);
    if (!placeText.empty()) {
        if (auto coordinates = ParseCoordinates(placeText)) {
            m.place = *coordinates;
        } else {
            const PlaceLookup found = PlaceIndex::Installed().Lookup(placeText);
            if (!found.chosen) {
                const std::string name(placeText);
                if (found.candidates.empty())
                    m_strResolution = "找不到出生地“" + name + "”";
                else if (found.candidates.size() == 1)
                    m_strResolution = "“" + name + "”是指" + Candidates(found.candidates) +
                                      "吗？请加上国家名或从列表中选择";
                else
                    m_strResolution = "出生地“" + name + "”有" +
                                      std::to_string(found.candidates.size()) + "处，请加上省市：" +
                                      Candidates(found.candidates);
                return std::nullopt;
            }
            const Place& p = *found.chosen;
            m.place = Birthplace{PlaceLabel(p), p.longitude, p.latitude};
            m.zone = ClockZoneFor(p);
        }
    }
    m.trueSolarTime = m_bTrueSolarTime && m.place.has_value();
    return m;
}

bool MomentEntry::Apply(BirthForm& form) {
    m_resolution.reset();
    m_moment.reset();
    m_placeFound = false;
    form.m_tBirthInstant.reset();
    if (!m_clockDate) m_clockDate = form.m_dateSolar;
    const std::optional<BirthMoment> moment = ReadMoment(*m_clockDate);
    if (!moment) {
        // A time not read (a place shared or unknown, a time half typed)
        // leaves no reading of an earlier one in the lists to cast from.
        if (!m_strTime.empty()) {
            form.m_nHourSelection = BirthForm::kNoSelection;
            form.m_nMinuteSelection = BirthForm::kNoSelection;
        }
        return false;
    }
    MomentResult result = ResolveMoment(*moment);
    if (!result.ok()) {
        m_strResolution = result.error == MomentError::NonexistentTime
                              ? "此钟点不存在：夏令时开始时钟表拨快，跳过了这一小时"
                              : result.message;
        form.m_nHourSelection = BirthForm::kNoSelection;
        form.m_nMinuteSelection = BirthForm::kNoSelection;
        return false;
    }
    const MomentResolution& r = *result.resolution;
    m_strResolution = DescribeResolution(*moment, r);
    // The place the time was read for, as it was found, before the reading.
    m_placeFound = moment->place && !moment->place->name.empty();
    if (m_placeFound) m_strResolution = moment->place->name + "：" + m_strResolution;
    form.m_nHourSelection = r.hour;
    form.m_nMinuteSelection = r.minuteSlot;
    form.m_tBirthInstant = r.utc;
    const year_month_day chartDate{std::chrono::year{r.date.year},
                                   std::chrono::month{static_cast<unsigned>(r.date.month)},
                                   std::chrono::day{static_cast<unsigned>(r.date.day)}};
    if (chartDate != form.m_dateSolar) {
        form.m_dateSolar = chartDate;
        form.UpdateFromSolar();
    }
    m_resolution = std::move(result.resolution);
    m_moment = moment;
    return true;
}

std::string MomentCaption(const MomentEntry& entry) {
    if (!entry.Resolution() || entry.m_strTime.empty()) return {};
    std::string text;
    // A place found by name leads the reading already ("昆山市 · 苏州市：…").
    if (!entry.m_strPlace.empty())
        text = entry.PlaceFound() ? "出生地 " : "出生地 " + entry.m_strPlace + "  ";
    return text + entry.m_strResolution;
}

}  // namespace qelvar
