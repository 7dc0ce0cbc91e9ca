// FILETIME arithmetic on the real calendar: 100-nanosecond ticks since
// 1601-01-01 00:00:00, proleptic Gregorian, as Win32 counts them.
#pragma once
#include "records.h"
#include <cstdint>

constexpr std::int64_t kTicksPerSecond = 10000000;

std::uint64_t TicksOf(const FileTime& time);
FileTime FileTimeOf(std::uint64_t ticks);

// FileTimeToSystemTime: false for times with the top bit set, as Win32.
bool SplitFileTime(const FileTime& time, SystemTime& systemTime);

// The FILETIME of a calendar date and time (for setting up fake files).
FileTime FileTimeFromDate(int year, int month, int day, int hour, int minute, int second,
                          int milliseconds = 0);
