#include "components/TORBSendKeys.h"

#include "platform/DesktopExec.h"
#include "platform/ProgramStart.h"

#include <chrono>
#include <thread>

namespace {

constexpr auto RetryPause = std::chrono::milliseconds(50);
constexpr auto Settle = std::chrono::milliseconds(100);

std::string CutTitle(std::string title)
{
    title.resize(std::min(title.size(), SendKeysTarget::WindowTitleCapacity));
    return title;
}

}

bool TORBSendKeys::Execute(X11Desktop& desktop, ComponentHost& host, Clipboard& clipboard)
{
    TargetHandle.reset();
    TargetWindowTitle.clear();
    auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(std::max(TryTime, 0));
    std::optional<X11Desktop::WindowId> target = Search(desktop);
    while (!target && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(RetryPause);
        target = Search(desktop);
    }

    if (!target) {
        if (ShowErrors)
            host.ShowMessage(NotFoundMessage());
        std::optional<std::vector<std::string>> command = DesktopExec::Split(CommandLine);
        if (LaunchApp && command && StartProgram(*command)) {
            TargetHandle = desktop.ActiveWindow();
            if (TargetHandle)
                TargetWindowTitle = CutTitle(desktop.Title(*TargetHandle));
        }
        Notify(OnNotFound);
        return false;
    }

    TargetHandle = target;
    TargetWindowTitle = CutTitle(desktop.Title(*target));
    if (!desktop.Activate(*target)) {
        Notify(OnNotFound);
        return false;
    }
    std::this_thread::sleep_for(2 * Settle);
    Notify(OnBeforeSend);
    PlayWithPaste(desktop, KeyStrokes, clipboard, PasteCapacity);
    Notify(OnAfterSend);
    return true;
}

std::optional<X11Desktop::WindowId> TORBSendKeys::Search(const X11Desktop& desktop) const
{
    switch (TargetTitleType) {
    case TTCTypes::tcDesktop:
        return desktop.Root();
    case TTCTypes::tcThisWindow:
        return desktop.ActiveWindow();
    case TTCTypes::tcCharPos:
    case TTCTypes::tcWhole:
    case TTCTypes::tcPart:
    case TTCTypes::tcStart:
    case TTCTypes::tcEnd:
        break;
    }
    std::vector<X11Desktop::WindowId> windows = desktop.StackingOrder();
    if (!TargetClass.empty()) {
        // A class search wants the exact title, whatever the title type says.
        std::string className = TargetClass.substr(0, ClassCapacity);
        std::string title = TargetTitle.substr(0, TitleCapacity);
        for (X11Desktop::WindowId window : windows) {
            if (desktop.ClassName(window) == className && (title.empty() || desktop.Title(window) == title))
                return window;
        }
        return std::nullopt;
    }
    return SearchBesideActive(
        desktop, [&](X11Desktop::WindowId window) { return TitleMatches(desktop.Title(window)); });
}

void TORBSendKeys::Notify(const NotifyEvent& event)
{
    if (event)
        event(*this);
}
