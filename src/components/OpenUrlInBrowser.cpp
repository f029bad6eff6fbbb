#include "components/OpenUrlInBrowser.h"

#include "components/BrowserHandOff.h"
#include "platform/ProgramStart.h"

void OpenUrlInBrowser(std::string_view link, bool onlineMode, std::string_view baseHRef,
    const XdgFolders& folders, Clipboard& clipboard)
{
    std::optional<BrowserHandOff::Plan> plan
        = BrowserHandOff::PlanHandOff(link, onlineMode, baseHRef, folders);
    if (!plan)
        return;
    if (!plan->windowTitle.empty()) {
        if (std::unique_ptr<X11Desktop> desktop = X11Desktop::Open()) {
            if (std::optional<X11Desktop::WindowId> window = FindWindowByTitle(*desktop, plan->windowTitle)) {
                SendKeysWithPaste(*desktop, *window, plan->keyString, clipboard);
                return;
            }
        }
    }
    StartProgram(plan->commandLine);
}
