#include "app/WindowPlacement.h"

#include "app/SettingsStore.h"

#include <algorithm>

WindowPlacement WindowPlacement::Load(const SettingsStore& store, const QRect& screen)
{
    std::optional<int> left = store.Integer("Left");
    std::optional<int> top = store.Integer("Top");
    std::optional<int> height = store.Integer("Height");
    std::optional<int> width = store.Integer("Width");

    QRect r(screen.left() + (screen.width() - DefaultWidth) / 2,
        screen.top() + (screen.height() - DefaultHeight) / 2, DefaultWidth, DefaultHeight);
    if (!left && !top && !height && !width) {
        if (screen.height() < 480)
            r.moveTop(screen.top());
    }
    if (left)
        r.moveLeft(*left);
    if (top)
        r.moveTop(*top);
    // A size that is not positive would open an invisible window.
    if (height > 0)
        r.setHeight(*height);
    if (width > 0)
        r.setWidth(*width);
    r.setWidth(std::min(r.width(), screen.width()));
    r.setHeight(std::min(r.height(), screen.height()));
    return { r, store.Flag("Maximized").value_or(false) };
}

void WindowPlacement::Save(SettingsStore& store, const QRect& geometry, bool maximized)
{
    store.WriteFlag("Maximized", maximized);
    if (maximized)
        return;
    store.WriteInteger("Left", geometry.left());
    store.WriteInteger("Top", geometry.top());
    store.WriteInteger("Width", geometry.width());
    store.WriteInteger("Height", geometry.height());
}
