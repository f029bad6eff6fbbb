#include "platform/DateFormat.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <iterator>

namespace {

std::tm Moment(int year, int month, int day, int weekDay, int hour, int minute, int second)
{
    std::tm t {};
    t.tm_year = year - 1900;
    t.tm_mon = month - 1;
    t.tm_mday = day;
    t.tm_wday = weekDay;
    t.tm_hour = hour;
    t.tm_min = minute;
    t.tm_sec = second;
    return t;
}

/// A time facet that names days and months in German, as a system locale would.
class GermanNames : public std::time_put<char> {
protected:
    iter_type do_put(
        iter_type out, std::ios_base&, char_type, const std::tm* t, char format, char) const override
    {
        static const char* const shortDays[] = { "So", "Mo", "Di", "Mi", "Do", "Fr", "Sa" };
        static const char* const months[] = { "Januar", "Februar", "M\xc3\xa4rz", "April", "Mai", "Juni",
            "Juli", "August", "September", "Oktober", "November", "Dezember" };
        std::string name = format == 'a' ? shortDays[t->tm_wday] : format == 'B' ? months[t->tm_mon] : "?";
        return std::copy(name.begin(), name.end(), out);
    }
};

}

TEST(DateFormat, PatternsInTheClassicLocale)
{
    struct Case {
        const char* pattern;
        std::tm moment;
        const char* expected;
    };
    const Case cases[] = {
        { "ddd d mmmm yyyy", Moment(2026, 12, 8, 2, 9, 5, 7), "Tue 8 December 2026" },
        { "ddd d mmmm yyyy", Moment(2001, 3, 14, 3, 22, 48, 35), "Wed 14 March 2001" },
        { "hh:nn", Moment(2026, 12, 8, 2, 9, 5, 7), "09:05" },
        { "hh:nn", Moment(2026, 12, 8, 2, 0, 0, 0), "00:00" },
        { "hh:nn", Moment(2026, 12, 8, 2, 23, 59, 0), "23:59" },
        { "hh:nn:ss", Moment(2001, 3, 14, 3, 22, 48, 35), "22:48:35" },
        { "d-m-yy", Moment(2001, 3, 14, 3, 22, 48, 35), "14-3-01" },
        { "d mmm yyyy", Moment(2000, 1, 1, 6, 0, 0, 0), "1 Jan 2000" },
        { "dddd dd/mm yyyy", Moment(2000, 1, 1, 6, 0, 0, 0), "Saturday 01/01 2000" },
        { "yyyy", Moment(999, 1, 1, 0, 0, 0, 0), "0999" },
        { "h:n:s", Moment(2026, 12, 8, 2, 7, 5, 3), "7:5:3" },
        { "at x", Moment(2026, 12, 8, 2, 7, 5, 3), "at x" },
    };
    for (const Case& c : cases)
        EXPECT_EQ(DateFormat::Format(c.pattern, c.moment, std::locale::classic()), c.expected) << c.pattern;
}

TEST(DateFormat, NamesComeFromTheGlobalLocaleOfTheProcess)
{
    std::locale german(std::locale::classic(), new GermanNames);
    std::tm moment = Moment(2026, 3, 8, 0, 14, 30, 0);
    EXPECT_EQ(DateFormat::Format("ddd d mmmm yyyy", moment, german), "So 8 M\xc3\xa4rz 2026");

    std::locale previous = std::locale::global(german);
    std::string byDefault = DateFormat::Format("ddd d mmmm yyyy", moment);
    std::locale::global(previous);
    EXPECT_EQ(byDefault, "So 8 M\xc3\xa4rz 2026");
}

TEST(DateFormat, UnknownSystemLanguageKeepsTheCurrentLocale)
{
    const char* saved = std::getenv("LC_ALL");
    std::string savedValue = saved ? saved : "";
    setenv("LC_ALL", "xx_NOWHERE.UTF-8", 1);
    DateFormat::UseSystemLanguage();
    if (saved)
        setenv("LC_ALL", savedValue.c_str(), 1);
    else
        unsetenv("LC_ALL");
    EXPECT_EQ(DateFormat::Format("ddd mmmm", Moment(2026, 12, 8, 2, 0, 0, 0)), "Tue December");
}
