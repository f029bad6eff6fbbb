#include "components/TVersionNoShort.h"

namespace {

int LanguageId(TLangTypeShort language)
{
    switch (language) {
    case TLangTypeShort::ltEnglish_US:
        return 1033;
    case TLangTypeShort::ltEnglish_UK:
        return 2057;
    }
    return 0;
}

}

TVersionNoShort::TVersionNoShort(ComponentHost& host)
    : VersionNoBase(Variant::Short, host)
{
    SetLanguageId(LanguageId(m_language));
}

void TVersionNoShort::SetLanguage(TLangTypeShort value)
{
    m_language = value;
    SetLanguageId(LanguageId(value));
}
