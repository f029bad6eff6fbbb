#include "components/TVersionNo.h"

#include <array>

namespace {

// Indexed by TLangType.
constexpr std::array<int, 36> LanguageIds { 1033, 2057, 1030, 1043, 2067, 3081, 4105, 5129, 6153, 1035, 1036,
    2060, 3084, 4108, 1031, 2055, 3079, 1039, 1040, 2064, 1044, 2068, 1046, 2070, 1053, 1034, 2058, 3082,
    1055, 1045, 1029, 1051, 1038, 1049, 1032, 0 };

}

TVersionNo::TVersionNo(ComponentHost& host)
    : VersionNoBase(Variant::Full, host)
{
    SetLanguageId(LanguageId(m_language));
}

void TVersionNo::SetLanguage(TLangType value)
{
    m_language = value;
    SetLanguageId(LanguageId(value));
}

int TVersionNo::LanguageId(TLangType language)
{
    return LanguageIds[static_cast<std::size_t>(language)];
}
