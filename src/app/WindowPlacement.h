#pragma once

#include <QRect>
#include <optional>

class SettingsStore;

/// Where the main window opens: the stored edges and size where present, otherwise
/// 640 x 470 centred on the screen; never larger than the screen.
struct WindowPlacement {
    QRect geometry;
    bool maximized = false;

    static constexpr int DefaultWidth = 640;
    static constexpr int DefaultHeight = 470;

    static WindowPlacement Load(const SettingsStore& store, const QRect& screen);
    /// Written when the window closes outside a run. A maximized window keeps the
    /// placement it had before, so leaving the maximized state restores it.
    static void Save(SettingsStore& store, const QRect& geometry, bool maximized);
};
