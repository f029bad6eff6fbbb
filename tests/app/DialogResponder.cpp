#include "DialogResponder.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <gtest/gtest.h>

DialogResponder::DialogResponder(Answer answer)
    : m_answer(std::move(answer))
{
    QObject::connect(&m_timer, &QTimer::timeout, [this] { Look(); });
    m_timer.start(5);
}

void DialogResponder::Look()
{
    QWidget* dialog = QApplication::activeModalWidget();
    if (!dialog || dialog == m_last)
        return;
    m_last = dialog;
    auto* box = qobject_cast<QMessageBox*>(dialog);
    seen.append(box ? "QMessageBox: " + box->text() : dialog->objectName());
    // Answered from a timer of its own: a timer does not fire again while its handler
    // runs, and the answer may open a nested dialog that must be answered too.
    QPointer<QWidget> target(dialog);
    QTimer::singleShot(0, [this, target] {
        if (target)
            m_answer(target);
    });
}

void DialogResponder::Press(QWidget* dialog, const QString& name)
{
    for (QAbstractButton* button : dialog->findChildren<QAbstractButton*>()) {
        if (button->objectName() == name || QString(button->text()).remove('&') == name) {
            button->click();
            return;
        }
    }
    ADD_FAILURE() << "no button " << name.toStdString() << " in " << dialog->objectName().toStdString();
}
