#include "moment/EquationOfTime.h"

#include <erfa.h>
#include <erfam.h>

#include <array>
#include <cmath>
#include <memory>
#include <unordered_map>

namespace qelvar {
namespace {

using std::chrono::sys_seconds;

constexpr double kSecondsPerDay = 86400.0;
constexpr double kMinutesPerRadian = 1440.0 / ERFA_D2PI;
// Julian date of 1970-01-01 00:00 UTC.
constexpr double kUnixEpochJd = 2440587.5;

// TT - UTC in seconds: leap seconds + 32.184 s from 1960 on; before then
// (no UTC) 32.184 s, which moves the Sun by under 2″, 0.1 s of time.
double TtMinusUtc(sys_seconds utc) {
    const std::chrono::year_month_day ymd{std::chrono::floor<std::chrono::days>(utc)};
    double deltaAt = 0.0;
    const double dayFraction =
        static_cast<double>((utc - std::chrono::floor<std::chrono::days>(utc)).count()) /
        kSecondsPerDay;
    if (eraDat(static_cast<int>(ymd.year()), static_cast<int>(static_cast<unsigned>(ymd.month())),
               static_cast<int>(static_cast<unsigned>(ymd.day())), dayFraction, &deltaAt) != 0) {
        deltaAt = 0.0;
    }
    return deltaAt + 32.184;
}

// Apparent right ascension of the Sun, true equator and equinox of date.
double SunApparentRightAscension(double tt1, double tt2) {
    double heliocentric[2][3];
    double barycentric[2][3];
    eraEpv00(tt1, tt2, heliocentric, barycentric);
    // Geocentric direction of the Sun and its distance (au).
    double toSun[3];
    eraSxp(-1.0, heliocentric[0], toSun);
    double distance = 0.0;
    double unit[3];
    eraPn(toSun, &distance, unit);
    // Annual aberration from the Earth's barycentric velocity (in units of c).
    double velocity[3];
    eraSxp(ERFA_AULT / ERFA_DAYSEC, barycentric[1], velocity);
    const double bm1 = std::sqrt(1.0 - eraPdp(velocity, velocity));
    double apparent[3];
    eraAb(unit, velocity, distance, bm1, apparent);
    double bpn[3][3];
    eraPnm00b(tt1, tt2, bpn);
    double ofDate[3];
    eraRxp(bpn, apparent, ofDate);
    return std::atan2(ofDate[1], ofDate[0]);
}

// Samples every kStepDays days from a block start, covering kBlockDays days
// plus one sample before and two after for the four-point interpolation.
// Eight days keep the interpolation within 0.2 s (the Moon's pull on the
// Earth, a 0.4 s wobble of 27 days, is the largest term it smooths); each
// sample costs about 30 µs, most of it the Earth ephemeris.
constexpr int kStepDays = 8;
constexpr int kBlockSamples = 32;
constexpr int kBlockDays = kStepDays * kBlockSamples;
using Block = std::array<double, kBlockSamples + 3>;

sys_seconds DaysToInstant(long days) {
    return sys_seconds{std::chrono::seconds{days * 86400L}};
}

std::unique_ptr<Block> ComputeBlock(long blockIndex) {
    auto block = std::make_unique<Block>();
    const long firstDay = blockIndex * kBlockDays - kStepDays;
    for (std::size_t i = 0; i < block->size(); ++i) {
        (*block)[i] = ComputeEquationOfTimeMinutes(
            DaysToInstant(firstDay + static_cast<long>(i) * kStepDays));
    }
    return block;
}

long FloorDivLong(long a, long b) {
    return a / b - ((a % b != 0) && ((a < 0) != (b < 0)));
}

}  // namespace

double ComputeEquationOfTimeMinutes(sys_seconds utc) {
    const double daysFromEpoch =
        static_cast<double>(utc.time_since_epoch().count()) / kSecondsPerDay;
    // Two-part Julian dates: whole days kept apart from the fraction.
    const double ut1 = daysFromEpoch - std::floor(daysFromEpoch);  // [0, 1), UT1 taken as UTC
    const double jd0 = kUnixEpochJd + std::floor(daysFromEpoch);
    const double tt = ut1 + TtMinusUtc(utc) / kSecondsPerDay;
    // Hour angle of the true Sun at Greenwich; apparent solar time is that
    // plus 12 h, mean solar time is UT1.
    const double hourAngle = eraGst00b(jd0, ut1) - SunApparentRightAscension(jd0, tt);
    const double difference = eraAnpm(hourAngle + ERFA_DPI - ut1 * ERFA_D2PI);
    return difference * kMinutesPerRadian;
}

double EquationOfTimeMinutes(sys_seconds utc) {
    static std::unordered_map<long, std::unique_ptr<Block>> blocks;
    const long seconds = utc.time_since_epoch().count();
    const long blockSeconds = kBlockDays * 86400L;
    const long blockIndex = FloorDivLong(seconds, blockSeconds);
    auto& block = blocks[blockIndex];
    if (!block) block = ComputeBlock(blockIndex);
    // Position in steps from the block's first kept sample (index 1).
    const double x = static_cast<double>(seconds - blockIndex * blockSeconds) /
                     (kStepDays * kSecondsPerDay);  // [0, kBlockSamples)
    const auto i = static_cast<std::size_t>(x);
    const double t = x - static_cast<double>(i);  // [0, 1)
    const double* y = block->data() + i;          // y[0..3] at t = -1, 0, 1, 2
    // Four-point Lagrange interpolation.
    return -t * (t - 1) * (t - 2) / 6 * y[0] + (t + 1) * (t - 1) * (t - 2) / 2 * y[1] -
           (t + 1) * t * (t - 2) / 2 * y[2] + (t + 1) * t * (t - 1) / 6 * y[3];
}

}  // namespace qelvar
