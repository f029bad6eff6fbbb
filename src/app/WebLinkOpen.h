#pragma once

#include "components/WebLink.h"

#include <QString>

class QWidget;

/// Opens the link of a hyperlink label or button: `address`, or the link's own URL when
/// it is empty. The default programs are looked up afresh from the environment at each
/// click, so a program chosen while the window is open is used; a missing one is told in
/// a message box over `parent`.
void OpenWebLink(const WebLink& link, QWidget* parent, const QString& address);
