#pragma once

#include "components/WebLink.h"

#include <QPixmap>

/// The hyperlink button's picture, `size` pixels square: a globe for a web address, an
/// envelope for a mail address. Drawn, like the logo, so it needs no image files.
QPixmap LinkGlyph(TServType type, int size);
