#pragma once

#include "app/HiddenKeySequence.h"
#include "app/WindowHost.h"
#include "engine/AnalyseRun.h"
#include "engine/RunState.h"
#include "net/THttpCli.h"
#include "report/RunModels.h"

#include <QMainWindow>
#include <optional>
#include <QPointer>
#include <string>

class FileBrowser;
class HelpWindow;
class ProgressPanel;
class QAction;
class QLabel;
class QMenu;
class QPlainTextEdit;
class QPrinter;
class QProgressBar;
class QPushButton;
class QSplitter;
class QTabWidget;
class QTableView;
class ReportView;
class ResultGridModel;
class SettingsStore;

/// The main window: the file browser on the left, the result tabs (links, images,
/// received headers, report) with the counters, status line and gauge on the right, and
/// the commands. It owns the run's state and models; a run started here stays on this
/// thread and keeps the window live through the window's run host. Settings are read at
/// start-up and written at the moments each setting names.
class TTarvikMainForm : public QMainWindow {
    Q_OBJECT
public:
    explicit TTarvikMainForm(SettingsStore& store, QWidget* parent = nullptr);
    ~TTarvikMainForm() override;

    /// Reads the start-up settings and places the window on a screen of this size.
    void LoadSettings(const QRect& screen);
    /// Moves to the file's folder and selects the file when the file list shows it.
    void SelectCommandLineFile(QString file);

    bool RunInProgress() const { return m_running; }
    FileBrowser* Browser() const { return m_browser; }
    const RunModels& Models() const { return m_models; }

    void Analyse1Click();
    void AbortButtonClick();
    void PauseButtonClick();
    void SaveReportClick();
    /// Sorts the grid of the current tab by that grid's current column.
    void SortClick();
    void ShowVersionInfo();
    /// Closes the window as its close box does, for a request from outside it (a signal
    /// to the program): dialogs it waits on are dismissed first.
    void CloseAtRequest();
    enum class ViewSource { LocalFile, WebSite };
    /// Shows the source text of the current file of the file list in the report tab, read
    /// from disk or downloaded from the web site. Nothing happens during a run.
    void ViewDocument(ViewSource source);

    enum class GridChoice { CurrentGrid, BothGrids };
    /// The print dialog, then the grids: the current grid is the image grid while the
    /// "Images" tab is current, else the link grid.
    void PrintGridsClick(GridChoice choice);
    void PrintGrids(QPrinter& printer, GridChoice choice);
    /// The print dialog, then the report or, unless the "Report" tab is current, the
    /// received headers; nothing when that text is empty.
    void PrintReportClick();
    void PrintReport(QPrinter& printer);
    /// Help menu: the manual at its contents page, the about box, the upgrade check.
    void HelpContentsClick();
    void AboutClick();
    void UpgradeClick();
    /// Where "Contents" looks for the manual (by default beside the program).
    void SetHelpContentsPage(const QString& path) { m_helpContents = path; }

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* BuildLeftPane();
    QWidget* BuildResultArea();
    QTableView* BuildGrid(ResultGridModel* model, const QString& name, const QString& caption);
    void BuildMenus();
    void BuildHelpMenu();
    void UpdateButtons();
    void ApplyColours();
    void ShowModels();
    void SetGridColumns();
    void EnterRun();
    void LeaveRun();
    void ShowOutcome(bool reportMade, bool headersRecorded, const std::string& headers);
    /// The options dialog, filled as the Analyse command fills it; false after Cancel.
    bool AskRunOptions(RunRequest& request);
    /// Whether the text "Save Report As" and "Print Report" act on is empty.
    bool ChosenTextEmpty() const;
    /// The link text of the link grid's current row; nothing without one.
    std::optional<std::string> SelectedLink() const;
    void OpenUrlInBrowserClick();

    SettingsStore& m_store;
    RunState m_state;
    RunModels m_models;
    THttpCli m_http;
    WindowHost m_host;
    bool m_running = false;
    bool m_closeRequested = false;
    bool m_shownBefore = false;
    bool m_listUnchecked = true;
    bool m_showFailedOnly = false;
    bool m_stdColors = false;
    bool m_lastRunOnline = false;
    /// The base address as the options dialog last left it ("View From Website").
    QString m_baseHRef;
    /// The base address of the last run, against which its grid references resolve.
    std::string m_runBaseHRef;
    std::string m_headersText;
    HiddenKeySequence m_keySequence;

    FileBrowser* m_browser;
    QSplitter* m_mainSplitter;
    QSplitter* m_leftSplitter;
    QPushButton* m_analyse;
    QPushButton* m_view;
    QPushButton* m_exit;
    QPushButton* m_abort;
    QPushButton* m_pause;
    QWidget* m_imagePanel;
    QTabWidget* m_tabs;
    ResultGridModel* m_linkModel;
    ResultGridModel* m_imgModel;
    QTableView* m_linkGrid;
    QTableView* m_imgGrid;
    QPlainTextEdit* m_headers;
    ReportView* m_report;
    QLabel* m_pagesLabel;
    QLabel* m_linksLabel;
    QLabel* m_imagesLabel;
    QLabel* m_titleLabel;
    QLabel* m_fileLabel;
    QProgressBar* m_progress;
    QLabel* m_filenamePanel;
    QMenu* m_gridMenu;
    ProgressPanel* m_progressPanel;
    QPointer<HelpWindow> m_help;
    QString m_helpContents;
    bool m_upgradeChecking = false;
};
