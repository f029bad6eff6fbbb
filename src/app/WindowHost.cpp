#include "app/WindowHost.h"

#include "app/NormalCursor.h"
#include "app/QtText.h"
#include "app/TMsgForm.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QWidget>

namespace {

QString MessageText(const std::string& text)
{
    return ShownText(text).replace("\r\n", "\n");
}

}

WindowHost::WindowHost(QWidget* window, std::function<void()> showModels)
    : m_window(window)
    , m_showModels(std::move(showModels))
{
}

void WindowHost::ProcessMessages()
{
    auto now = std::chrono::steady_clock::now();
    if (now - m_lastPump < PumpInterval)
        return;
    m_lastPump = now;
    if (now - m_lastShow >= ShowInterval) {
        m_lastShow = now;
        m_showModels();
    }
    QApplication::processEvents();
}

bool WindowHost::AskYesNo(const std::string& question)
{
    if (m_closing)
        return false;
    m_showModels();
    NormalCursor cursor;
    return QMessageBox::question(
               m_window, "Tarvik", MessageText(question), QMessageBox::Yes | QMessageBox::No)
        == QMessageBox::Yes;
}

RunHost::YesAllNo WindowHost::AskYesAllNo(const std::string& question)
{
    m_showModels();
    NormalCursor cursor;
    TMsgForm form(MessageText(question), m_window);
    form.setPalette(m_window->palette());
    form.exec();
    switch (form.answer()) {
    case TMsgForm::YesToAll:
        return YesAllNo::YesToAll;
    case TMsgForm::No:
        return YesAllNo::No;
    case TMsgForm::NoAnswer:
    case TMsgForm::Yes:
        return YesAllNo::Yes;
    }
    return YesAllNo::Yes;
}

void WindowHost::ShowMessage(const std::string& text)
{
    m_showModels();
    NormalCursor cursor;
    QMessageBox::information(m_window, "Tarvik", MessageText(text));
}

std::string WindowHost::ChooseSaveFile(const SaveRequest& request)
{
    NormalCursor cursor;
    QFileDialog dialog(m_window, ShownText(request.title), ShownText(request.folder));
    dialog.setObjectName("SaveDialog");
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilters({ "Text File (*.txt)", "HTML File (*.*htm*)", "All files (*)" });
    if (request.extension == "html")
        dialog.selectNameFilter("HTML File (*.*htm*)");
    dialog.setDefaultSuffix(ShownText(request.extension));
    dialog.selectFile(ShownText(request.fileName));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return FileNameBytes(dialog.selectedFiles().front());
}
