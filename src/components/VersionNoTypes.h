#pragma once

/// Order of day, month and year in a compile date.
enum class TDateType { dmy, mdy, ymd };

/// File type written to the resource script.
enum class TVFileType { vftUnknown, vftApplication, vftDLL, vftDriver, vftFont, vftVirtualDev, vftStaticLib };

/// How the sub version is shown: as a number or as a lower-case letter (1 = a).
enum class TVerType { vtNumber, vtLetter };

/// Target system written to the resource script.
enum class TOSType { ostUnknown, ostWin3x, ostWin9x, ostWinNT, ostDOS, ostNT, ostWin16, ostWin32 };

/// Languages of the version block, in the order of their identifiers in LanguageId().
enum class TLangType {
    ltEnglish_US,
    ltEnglish_UK,
    ltDanish,
    ltDutch,
    ltDutch_Belgian,
    ltEnglish_Australian,
    ltEnglish_Canadian,
    ltEnglish_NZ,
    ltEnglish_Ireland,
    ltFinnish,
    ltFrench,
    ltFrench_Belgian,
    ltFrench_Canadian,
    ltFrench_Swiss,
    ltGerman,
    ltGerman_Swiss,
    ltGerman_Austrian,
    ltIcelandic,
    ltItalian,
    ltItalian_Swiss,
    ltNorwegian_Bokmal,
    ltNorwegian_Nynorsk,
    ltPortuguese_Brazilian,
    ltPortuguese,
    ltSwedish,
    ltSpanish_Trad,
    ltSpanish_Mexican,
    ltSpanish_Modern,
    ltTurkish,
    ltPolish,
    ltCzech,
    ltSlovak,
    ltHungarian,
    ltRussian,
    ltGreek,
    ltNeutral,
};

enum class TLangTypeShort { ltEnglish_US, ltEnglish_UK };
