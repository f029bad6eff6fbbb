#pragma once

#include <QPixmap>

/// The about box's pictures, drawn rather than loaded, like the logo.
namespace AboutArt {

/// Faint chain links across a transparent ground, so the window's colour shows through.
QPixmap Background(QSize size);
/// The product's name set as a word mark, `height` pixels high.
QPixmap WordMark(int height);

}
