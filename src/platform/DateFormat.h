#pragma once

#include <ctime>
#include <locale>
#include <string>

/// Date and time patterns as the reports write them: "d" day, "m" month, "yy"/"yyyy" year,
/// "h" hours (24-hour clock), "n" minutes, "s" seconds; a letter once gives the number
/// without a leading zero, twice with two digits; "ddd"/"dddd" give the short/long day name
/// and "mmm"/"mmmm" the short/long month name. Every other character stands for itself.
/// Day and month names come from the time facet of `locale`; in the classic "C" locale they
/// are English.
namespace DateFormat {

std::string Format(
    const std::string& pattern, const std::tm& moment, const std::locale& locale = std::locale());

/// The broken-down local time of `moment`.
std::tm LocalTime(std::time_t moment);

/// Makes the process's global C++ locale take its day and month names from the user's
/// environment (LANG, LC_TIME, LC_ALL), leaving number formats alone.
/// An environment naming a locale the system lacks keeps the current locale.
void UseSystemLanguage();

}
