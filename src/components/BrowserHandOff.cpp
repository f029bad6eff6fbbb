#include "components/BrowserHandOff.h"

#include "components/AddressText.h"
#include "platform/CaseFold.h"
#include "platform/DefaultPrograms.h"
#include "platform/DesktopExec.h"

bool BrowserHandOff::CanOpenUrl(std::string_view link, bool onlineMode)
{
    return onlineMode || link.find("http://") != std::string_view::npos
        || link.find("ftp://") != std::string_view::npos;
}

std::optional<std::string> BrowserHandOff::AddressToOpen(
    std::string_view link, bool onlineMode, std::string_view baseHRef)
{
    if (AddressText::IsScript(link))
        return std::nullopt;
    if (!onlineMode || !AddressText::SchemeOf(link).empty())
        return std::string(link);
    if (link.empty() || link.front() == '#')
        return std::nullopt;
    if (link.substr(0, 2) == "//") {
        std::string_view scheme = AddressText::SchemeOf(baseHRef);
        return std::string(scheme.empty() ? "http" : scheme) + ":" + std::string(link);
    }
    return std::string(baseHRef) + std::string(link);
}

std::optional<BrowserHandOff::Plan> BrowserHandOff::PlanHandOff(
    std::string_view link, bool onlineMode, std::string_view baseHRef, const XdgFolders& folders)
{
    std::optional<std::string> address = AddressToOpen(link, onlineMode, baseHRef);
    if (!address)
        return std::nullopt;
    std::optional<std::string> argument = AddressText::AsArgument(*address, AddressText::DashForm::LocalPath);
    std::optional<std::vector<std::string>> command
        = DefaultPrograms::Command(DefaultProgram::Browser, folders);
    if (!argument || !command)
        return std::nullopt;
    Plan plan;
    plan.commandLine = DesktopExec::Expand(*command, *argument);
    std::string joined;
    for (const std::string& part : plan.commandLine)
        joined += part + " ";
    joined = CaseFold::LowerCase(joined);
    if (joined.find("iexplore") != std::string::npos)
        plan.windowTitle = "Internet Explorer";
    else if (joined.find("netscap") != std::string::npos)
        plan.windowTitle = "Netscape";
    plan.keyString = "^o{p}" + *address + "{/p}{enter}";
    return plan;
}
