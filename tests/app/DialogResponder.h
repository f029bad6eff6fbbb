#pragma once

#include <QPointer>
#include <QStringList>
#include <QTimer>
#include <functional>

class QWidget;

/// Answers the modal dialogs a command opens while it runs: a timer looks for a new
/// active modal widget and hands it to `answer`, which presses one of its buttons.
/// `seen` lists each dialog's object name, and a message box's text after a ": ".
class DialogResponder {
public:
    using Answer = std::function<void(QWidget* dialog)>;

    explicit DialogResponder(Answer answer);

    QStringList seen;

    /// Presses the button of `dialog` named `name` (object name or message-box caption).
    static void Press(QWidget* dialog, const QString& name);

private:
    void Look();

    Answer m_answer;
    QTimer m_timer;
    QPointer<QWidget> m_last;
};
