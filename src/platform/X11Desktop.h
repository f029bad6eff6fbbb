#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

/// The X11 desktop as the keystroke sender sees it: top-level windows in their stacking
/// order and the active window from the window manager's EWMH properties, titles and
/// classes, bringing a window forward, and synthetic keys through the XTest extension.
/// One connection per object; used on one thread.
class X11Desktop {
public:
    using WindowId = unsigned long;

    /// Nothing without a reachable X display (a Wayland session without XWayland, say)
    /// or without the XTest extension.
    static std::unique_ptr<X11Desktop> Open();
    ~X11Desktop();
    X11Desktop(const X11Desktop&) = delete;
    X11Desktop& operator=(const X11Desktop&) = delete;

    WindowId Root() const;
    /// The managed top-level windows, the topmost first.
    std::vector<WindowId> StackingOrder() const;
    std::optional<WindowId> ActiveWindow() const;
    /// The EWMH title, else the ICCCM one; empty when there is none.
    std::string Title(WindowId window) const;
    /// The class part of WM_CLASS.
    std::string ClassName(WindowId window) const;
    bool IsShown(WindowId window) const;

    /// Maps the window if needed and asks the window manager to activate it; true once it
    /// is the active window (waits up to a second).
    bool Activate(WindowId window);
    /// Presses (down) or releases an X keysym; false when the keyboard has no key for it.
    bool SendKey(std::uint32_t keysym, bool down);
    void Flush();

private:
    struct Connection;
    explicit X11Desktop(std::unique_ptr<Connection> connection);
    std::unique_ptr<Connection> m_x;
};
