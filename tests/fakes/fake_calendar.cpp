#include "fake_calendar.h"

namespace {

constexpr std::int64_t kSecondsPerDay = 86400;
constexpr std::int64_t kDaysFrom1601To1970 = 134774;

// Days since 1970-01-01 of a proleptic Gregorian date, and back (the classic
// era-based conversion, exact for every date a FILETIME can hold).
std::int64_t DaysFromCivil(std::int64_t year, unsigned month, unsigned day) {
    year -= month <= 2;
    const std::int64_t era = (year >= 0 ? year : year - 399) / 400;
    const unsigned yearOfEra = static_cast<unsigned>(year - era * 400);
    const unsigned dayOfYear = (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1;
    const unsigned dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

void CivilFromDays(std::int64_t days, std::int64_t& year, unsigned& month, unsigned& day) {
    days += 719468;
    const std::int64_t era = (days >= 0 ? days : days - 146096) / 146097;
    const unsigned dayOfEra = static_cast<unsigned>(days - era * 146097);
    const unsigned yearOfEra =
        (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const unsigned dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const unsigned shiftedMonth = (5 * dayOfYear + 2) / 153;
    day = dayOfYear - (153 * shiftedMonth + 2) / 5 + 1;
    month = shiftedMonth < 10 ? shiftedMonth + 3 : shiftedMonth - 9;
    year = static_cast<std::int64_t>(yearOfEra) + era * 400 + (month <= 2);
}

} // namespace

std::uint64_t TicksOf(const FileTime& time) {
    return (static_cast<std::uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

FileTime FileTimeOf(std::uint64_t ticks) {
    return {static_cast<std::uint32_t>(ticks), static_cast<std::uint32_t>(ticks >> 32)};
}

bool SplitFileTime(const FileTime& time, SystemTime& systemTime) {
    const std::uint64_t ticks = TicksOf(time);
    if (ticks >> 63)
        return false;
    const std::int64_t seconds = static_cast<std::int64_t>(ticks / kTicksPerSecond);
    const std::int64_t days = seconds / kSecondsPerDay;
    const std::int64_t secondOfDay = seconds % kSecondsPerDay;
    std::int64_t year;
    unsigned month, day;
    CivilFromDays(days - kDaysFrom1601To1970, year, month, day);
    systemTime.wYear = static_cast<std::uint16_t>(year);
    systemTime.wMonth = static_cast<std::uint16_t>(month);
    systemTime.wDayOfWeek = static_cast<std::uint16_t>((days + 1) % 7); // 1601-01-01 was a Monday
    systemTime.wDay = static_cast<std::uint16_t>(day);
    systemTime.wHour = static_cast<std::uint16_t>(secondOfDay / 3600);
    systemTime.wMinute = static_cast<std::uint16_t>(secondOfDay / 60 % 60);
    systemTime.wSecond = static_cast<std::uint16_t>(secondOfDay % 60);
    systemTime.wMilliseconds = static_cast<std::uint16_t>(ticks % kTicksPerSecond / 10000);
    return true;
}

FileTime FileTimeFromDate(int year, int month, int day, int hour, int minute, int second,
                          int milliseconds) {
    const std::int64_t days =
        DaysFromCivil(year, static_cast<unsigned>(month), static_cast<unsigned>(day)) +
        kDaysFrom1601To1970;
    const std::int64_t seconds = days * kSecondsPerDay + hour * 3600 + minute * 60 + second;
    return FileTimeOf(
        static_cast<std::uint64_t>(seconds * kTicksPerSecond + std::int64_t{milliseconds} * 10000));
}
