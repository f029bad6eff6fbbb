#pragma once

#include <string_view>

enum class PrintStyle { Regular, Bold, BoldItalic };
enum class PrintInk { Black, Gray };

struct TextSize {
    int width = 0;
    int height = 0;
};

/// What the grid printout needs of a printer page, in device units with y growing
/// downwards. The front end implements it on its printer (one font family and size, three
/// styles); tests implement it on a recorder. The document is begun before the first call
/// and ended after the last by the caller.
class PrintCanvas {
public:
    virtual ~PrintCanvas() = default;

    virtual int PageWidth() const = 0;
    virtual int PageHeight() const = 0;
    /// The height is the line height of the style, also for an empty text.
    virtual TextSize TextExtent(std::string_view text, PrintStyle style) = 0;
    /// (x, y) is the top left corner of the text.
    virtual void DrawText(int x, int y, std::string_view text, PrintStyle style, PrintInk ink) = 0;
    virtual void DrawRule(int y, int fromX, int toX, int thickness) = 0;
    virtual void NewPage() = 0;
};
