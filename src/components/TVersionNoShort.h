#pragma once

#include "components/ComponentHost.h"
#include "components/VersionNoBase.h"

/// The version number component of the main window: two languages, letter sub versions
/// by default, and an internal reference number written into the script's comments.
class TVersionNoShort : public VersionNoBase {
public:
    explicit TVersionNoShort(ComponentHost& host = ComponentHost::Default());

    int VerCompileNumber() const { return CompileNumber(); }
    void SetVerCompileNumber(int value) { SetCompileNumber(value); }

    TLangTypeShort Language() const { return m_language; }
    void SetLanguage(TLangTypeShort value);

private:
    TLangTypeShort m_language = TLangTypeShort::ltEnglish_UK;
};
