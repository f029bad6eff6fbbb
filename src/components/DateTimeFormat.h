#pragma once

#include <string>
#include <string_view>

struct CalendarDate {
    int year = 1899;
    int month = 12;
    int day = 30;
};

struct ClockTime {
    int hour = 0;
    int minute = 0;
    int second = 0;
};

/// Date-time texts by format pattern, with English day and month names whatever the
/// machine's locale. Codes (letters in either case): d, dd, ddd (Mon), dddd (Monday),
/// m, mm, mmm (Jan), mmmm (January), yy, yyyy, h, hh, n, nn, s, ss, z, zzz, t (h:nn),
/// tt (h:nn:ss), and m or mm right after an hour code for minutes; "/" and ":" print
/// themselves; text in single or double quotes is copied; anything else is copied.
namespace DateTimeFormat {

bool IsValidDate(int year, int month, int day);
bool IsValidTime(int hour, int minute, int second);

std::string Format(std::string_view format, const CalendarDate& date, const ClockTime& time);

/// The machine's local date and time, for values that default to "now".
CalendarDate Today();
ClockTime Now();

}
