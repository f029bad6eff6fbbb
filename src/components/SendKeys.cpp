#include "components/SendKeys.h"

#include "components/KeyPlayback.h"
#include "components/PasteSteps.h"
#include "components/SendKeysTarget.h"
#include "platform/X11KeySyms.h"

#include <chrono>
#include <thread>

namespace {

constexpr std::size_t HandOffClipboardCapacity = 4999;

void Settle()
{
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
}

}

KeyStringResult SendKeyString(std::string_view keys)
{
    std::unique_ptr<X11Desktop> desktop = X11Desktop::Open();
    if (!desktop)
        return KeyStringResult::NoPlayback;
    return SendKeyString(*desktop, keys);
}

KeyStringResult SendKeyString(X11Desktop& desktop, std::string_view keys)
{
    std::vector<std::uint8_t> codes;
    KeyStringResult result = KeyString::Parse(keys, codes);
    if (result != KeyStringResult::Ok)
        return result;
    for (const KeyEvent& event : KeyPlaybackEvents(codes)) {
        // A key the X keyboard lacks is left out; its modifiers still balance.
        if (std::optional<std::uint32_t> keysym = KeysymOfVirtualKey(event.code))
            desktop.SendKey(*keysym, event.down);
    }
    desktop.Flush();
    return KeyStringResult::Ok;
}

std::optional<X11Desktop::WindowId> SearchBesideActive(
    const X11Desktop& desktop, const std::function<bool(X11Desktop::WindowId)>& matches)
{
    std::vector<X11Desktop::WindowId> windows = desktop.StackingOrder();
    std::optional<X11Desktop::WindowId> active = desktop.ActiveWindow();
    std::optional<std::size_t> foreground;
    for (std::size_t i = 0; i < windows.size(); ++i) {
        if (windows[i] == active)
            foreground = i;
    }
    std::optional<std::size_t> found = SearchAroundForeground(
        windows.size(), foreground, [&](std::size_t i) { return matches(windows[i]); });
    if (!found)
        return std::nullopt;
    return windows[*found];
}

std::optional<X11Desktop::WindowId> FindWindowByTitle(const X11Desktop& desktop, std::string_view text)
{
    return SearchBesideActive(desktop, [&](X11Desktop::WindowId window) {
        std::string title = desktop.Title(window).substr(0, SendKeysTarget::WindowTitleCapacity);
        return !title.empty() && desktop.IsShown(window) && title.find(text) != std::string::npos;
    });
}

void PlayWithPaste(
    X11Desktop& desktop, std::string_view keys, Clipboard& clipboard, std::size_t clipboardCapacity)
{
    for (const PasteStep& step : PasteSteps(keys, clipboardCapacity)) {
        switch (step.kind) {
        case PasteStep::Kind::SetClipboard:
            clipboard.SetText(step.text);
            break;
        case PasteStep::Kind::PlayKeys:
            SendKeyString(desktop, step.text);
            if (step.text == "^v")
                clipboard.AwaitPaste();
            break;
        }
    }
}

bool SendKeysWithPaste(
    X11Desktop& desktop, X11Desktop::WindowId window, std::string_view keys, Clipboard& clipboard)
{
    if (!desktop.Activate(window))
        return false;
    Settle();
    Settle();
    PlayWithPaste(desktop, keys, clipboard, HandOffClipboardCapacity);
    return true;
}
