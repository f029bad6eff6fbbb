#include "components/DateTimeFormat.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <ctime>

namespace {

constexpr std::array<std::string_view, 7> ShortDayNames { "Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat" };
constexpr std::array<std::string_view, 7> LongDayNames { "Sunday", "Monday", "Tuesday", "Wednesday",
    "Thursday", "Friday", "Saturday" };
constexpr std::array<std::string_view, 12> ShortMonthNames { "Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul",
    "Aug", "Sep", "Oct", "Nov", "Dec" };
constexpr std::array<std::string_view, 12> LongMonthNames { "January", "February", "March", "April", "May",
    "June", "July", "August", "September", "October", "November", "December" };

bool IsLeapYear(int year)
{
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysInMonth(int year, int month)
{
    constexpr std::array<int, 12> days { 31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31 };
    return month == 2 && IsLeapYear(year) ? 29 : days[static_cast<std::size_t>(month - 1)];
}

/// 0 = Sunday; valid for the Gregorian calendar.
int DayOfWeek(const CalendarDate& date)
{
    constexpr std::array<int, 12> offsets { 0, 3, 2, 5, 0, 3, 5, 1, 4, 6, 2, 4 };
    const int year = date.month < 3 ? date.year - 1 : date.year;
    return (year + year / 4 - year / 100 + year / 400 + offsets[static_cast<std::size_t>(date.month - 1)]
               + date.day)
        % 7;
}

std::string Padded(int value, std::size_t width)
{
    std::string digits = std::to_string(value);
    if (digits.size() < width)
        digits.insert(0, width - digits.size(), '0');
    return digits;
}

std::tm LocalNow()
{
    const std::time_t now = std::time(nullptr);
    std::tm local {};
    localtime_r(&now, &local);
    return local;
}

class Formatter {
public:
    Formatter(const CalendarDate& date, const ClockTime& time)
        : m_date(date)
        , m_time(time)
    {
    }

    std::string Run(std::string_view format)
    {
        std::size_t i = 0;
        while (i < format.size()) {
            const char c = format[i];
            const char code = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
            if (c == '\'' || c == '"') {
                const std::size_t close = format.find(c, i + 1);
                const std::size_t end = close == std::string_view::npos ? format.size() : close;
                m_out.append(format.substr(i + 1, end - i - 1));
                i = end == format.size() ? end : end + 1;
                continue;
            }
            std::size_t run = 1;
            while (
                i + run < format.size() && std::tolower(static_cast<unsigned char>(format[i + run])) == code)
                ++run;
            if (!Emit(code, run)) {
                m_out += c;
                run = 1;
            }
            i += run;
        }
        return m_out;
    }

private:
    /// Codes set whether an hour came last; literal text between them leaves that alone,
    /// so "h:m" shows minutes.
    bool Emit(char code, std::size_t run)
    {
        const bool afterHour = m_lastWasHour;
        if (code != 'h')
            m_lastWasHour = false;
        switch (code) {
        case 'd':
            EmitDay(run);
            return true;
        case 'm':
            if (afterHour)
                m_out += run == 1 ? std::to_string(m_time.minute) : Padded(m_time.minute, 2);
            else
                EmitMonth(run);
            return true;
        case 'y':
            m_out += run <= 2 ? Padded(m_date.year % 100, 2) : Padded(m_date.year, 4);
            return true;
        case 'h':
            m_out += run == 1 ? std::to_string(m_time.hour) : Padded(m_time.hour, 2);
            m_lastWasHour = true;
            return true;
        case 'n':
            m_out += run == 1 ? std::to_string(m_time.minute) : Padded(m_time.minute, 2);
            return true;
        case 's':
            m_out += run == 1 ? std::to_string(m_time.second) : Padded(m_time.second, 2);
            return true;
        case 'z':
            m_out += run < 3 ? "0" : "000";
            return true;
        case 't':
            m_out += std::to_string(m_time.hour) + ":" + Padded(m_time.minute, 2);
            if (run >= 2)
                m_out += ":" + Padded(m_time.second, 2);
            return true;
        default:
            m_lastWasHour = afterHour;
            return false;
        }
    }

    void EmitDay(std::size_t run)
    {
        const auto weekday = static_cast<std::size_t>(DayOfWeek(m_date));
        if (run == 1)
            m_out += std::to_string(m_date.day);
        else if (run == 2)
            m_out += Padded(m_date.day, 2);
        else if (run == 3)
            m_out += ShortDayNames[weekday];
        else
            m_out += LongDayNames[weekday];
    }

    void EmitMonth(std::size_t run)
    {
        const auto index = static_cast<std::size_t>(m_date.month - 1);
        if (run == 1)
            m_out += std::to_string(m_date.month);
        else if (run == 2)
            m_out += Padded(m_date.month, 2);
        else if (run == 3)
            m_out += ShortMonthNames[index];
        else
            m_out += LongMonthNames[index];
    }

    const CalendarDate& m_date;
    const ClockTime& m_time;
    std::string m_out;
    bool m_lastWasHour = false;
};

}

namespace DateTimeFormat {

bool IsValidDate(int year, int month, int day)
{
    return year >= 1 && year <= 9999 && month >= 1 && month <= 12 && day >= 1
        && day <= DaysInMonth(year, month);
}

bool IsValidTime(int hour, int minute, int second)
{
    return hour >= 0 && hour < 24 && minute >= 0 && minute < 60 && second >= 0 && second < 60;
}

std::string Format(std::string_view format, const CalendarDate& date, const ClockTime& time)
{
    return Formatter(date, time).Run(format);
}

CalendarDate Today()
{
    const std::tm now = LocalNow();
    return { now.tm_year + 1900, now.tm_mon + 1, now.tm_mday };
}

ClockTime Now()
{
    const std::tm now = LocalNow();
    return { now.tm_hour, now.tm_min, std::min(now.tm_sec, 59) };
}

}
