#pragma once

#include "components/ComponentHost.h"
#include "components/VersionNoBase.h"

/// The version number component with the full list of languages.
class TVersionNo : public VersionNoBase {
public:
    explicit TVersionNo(ComponentHost& host = ComponentHost::Default());

    TLangType Language() const { return m_language; }
    void SetLanguage(TLangType value);

    /// The Windows language identifier of each TLangType.
    static int LanguageId(TLangType language);

private:
    TLangType m_language = TLangType::ltEnglish_UK;
};
