#include "components/WebLink.h"

#include "components/DefaultProgramStart.h"
#include "components/MailAddress.h"

namespace {

constexpr const char* NoBrowser = "Can't find default browser.";
constexpr const char* NoMailProgram = "Can't find default e-mail program.";

}

void WebLink::GoToURL(ComponentHost& host, const XdgFolders& folders, std::string_view address) const
{
    std::string target = address.empty() ? URL : std::string(address);
    switch (ServiceType) {
    case TServType::svHTTP:
        if (StartDefaultProgram(DefaultProgram::Browser, target, folders) == StartResult::NotFound)
            host.ShowMessage(NoBrowser);
        return;
    case TServType::svMAIL:
        std::string mail = ComposeMailAddress(target, Subject, Body, MailBodyEncoding::LinkText);
        if (StartDefaultProgram(DefaultProgram::Mail, mail, folders) == StartResult::NotFound)
            host.ShowMessage(NoMailProgram);
        return;
    }
}

bool TEMailCreator::Execute(ComponentHost& host, const XdgFolders& folders) const
{
    MailBodyEncoding encoding = URLEncode ? MailBodyEncoding::ComposerUrlEncoded : MailBodyEncoding::Composer;
    std::string mail = ComposeMailAddress(Address, Subject, Body, encoding);
    StartResult result = StartDefaultProgram(DefaultProgram::Mail, mail, folders);
    if (result == StartResult::NotFound)
        host.ShowMessage(NoMailProgram);
    return result == StartResult::Started;
}
