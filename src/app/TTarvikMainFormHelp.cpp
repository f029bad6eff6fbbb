// The main window's Help menu and its three commands: the manual, the about box and the
// upgrade check.
#include "app/HelpWindow.h"
#include "app/QtText.h"
#include "app/SettingsStore.h"
#include "app/TTarvikAboutForm.h"
#include "app/TTarvikMainForm.h"
#include "app/TUpgradeForm.h"
#include "components/MainWindowVersion.h"
#include "components/ProjectAddresses.h"
#include "components/TVersionNoShort.h"
#include "platform/TempFolder.h"

#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>

void TTarvikMainForm::BuildHelpMenu()
{
    QMenu* help = menuBar()->addMenu("&Help");
    help->setObjectName("HelpMenu");
    help->addAction("Contents", this, &TTarvikMainForm::HelpContentsClick);
    help->addSeparator();
    QAction* about = help->addAction("&About", this, &TTarvikMainForm::AboutClick);
    QAction* upgrade = help->addAction("Check for &Upgrades", this, &TTarvikMainForm::UpgradeClick);
    connect(help, &QMenu::aboutToShow, this, [=, this] {
        about->setEnabled(!m_running);
        upgrade->setEnabled(!m_running && !m_upgradeChecking);
    });
}

void TTarvikMainForm::HelpContentsClick()
{
    if (!m_help)
        m_help = new HelpWindow(this);
    if (!m_help->ShowContents(m_helpContents))
        QMessageBox::warning(this, "Tarvik", "The help file " + m_helpContents + " cannot be found.");
}

void TTarvikMainForm::AboutClick()
{
    if (m_running)
        return;
    TTarvikAboutForm form(this);
    form.setPalette(palette());
    form.exec();
}

void TTarvikMainForm::UpgradeClick()
{
    // The check keeps the window live while it waits, so the start panel's link can be
    // clicked again meanwhile.
    if (m_running || m_upgradeChecking)
        return;
    std::string error;
    std::optional<std::string> folder = TempFolder::Private(error);
    if (!folder) {
        QMessageBox::warning(this, "Tarvik", ShownText(error));
        return;
    }
    UpgradeMirrors mirrors;
    for (std::size_t i = 0; i < mirrors.size(); ++i) {
        mirrors[i] = m_store.String(QString("UpgradeMirror%1").arg(i + 1))
                         .value_or(ProjectAddresses::UpgradeMirrors[i])
                         .toStdString();
    }
    TVersionNoShort version;
    ConfigureMainWindowVersion(version);
    m_upgradeChecking = true;
    TUpgradeForm form(this);
    form.setPalette(palette());
    form.UpgradeCheck(version.VerBuildSub(), m_progressPanel, mirrors, *folder);
    m_upgradeChecking = false;
}
