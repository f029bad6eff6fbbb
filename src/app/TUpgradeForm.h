#pragma once

#include "components/UpgradeCheck.h"
#include "net/THttpCli.h"

#include <QDialog>

class ProgressPanel;
class QLabel;
class QTextEdit;
class TWebLabel;

/// The upgrade dialog, made for one check: it runs the check with its own HTTP client,
/// shows the progress in the main window's connection notice, and shows itself modally
/// when a mirror offers a newer build. The summary is shown as plain text, whatever markup
/// a mirror sends.
class TUpgradeForm : public QDialog, private UpgradeHost {
    Q_OBJECT
public:
    explicit TUpgradeForm(QWidget* parent = nullptr);

    /// `folder` is the private temporary folder, ending in "/".
    void UpgradeCheck(int installedBuild, ProgressPanel* progress, const UpgradeMirrors& mirrors,
        const std::string& folder);

    /// Seconds a mirror may take; the main window's run waits as long.
    static constexpr int MirrorTimeout = 30;

private:
    bool AskYesNo(const std::string& question) override;
    void ShowMessage(const std::string& text) override;
    void SetProgressCaption(const std::string& caption) override;
    void ShowProgress(bool shown) override;
    void SetBusy(bool busy) override;
    void ShowOffer(const UpgradeInfo& info) override;

    THttpCli HttpCli1;
    ProgressPanel* m_progress = nullptr;
    QLabel* m_announce;
    QLabel* m_release;
    QTextEdit* m_details;
    TWebLabel* m_webLabel;
};
