#pragma once

#include <QPixmap>

/// The program's logo, `size` pixels square: two chain links and a tick on the window's
/// colour. It is drawn rather than loaded, so it needs no image plugin; the installed
/// icon (resources/tarvik.svg) shows the same picture.
QPixmap LogoPixmap(int size);
