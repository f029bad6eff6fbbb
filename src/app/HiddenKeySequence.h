#pragma once

#include <Qt>

/// The hidden key sequence that opens the version information: with Ctrl and Alt held,
/// F12, then F11, then F10. Any other key press, F12 again included, starts it over.
class HiddenKeySequence {
public:
    /// Takes one key press; true when it completes the sequence.
    bool Press(int key, Qt::KeyboardModifiers modifiers);

private:
    bool m_keySeqArmed = false;
    bool m_keySeqSecond = false;
};
