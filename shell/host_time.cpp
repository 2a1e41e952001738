// Civil dates to days and back (proleptic Gregorian), after H. Hinnant's
// days_from_civil / civil_from_days.
#include "shell/host_time.h"

#include "shell/shell.h"

// ---- Constants ----------------------------------------------------------------

namespace {

constexpr long long SECONDS_PER_DAY = 86400;
constexpr int MS_PER_SECOND = 1000;

// ---- Private helpers ----------------------------------------------------------

// Days since 1970-01-01 of a civil date.
long long daysFromCivil(long long y, int m, int d) {
    y -= m <= 2;
    const long long era = (y >= 0 ? y : y - 399) / 400;
    const long long yoe = y - era * 400;
    const long long doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const long long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

void civilFromDays(long long z, int& y, int& m, int& d) {
    z += 719468;
    const long long era = (z >= 0 ? z : z - 146096) / 146097;
    const long long doe = z - era * 146097;
    const long long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const long long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const long long mp = (5 * doy + 2) / 153;
    d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    y = static_cast<int>(yoe + era * 400 + (m <= 2));
}

}  // namespace

// ---- Public operations --------------------------------------------------------

// Base time plus ticks of 10 ms, carried into the date.
ClockTime hostTimeAfter(const HostDateTime& base, long long ticks) {
    const long long ms = ticks * FAST_TICK_MS;
    const long long baseSeconds = daysFromCivil(base.year, base.month, base.day) * SECONDS_PER_DAY +
                                  base.hour * 3600LL + base.minute * 60LL + base.second;
    const long long seconds = baseSeconds + ms / MS_PER_SECOND;
    long long days = seconds / SECONDS_PER_DAY;
    long long inDay = seconds % SECONDS_PER_DAY;
    if (inDay < 0) {
        inDay += SECONDS_PER_DAY;
        --days;
    }
    int year = 0, month = 0, day = 0;
    civilFromDays(days, year, month, day);
    const int dayOfWeek = static_cast<int>(((days % 7) + 11) % 7);  // 1970-01-01 was a Thursday (4)
    return {static_cast<uint16_t>(year),         static_cast<uint16_t>(month),
            static_cast<uint16_t>(dayOfWeek),    static_cast<uint16_t>(day),
            static_cast<uint16_t>(inDay / 3600), static_cast<uint16_t>(inDay / 60 % 60),
            static_cast<uint16_t>(inDay % 60),   static_cast<uint16_t>(ms % MS_PER_SECOND)};
}
