#pragma once

#include "app/BaseHRefHistory.h"
#include "engine/RunOptions.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class SettingsStore;

/// The options dialog shown by every Analyse command before a run: what to check, where
/// the published site is, where to start and which reports to make. Its handlers keep
/// the controls' enabling consistent, validate the base address on OK and keep the
/// address history; the Analyse command fills it, shows it modally and reads it back.
class TTarvSetupForm : public QDialog {
    Q_OBJECT
public:
    TTarvSetupForm(SettingsStore& store, QWidget* parent = nullptr);

    /// Fills the dialog for `selectedFiles` files selected in the file list.
    void Prepare(int selectedFiles, const BaseHRefHistory& history, const QString& startingFile);

    /// The box's text and its drop-down list as they stand.
    BaseHRefHistory History() const;
    DialogChoices Choices() const;
    QString StartingFile() const;

    void OnlineCheckClick();
    void TraceIntoLinksCheckClick();
    void NoExtCheckClick();
    void ExtLinksCheckClick();
    void OKButtonClick();
    void Delete1Click();

private:
    void Build();

    SettingsStore& m_store;
    QRadioButton* m_intImages;
    QRadioButton* m_intLinks;
    QRadioButton* m_extImages;
    QRadioButton* m_extLinks;
    QRadioButton* m_noExt;
    QCheckBox* m_online;
    QLabel* m_baseLabel;
    QComboBox* m_base;
    QLineEdit* m_startFile;
    QCheckBox* m_sepReport;
    QCheckBox* m_showUnused;
    QCheckBox* m_trace;
    QCheckBox* m_html;
    QCheckBox* m_recordHeaders;
    QCheckBox* m_localFiles;
};
