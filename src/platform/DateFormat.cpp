#include "platform/DateFormat.h"

#include <cstdio>
#include <iterator>
#include <sstream>
#include <stdexcept>

namespace DateFormat {

namespace {

    std::string Name(const std::tm& moment, const std::locale& locale, char conversion)
    {
        std::ostringstream out;
        out.imbue(locale);
        std::use_facet<std::time_put<char>>(locale).put(
            std::ostreambuf_iterator<char>(out), out, ' ', &moment, conversion);
        return out.str();
    }

    std::string Number(int value, int digits)
    {
        char text[16];
        std::snprintf(text, sizeof text, "%0*d", digits, value);
        return text;
    }

    int Digits(std::size_t letters)
    {
        return letters >= 2 ? 2 : 1;
    }

    std::string Field(char letter, std::size_t count, const std::tm& moment, const std::locale& locale)
    {
        switch (letter) {
        case 'd':
            if (count >= 4)
                return Name(moment, locale, 'A');
            if (count == 3)
                return Name(moment, locale, 'a');
            return Number(moment.tm_mday, Digits(count));
        case 'm':
            if (count >= 4)
                return Name(moment, locale, 'B');
            if (count == 3)
                return Name(moment, locale, 'b');
            return Number(moment.tm_mon + 1, Digits(count));
        case 'y': {
            int year = moment.tm_year + 1900;
            return count <= 2 ? Number(year % 100, 2) : Number(year, 4);
        }
        case 'h':
            return Number(moment.tm_hour, Digits(count));
        case 'n':
            return Number(moment.tm_min, Digits(count));
        case 's':
            return Number(moment.tm_sec, Digits(count));
        }
        // Not a field letter: it stands for itself.
        return std::string(count, letter);
    }

}

std::string Format(const std::string& pattern, const std::tm& moment, const std::locale& locale)
{
    std::string out;
    for (std::size_t i = 0; i < pattern.size();) {
        std::size_t run = 1;
        while (i + run < pattern.size() && pattern[i + run] == pattern[i])
            ++run;
        out += Field(pattern[i], run, moment, locale);
        i += run;
    }
    return out;
}

std::tm LocalTime(std::time_t moment)
{
    std::tm local {};
    localtime_r(&moment, &local);
    return local;
}

void UseSystemLanguage()
{
    try {
        // Only the time category is taken, so number formats (the "%.1f" of the report's
        // total time) keep their decimal point whatever the user's language.
        std::locale::global(std::locale(std::locale(), std::locale(""), std::locale::time));
    } catch (const std::runtime_error&) {
    }
}

}
