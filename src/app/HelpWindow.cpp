#include "app/HelpWindow.h"

#include <QDir>
#include <QFileInfo>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

QString HelpWindow::ContentsPath(const QString& programFolder)
{
    return QDir::cleanPath(programFolder + "/../share/tarvik/help/index.html");
}

HelpWindow::HelpWindow(QWidget* parent)
    : QDialog(parent, Qt::Window)
{
    setObjectName("HelpWindow");
    setWindowTitle("Tarvik Help");
    resize(640, 520);
    m_browser = new QTextBrowser(this);
    m_browser->setObjectName("HelpBrowser");
    // Addresses outside the manual go to the user's browser, not into this window.
    m_browser->setOpenExternalLinks(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_browser);
}

bool HelpWindow::ShowContents(const QString& contentsPage)
{
    if (!QFileInfo(contentsPage).isFile())
        return false;
    m_browser->setSource(QUrl::fromLocalFile(contentsPage));
    show();
    raise();
    activateWindow();
    return true;
}
