#pragma once

#include <string>

/// A label a component keeps showing one of its texts (a version component's label
/// text, for example); the GUI implements it on a widget.
class CaptionLabel {
public:
    virtual ~CaptionLabel() = default;
    virtual void SetCaption(const std::string& text) = 0;
};
