#include "app/HiddenKeySequence.h"

bool HiddenKeySequence::Press(int key, Qt::KeyboardModifiers modifiers)
{
    // Pressing Ctrl or Alt themselves is part of holding them down.
    if (key == Qt::Key_Control || key == Qt::Key_Alt)
        return false;
    bool held = (modifiers & Qt::ControlModifier) && (modifiers & Qt::AltModifier);
    if (held && key == Qt::Key_F12 && !m_keySeqArmed) {
        m_keySeqArmed = true;
        return false;
    }
    if (held && key == Qt::Key_F11 && m_keySeqArmed && !m_keySeqSecond) {
        m_keySeqSecond = true;
        return false;
    }
    bool complete = held && key == Qt::Key_F10 && m_keySeqSecond;
    m_keySeqArmed = false;
    m_keySeqSecond = false;
    return complete;
}
