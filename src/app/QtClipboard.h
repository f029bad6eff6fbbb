#pragma once

#include "components/SendKeys.h"

#include <memory>

/// The system clipboard, through Qt. On X11 this program owns the selection and hands the
/// text over only when the pasting window asks for it, which needs this program's event
/// loop: a paste is therefore waited for, with the events processed meanwhile.
class QtClipboard : public Clipboard {
public:
    void SetText(const std::string& text) override;
    void AwaitPaste() override;

private:
    /// Set once the pasting window has read the text last set; shared with the clipboard's
    /// copy of it, which outlives this object.
    std::shared_ptr<bool> m_read = std::make_shared<bool>(false);
};
