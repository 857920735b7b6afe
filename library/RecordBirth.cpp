#include "library/RecordBirth.h"

#include "birth/BirthFromMoment.h"
#include "periods/Conventions.h"

namespace qelvar::library {

RecordCast CastRecord(const Record& r) {
    RecordCast out;
    const TypedBirth& b = r.birth;
    const int sex = r.male ? 0 : 1;
    BirthBuild build;
    if (b.kind == BirthKind::Clock) {
        MomentResult moment = ResolveMoment(b.moment);
        if (!moment.ok()) {
            out.error = moment.message;
            return out;
        }
        build = BirthFromMoment(*moment.resolution, sex);
        out.resolution = std::move(moment.resolution);
    } else {
        const BirthTime time{b.doubleHour, b.minuteSlot, sex, std::nullopt};
        if (b.kind == BirthKind::Lunar) {
            LunarDate lunar{static_cast<std::uint16_t>(b.year), static_cast<std::uint16_t>(b.month),
                            static_cast<std::uint16_t>(b.day), b.leap ? 1 : 0};
            build = BirthFromLunar(lunar, time);
        } else {
            using namespace std::chrono;
            build =
                BirthFromSolar(year_month_day{year{b.year}, month{static_cast<unsigned>(b.month)},
                                              day{static_cast<unsigned>(b.day)}},
                               time);
        }
    }
    if (!build.ok()) {
        out.error = std::string(build.error);
        return out;
    }
    out.built = *build.birth;
    out.birth = ApplyConventions(*build.birth, r.conventions);
    if (!out.birth) out.error = std::string(kErrorDate);
    return out;
}

}  // namespace qelvar::library
