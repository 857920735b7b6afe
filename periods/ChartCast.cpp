#include "periods/ChartCast.h"

#include "birth/BirthBuilder.h"
#include "chart/ZiWei.h"

namespace qelvar {

ChartCast CastChart(const BirthData& birth, const ChartConventions& conventions,
                    std::chrono::year_month_day today, const std::optional<HoroscopeRequest>& at) {
    ChartCast out;
    out.conventions = conventions;
    std::optional<BirthData> charted = ApplyConventions(birth, conventions);
    if (!charted) {
        out.error = kErrorDate;
        return out;
    }
    out.birth = std::move(*charted);
    ZiWeiChart engine(out.birth, today);
    engine.MutableValue().school = conventions.school;
    engine.RunChartSteps();
    out.chart = engine.Value();
    out.natal = ReadNatalChart(out.chart);
    if (at) {
        static const LunarCalendar calendar;
        HoroscopeResult h = ComputeHoroscope(out.natal, *at, calendar, conventions.leapMonth);
        if (!h.ok()) {
            out.error = h.error == kErrorTarget ? kErrorTarget : kErrorDate;
            return out;
        }
        out.horoscope = std::move(h.horoscope);
    }
    return out;
}

}  // namespace qelvar
