#pragma once
// Digests of the chart grids of a whole Gregorian year: every day of the
// calendar's range in that year, each of the 13 hour entries (子 .. 亥, then
// 夜子), each of the 12 sub-periods and both sexes, under the default
// conventions, with the days lived counted to 2026-12-07.  One running
// 64-bit digest per year over every slot text of every grid, in that order.
//
// tools/grid_digest.cpp writes tests/app/data/grid_digests.txt with it; the
// sweep test casts again and compares, so any change to any slot of any
// chart of the range shows as a changed year.
//
// The cast itself is a parameter: `cast(dates, time)` returns the grid of
// the birth, so that the digest does not depend on how the engine is driven.

#include <chrono>
#include <cstdint>
#include <cstring>
#include <string_view>

#include "birth/BirthBuilder.h"
#include "calendar/BirthInstant.h"
#include "chart/ChartGrid.h"

namespace qelvar::test {

inline constexpr std::chrono::year_month_day kDigestToday{
    std::chrono::year{2026}, std::chrono::month{12}, std::chrono::day{7}};
inline constexpr std::chrono::sys_days kDigestFirst{std::chrono::year{1901} / 2 / 19};
inline constexpr std::chrono::sys_days kDigestLast{std::chrono::year{2051} / 2 / 11};

// A running digest: each value is xored in, multiplied by an odd constant
// and folded, so every bit of every value reaches the high bits.
class Digest {
public:
    void Add(std::uint64_t v) {
        m_h = (m_h ^ v) * 0x9E3779B97F4A7C15ULL;
        m_h ^= m_h >> 29;
    }
    // The length, then the bytes eight at a time (the last word zero-padded).
    void Add(std::string_view text) {
        Add(std::uint64_t{text.size()});
        for (std::size_t i = 0; i < text.size(); i += 8) {
            std::uint64_t word = 0;
            std::memcpy(&word, text.data() + i, text.size() - i < 8 ? text.size() - i : 8);
            Add(word);
        }
    }
    void Add(const ChartGrid& grid) {
        for (const int id : ChartGrid::SlotIds()) Add(grid.GetSlotText(id));
    }
    std::uint64_t Value() const { return m_h; }

private:
    std::uint64_t m_h = 0xCBF29CE484222325ULL;
};

struct YearDigest {
    std::uint64_t digest = 0;
    long casts = 0;     // grids digested
    long failures = 0;  // births that failed to build (digested as a marker)
};

// Every grid of Gregorian year `y` inside the range, digested in the order
// day, hour entry 0..12, sub-period 0..11, sex 0..1.  `cast` takes the
// dates of the day and a birth time and returns a grid (or nullptr when the
// birth cannot be cast).  `stride` > 1 digests every stride-th day only.
template <typename CastFn>
YearDigest DigestYear(int y, CastFn&& cast, int stride = 1) {
    using namespace std::chrono;
    YearDigest out;
    Digest d;
    const sys_days first = std::max(kDigestFirst, sys_days{year{y} / 1 / 1});
    const sys_days last = std::min(kDigestLast, sys_days{year{y} / 12 / 31});
    for (sys_days t = first; t <= last; t += days{stride}) {
        const std::optional<SolarDate> solar = ToSolarDate(year_month_day{t});
        const std::optional<BirthDates> dates = solar ? DatesFromSolar(*solar) : std::nullopt;
        for (int h = 0; h <= kLateZiHour; ++h)
            for (int slot = 0; slot < 12; ++slot)
                for (int sex = 0; sex < 2; ++sex) {
                    const BirthTime time{
                        .doubleHour = h, .minuteSlot = slot, .sex = sex, .instant = {}};
                    const ChartGrid* grid = dates ? cast(*dates, time) : nullptr;
                    if (grid) {
                        d.Add(*grid);
                        ++out.casts;
                    } else {
                        d.Add(std::uint64_t{0xFA11});
                        ++out.failures;
                    }
                }
    }
    out.digest = d.Value();
    return out;
}

}  // namespace qelvar::test
