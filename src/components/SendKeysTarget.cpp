#include "components/SendKeysTarget.h"

bool SendKeysTarget::TitleMatches(std::string_view windowTitle) const
{
    std::string_view title = windowTitle.substr(0, WindowTitleCapacity);
    std::string_view text = std::string_view(TargetTitle).substr(0, TitleCapacity);
    std::size_t found = text.empty() ? std::string_view::npos : title.find(text);
    if (found == std::string_view::npos)
        return false;
    std::size_t position = found + 1;
    switch (TargetTitleType) {
    case TTCTypes::tcDesktop:
    case TTCTypes::tcThisWindow:
        return false;
    case TTCTypes::tcCharPos:
        return position == static_cast<std::size_t>(TitleStart);
    case TTCTypes::tcWhole:
        return position == 1 && title.size() == text.size();
    case TTCTypes::tcPart:
        return true;
    case TTCTypes::tcStart:
        return position == 1;
    case TTCTypes::tcEnd:
        return position == title.size() - text.size() + 1;
    }
    return false;
}

std::string SendKeysTarget::NotFoundMessage() const
{
    if (TargetTitleType == TTCTypes::tcDesktop)
        return "SendKeys can't find Desktop window";
    if (TargetTitleType == TTCTypes::tcThisWindow)
        return "SendKeys can't get handle for current window";
    std::string className = TargetClass.substr(0, ClassCapacity);
    std::string title = TargetTitle.substr(0, TitleCapacity);
    std::string message = "SendKeys can't find ";
    if (!className.empty()) {
        message += "window class \"" + className + "\"";
        if (!title.empty())
            message += " or ";
    }
    if (title.empty())
        return message;
    bool openStart = TargetTitleType == TTCTypes::tcPart || TargetTitleType == TTCTypes::tcEnd;
    bool openEnd = TargetTitleType == TTCTypes::tcPart || TargetTitleType == TTCTypes::tcStart;
    message
        += "window titled \"" + std::string(openStart ? "..." : "") + title + (openEnd ? "..." : "") + "\"";
    if (LaunchApp)
        message += ". SendKeys will launch program.";
    return message;
}

std::optional<std::size_t> SearchAroundForeground(
    std::size_t count, std::optional<std::size_t> foreground, const std::function<bool(std::size_t)>& matches)
{
    if (!foreground) {
        for (std::size_t i = 0; i < count; ++i) {
            if (matches(i))
                return i;
        }
        return std::nullopt;
    }
    for (std::size_t i = *foreground; i-- > 0;) {
        if (matches(i))
            return i;
    }
    for (std::size_t i = *foreground + 1; i < count; ++i) {
        if (matches(i))
            return i;
    }
    return std::nullopt;
}
