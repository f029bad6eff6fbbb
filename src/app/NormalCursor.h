#pragma once

#include <QApplication>

/// While it lives, the busy cursor of a run gives way to the normal one: a question
/// waits for the user, not for the run.
class NormalCursor {
public:
    NormalCursor() { QApplication::setOverrideCursor(Qt::ArrowCursor); }
    ~NormalCursor() { QApplication::restoreOverrideCursor(); }
    NormalCursor(const NormalCursor&) = delete;
    NormalCursor& operator=(const NormalCursor&) = delete;
};
