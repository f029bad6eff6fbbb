#include "app/TTarvikMainForm.h"

#include "app/BaseHRefHistory.h"
#include "app/DocumentView.h"
#include "app/FileBrowser.h"
#include "app/GridRowDrag.h"
#include "app/GridSort.h"
#include "app/HelpWindow.h"
#include "app/Logo.h"
#include "app/NormalCursor.h"
#include "app/Printing.h"
#include "app/QtClipboard.h"
#include "app/ProgressPanel.h"
#include "app/QtText.h"
#include "app/ReportView.h"
#include "app/ResultGridModel.h"
#include "app/SettingsStore.h"
#include "app/TTarvSetupForm.h"
#include "app/WindowPlacement.h"
#include "components/BrowserHandOff.h"
#include "components/MainWindowVersion.h"
#include "components/OpenUrlInBrowser.h"
#include "components/TVersionNoShort.h"
#include "engine/DownloadCache.h"
#include "engine/WebAccess.h"
#include "platform/AtomicFile.h"
#include "platform/MessageQueue.h"
#include "platform/TempFolder.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QProgressBar>
#include <QPushButton>
#include <QSplitter>
#include <QStyle>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>

namespace {

const QColor WindowColour(240, 202, 166);

/// The window's classic font where the system has it, else the system's sans-serif.
QFont WindowFont()
{
    QFont font("MS Sans Serif", 8);
    font.setStyleHint(QFont::SansSerif);
    return font;
}

enum Tab { LinksTab, ImagesTab, HeadersTab, ReportTab };

template <typename Control> Control* Named(Control* control, const QString& name, const QString& caption)
{
    control->setObjectName(name);
    control->setAccessibleName(QString(caption).remove('&'));
    return control;
}

QPushButton* Button(const QString& name, const QString& caption, QWidget* parent)
{
    return Named(new QPushButton(caption, parent), name, caption);
}

/// A label's accessible name is left to Qt, which reads its current text: most labels
/// here change as a run goes on.
QLabel* Label(const QString& name, const QString& caption, QWidget* parent)
{
    auto* label = new QLabel(caption, parent);
    label->setObjectName(name);
    return label;
}

}

TTarvikMainForm::TTarvikMainForm(SettingsStore& store, QWidget* parent)
    : QMainWindow(parent)
    , m_store(store)
    , m_host(this, [this] { ShowModels(); })
{
    setObjectName("TTarvikMainForm");
    setWindowTitle("Tarvik");
    setWindowIcon(QIcon(LogoPixmap(64)));
    // Set before the controls are made, so each is sized for it.
    setFont(WindowFont());
    // As long as tarvik-cli waits by default, so both give the same report.
    m_http.Timeout = 30;
    m_linkModel = new ResultGridModel(m_models.LinkGrid, this);
    m_imgModel = new ResultGridModel(m_models.ImgGrid, this);

    m_mainSplitter = new QSplitter(Qt::Horizontal, this);
    m_mainSplitter->setHandleWidth(3);
    m_mainSplitter->addWidget(BuildLeftPane());
    m_mainSplitter->addWidget(BuildResultArea());
    m_mainSplitter->setStretchFactor(1, 1);
    m_mainSplitter->setSizes({ 157, 483 });
    connect(m_mainSplitter, &QSplitter::splitterMoved, this, &TTarvikMainForm::SetGridColumns);
    auto* central = new QWidget(this);
    auto* topPanel = new QWidget(central);
    topPanel->setObjectName("TopPanel");
    topPanel->setFixedHeight(8);
    auto* centralLayout = new QVBoxLayout(central);
    centralLayout->setContentsMargins(0, 0, 0, 0);
    centralLayout->setSpacing(0);
    centralLayout->addWidget(topPanel);
    centralLayout->addWidget(m_mainSplitter, 1);
    setCentralWidget(central);
    BuildMenus();
    BuildHelpMenu();
    m_progressPanel = new ProgressPanel(this);
    m_helpContents = HelpWindow::ContentsPath(QCoreApplication::applicationDirPath());
    resize(WindowPlacement::DefaultWidth, WindowPlacement::DefaultHeight);
    ApplyColours();
    UpdateButtons();
    // The window sees key presses before its controls do.
    QApplication::instance()->installEventFilter(this);
}

TTarvikMainForm::~TTarvikMainForm()
{
    // The views observe the run's models, which are members and go before the children.
    delete m_report;
    delete m_linkModel;
    delete m_imgModel;
}

QWidget* TTarvikMainForm::BuildLeftPane()
{
    auto* pane = new QWidget(this);
    pane->setObjectName("Panel2");
    m_browser = new FileBrowser(pane);
    m_leftSplitter = new QSplitter(Qt::Vertical, pane);
    m_leftSplitter->setHandleWidth(3);
    // The drive and folder area moves into the splitter so the user can size it.
    m_leftSplitter->addWidget(m_browser->DriveAndFolderArea());
    m_leftSplitter->addWidget(m_browser);
    m_leftSplitter->setStretchFactor(1, 1);
    m_leftSplitter->setSizes({ 98, 300 });

    auto* buttons = new QWidget(pane);
    buttons->setObjectName("ButtonPanel");
    m_analyse = Button("ReportButton", "&Analyse", buttons);
    m_view = Button("ViewButton", "&View", buttons);
    m_exit = Button("ExitButton", "E&xit", buttons);
    m_abort = Button("AbortButton", "Abort", buttons);
    m_pause = Button("PauseButton", "Pause", buttons);
    m_abort->hide();
    m_pause->hide();
    auto* buttonLayout = new QHBoxLayout(buttons);
    buttonLayout->setContentsMargins(2, 2, 2, 2);
    for (QPushButton* b : { m_analyse, m_view, m_abort, m_pause, m_exit })
        buttonLayout->addWidget(b);

    auto* layout = new QVBoxLayout(pane);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_leftSplitter, 1);
    layout->addWidget(buttons, 0, Qt::AlignHCenter);
    // Never narrower than the buttons it keeps centred.
    pane->setMinimumWidth(buttons->sizeHint().width());

    connect(m_analyse, &QPushButton::clicked, this, &TTarvikMainForm::Analyse1Click);
    connect(m_view, &QPushButton::clicked, this, [this] { ViewDocument(ViewSource::LocalFile); });
    connect(m_exit, &QPushButton::clicked, this, &QWidget::close);
    connect(m_abort, &QPushButton::clicked, this, &TTarvikMainForm::AbortButtonClick);
    connect(m_pause, &QPushButton::clicked, this, &TTarvikMainForm::PauseButtonClick);
    connect(m_browser, &FileBrowser::SelectionChanged, this, &TTarvikMainForm::UpdateButtons);
    connect(m_browser, &FileBrowser::FileDoubleClicked, this, &TTarvikMainForm::Analyse1Click);
    connect(m_browser, &FileBrowser::FolderChanged, this,
        [this](const QString& folder) { m_store.WriteString("Last Folder", folder); });
    return pane;
}

QTableView* TTarvikMainForm::BuildGrid(ResultGridModel* model, const QString& name, const QString& caption)
{
    auto* grid = Named(new QTableView(this), name, caption);
    grid->setModel(model);
    grid->verticalHeader()->hide();
    grid->verticalHeader()->setDefaultSectionSize(16);
    grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
    grid->horizontalHeader()->setSectionsMovable(false);
    grid->setContextMenuPolicy(Qt::CustomContextMenu);
    new GridRowDrag(grid, model, [this] { return !m_running; });
    connect(grid, &QWidget::customContextMenuRequested, this,
        [this, grid](const QPoint& at) { m_gridMenu->popup(grid->viewport()->mapToGlobal(at)); });
    // Double-clicking a title sorts by its column; the titles are the table's header.
    connect(
        grid->horizontalHeader(), &QHeaderView::sectionDoubleClicked, this, [this, model, grid](int column) {
            SortGridRows(model->Grid(), std::size_t(column));
            model->Flush();
            grid->setCurrentIndex(model->index(grid->currentIndex().row(), column));
        });
    connect(grid->horizontalHeader(), &QHeaderView::sectionPressed, this, [grid](int column) {
        grid->setCurrentIndex(grid->model()->index(grid->currentIndex().row(), column));
    });
    return grid;
}

QWidget* TTarvikMainForm::BuildResultArea()
{
    auto* area = new QWidget(this);
    m_imagePanel = new QWidget(area);
    m_imagePanel->setObjectName("ImagePanel");
    auto* logo = Label("LogoLabel", "", m_imagePanel);
    logo->setPixmap(LogoPixmap(96));
    logo->setAccessibleName("Tarvik");
    auto* version = Label("VersionLabel", QString::fromStdString(MainWindowVersionLabel()), m_imagePanel);
    auto* notice = Label("CPRLabel", ShownText(MainWindowCopyright()), m_imagePanel);
    auto* upgradeLink = Label("UpgradeLink",
        "<a href=\"upgrade\" style=\"color: blue\">Check for new version of Tarvik</a>", m_imagePanel);
    upgradeLink->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    connect(upgradeLink, &QLabel::linkActivated, this, &TTarvikMainForm::UpgradeClick);
    auto* imageLayout = new QVBoxLayout(m_imagePanel);
    imageLayout->addStretch(1);
    for (QLabel* l : { logo, version, notice, upgradeLink })
        imageLayout->addWidget(l, 0, Qt::AlignHCenter);
    imageLayout->addStretch(1);

    m_tabs = Named(new QTabWidget(area), "PageControlAn", "Results");
    m_linkGrid = BuildGrid(m_linkModel, "LinkGrid", "Links");
    m_imgGrid = BuildGrid(m_imgModel, "ImgGrid", "Images");
    m_headers = Named(new QPlainTextEdit(area), "HeadersEdit", "Headers");
    m_headers->setReadOnly(true);
    m_report = new ReportView(m_models.Report, area);
    m_tabs->addTab(m_linkGrid, "Links");
    m_tabs->addTab(m_imgGrid, "Images");
    m_tabs->addTab(m_headers, "Headers");
    m_tabs->addTab(m_report, "Report");
    m_tabs->setTabVisible(HeadersTab, false);
    m_tabs->setTabVisible(ReportTab, false);
    m_tabs->hide();

    auto* labels = new QWidget(area);
    labels->setObjectName("LabelsPanel");
    m_pagesLabel = Label("PagesToCheckLabel", "Pages left to check: 0", labels);
    m_linksLabel = Label("LinksLabel", "Links: 0", labels);
    m_imagesLabel = Label("ImagesLabel", "Images: 0", labels);
    m_titleLabel = Label("TitleLabel", "", labels);
    auto* labelsLayout = new QHBoxLayout(labels);
    labelsLayout->setContentsMargins(2, 0, 2, 0);
    for (QLabel* l : { m_pagesLabel, m_linksLabel, m_imagesLabel })
        labelsLayout->addWidget(l);
    labelsLayout->addWidget(m_titleLabel, 1);

    m_fileLabel = Label("FileLabel", "", area);
    m_fileLabel->setFrameShape(QFrame::StyledPanel);
    m_fileLabel->installEventFilter(this);
    m_progress = Named(new QProgressBar(area), "ProgressBar", "Progress");
    QPalette navy = m_progress->palette();
    navy.setColor(QPalette::Highlight, QColor(0, 0, 128));
    m_progress->setPalette(navy);
    m_progress->hide();
    m_filenamePanel = Label("FilenamePanel", "", area);
    m_filenamePanel->setFixedWidth(117);
    m_filenamePanel->setFrameShape(QFrame::StyledPanel);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(m_progress, 1);
    bottom->addWidget(m_filenamePanel);

    auto* layout = new QVBoxLayout(area);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_imagePanel, 1);
    layout->addWidget(m_tabs, 1);
    layout->addWidget(labels);
    layout->addWidget(m_fileLabel);
    layout->addLayout(bottom);
    return area;
}

void TTarvikMainForm::BuildMenus()
{
    // "From web site" needs a base address, checked each time the submenu opens.
    auto addViewMenu
        = [this](QMenu* parent, const QString& caption, const QString& local, const QString& web) {
              QMenu* view = parent->addMenu(caption);
              view->addAction(local, this, [this] { ViewDocument(ViewSource::LocalFile); });
              QAction* fromSite = view->addAction(web, this, [this] { ViewDocument(ViewSource::WebSite); });
              connect(view, &QMenu::aboutToShow, this,
                  [this, fromSite] { fromSite->setEnabled(HasBaseHRef(m_baseHRef)); });
              return view->menuAction();
          };

    QMenu* file = menuBar()->addMenu("&File");
    file->setObjectName("FileMenu");
    QAction* analyse = file->addAction("&Analyse Document(s)", this, &TTarvikMainForm::Analyse1Click);
    QAction* viewDocument = addViewMenu(file, "&View Document", "Local file", "From web site");
    QAction* save = file->addAction("&Save Report As ...", this, &TTarvikMainForm::SaveReportClick);
    file->addSeparator();
    QAction* printReport = file->addAction("&Print Report ...", this, &TTarvikMainForm::PrintReportClick);
    QAction* refresh = file->addAction("&Refresh File List", this, [this] { m_browser->Refresh(); });
    file->addSeparator();
    QAction* exit = file->addAction("E&xit", this, &QWidget::close);
    connect(file, &QMenu::aboutToShow, this, [=, this] {
        for (QAction* a : { analyse, viewDocument, save, printReport, refresh, exit })
            a->setEnabled(!m_running);
        if (m_running)
            return;
        viewDocument->setEnabled(!m_browser->SelectedFiles().isEmpty());
        save->setEnabled(!m_models.Report.Empty() && m_tabs->isTabVisible(ReportTab));
        printReport->setEnabled(save->isEnabled());
    });

    QMenu* options = menuBar()->addMenu("&Options");
    options->setObjectName("OptionsMenu");
    QAction* unchecked = options->addAction("List &unchecked links");
    QAction* failedOnly = options->addAction("&Show only failed links in HTML report");
    QAction* colours = options->addAction("Standard &Windows Colours");
    for (QAction* a : { unchecked, failedOnly, colours })
        a->setCheckable(true);
    connect(options, &QMenu::aboutToShow, this, [=, this] {
        unchecked->setChecked(m_listUnchecked);
        unchecked->setEnabled(!m_running);
        failedOnly->setChecked(m_showFailedOnly);
        colours->setChecked(m_stdColors);
    });
    connect(unchecked, &QAction::triggered, this, [this] {
        m_listUnchecked = !m_listUnchecked;
        m_store.WriteFlag("List Unchecked", m_listUnchecked);
    });
    connect(failedOnly, &QAction::triggered, this, [this] {
        m_showFailedOnly = !m_showFailedOnly;
        m_store.WriteFlag("ShowFailedOnly", m_showFailedOnly);
    });
    connect(colours, &QAction::triggered, this, [this] {
        m_stdColors = !m_stdColors;
        m_store.WriteFlag("StdColors", m_stdColors);
        ApplyColours();
    });

    m_gridMenu = new QMenu(this);
    m_gridMenu->setObjectName("GridMenu");
    QMenu* print = m_gridMenu->addMenu("&Print");
    print->setObjectName("GridPrintMenu");
    QAction* currentGrid
        = print->addAction("Link Grid", this, [this] { PrintGridsClick(GridChoice::CurrentGrid); });
    print->addAction("Both Grids", this, [this] { PrintGridsClick(GridChoice::BothGrids); });
    connect(print, &QMenu::aboutToShow, this, [this, currentGrid] {
        currentGrid->setText(m_tabs->currentIndex() == ImagesTab ? "Image Grid" : "Link Grid");
    });
    QAction* sort = m_gridMenu->addAction("&Sort", this, &TTarvikMainForm::SortClick);
    m_gridMenu->addSeparator();
    QAction* openUrl
        = m_gridMenu->addAction("&Open URL in browser", this, &TTarvikMainForm::OpenUrlInBrowserClick);
    openUrl->setObjectName("OpenUrlInBrowser");
    connect(m_gridMenu, &QMenu::aboutToShow, this, [this, print, sort, openUrl] {
        print->menuAction()->setEnabled(!m_running);
        sort->setEnabled(!m_running);
        std::optional<std::string> link = SelectedLink();
        openUrl->setEnabled(link && BrowserHandOff::CanOpenUrl(*link, m_lastRunOnline));
    });

    QMenu* fileList = new QMenu(this);
    fileList->setObjectName("FileListMenu");
    fileList->addAction("&Analyse", this, &TTarvikMainForm::Analyse1Click);
    addViewMenu(fileList, "&View", "Local File", "From Website");
    fileList->addSeparator();
    fileList->addAction("&Refresh Listing", this, [this] { m_browser->Refresh(); });
    QListWidget* list = m_browser->FileList();
    list->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(list, &QWidget::customContextMenuRequested, this,
        [list, fileList](const QPoint& at) { fileList->popup(list->viewport()->mapToGlobal(at)); });

    QMenu* report = new QMenu(this);
    report->setObjectName("ReportMenu");
    QAction* printAs = report->addAction("&Print...", this, &TTarvikMainForm::PrintReportClick);
    QAction* saveAs = report->addAction("&Save As...", this, &TTarvikMainForm::SaveReportClick);
    connect(report, &QMenu::aboutToShow, this, [this, printAs, saveAs] {
        for (QAction* a : { printAs, saveAs })
            a->setEnabled(!m_running && !ChosenTextEmpty());
    });
    for (QWidget* box : std::initializer_list<QWidget*> { m_report, m_headers }) {
        box->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(box, &QWidget::customContextMenuRequested, this,
            [box, report](const QPoint& at) { report->popup(box->mapToGlobal(at)); });
    }
}

void TTarvikMainForm::ViewDocument(ViewSource source)
{
    QString file = m_browser->CurrentSelectedFile();
    if (m_running || file.isEmpty())
        return;
    // The window counts as busy meanwhile, so no run starts while a download waits.
    m_running = true;
    bool online = std::exchange(m_lastRunOnline, source == ViewSource::WebSite);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    m_imagePanel->hide();
    m_tabs->show();
    m_tabs->setTabVisible(ReportTab, true);
    m_tabs->setCurrentIndex(ReportTab);

    std::string folder = FileNameBytes(m_browser->Folder());
    DocumentView::Document document;
    if (m_lastRunOnline) {
        // An earlier run's abort must not stop this download.
        m_state.AbortRequested = false;
        RunOptions options;
        WebAccess web(m_http, m_state, m_host, options);
        document = DocumentView::Download(web, FileNameBytes(m_baseHRef), FileNameBytes(file));
    } else {
        document = DocumentView::ReadLocal(folder, FileNameBytes(file));
    }
    DocumentView::Show(m_models.Report, document);
    m_report->Flush();
    m_report->ShowEnd();
    m_report->setFocus();

    QApplication::restoreOverrideCursor();
    m_lastRunOnline = online;
    m_running = false;
    if (m_closeRequested)
        close();
}

std::optional<std::string> TTarvikMainForm::SelectedLink() const
{
    QModelIndex current = m_linkGrid->currentIndex();
    // The grid's title row is the table's header.
    std::size_t row = std::size_t(current.row()) + 1;
    if (!current.isValid() || row >= m_models.LinkGrid.RowCount())
        return std::nullopt;
    return std::string(m_models.LinkGrid.Row(row).cells[0]);
}

void TTarvikMainForm::OpenUrlInBrowserClick()
{
    std::optional<std::string> link = SelectedLink();
    if (!link)
        return;
    QtClipboard clipboard;
    OpenUrlInBrowser(*link, m_lastRunOnline, m_runBaseHRef, XdgFolders::FromEnvironment(), clipboard);
}

void TTarvikMainForm::PrintGridsClick(GridChoice choice)
{
    QPrinter printer(QPrinter::HighResolution);
    if (Printing::AskPrinter(printer, this))
        PrintGrids(printer, choice);
}

void TTarvikMainForm::PrintGrids(QPrinter& printer, GridChoice choice)
{
    const ResultGrid* current = m_tabs->currentIndex() == ImagesTab ? &m_models.ImgGrid : &m_models.LinkGrid;
    const ResultGrid* both[] = { &m_models.LinkGrid, &m_models.ImgGrid };
    Printing::PrintGrids(printer,
        choice == GridChoice::BothGrids ? std::span<const ResultGrid* const>(both)
                                        : std::span<const ResultGrid* const>(&current, 1));
}

bool TTarvikMainForm::ChosenTextEmpty() const
{
    return m_tabs->currentIndex() == ReportTab ? m_models.Report.Empty() : m_headersText.empty();
}

void TTarvikMainForm::PrintReportClick()
{
    if (ChosenTextEmpty())
        return;
    QPrinter printer(QPrinter::HighResolution);
    if (Printing::AskPrinter(printer, this))
        PrintReport(printer);
}

void TTarvikMainForm::PrintReport(QPrinter& printer)
{
    if (m_tabs->currentIndex() == ReportTab)
        Printing::PrintReport(printer, m_models.Report);
    else
        Printing::PrintTextBox(printer, *m_headers);
}

void TTarvikMainForm::ApplyColours()
{
    QPalette p = QApplication::palette(this);
    if (!m_stdColors)
        p.setColor(QPalette::Window, WindowColour);
    setPalette(p);
}

void TTarvikMainForm::UpdateButtons()
{
    m_view->setEnabled(!m_browser->SelectedFiles().isEmpty());
}

void TTarvikMainForm::LoadSettings(const QRect& screen)
{
    m_baseHRef = m_store.String("BaseHRef").value_or("");
    WindowPlacement placement = WindowPlacement::Load(m_store, screen);
    m_mainSplitter->setSizes({ m_store.Integer("PaneSize").value_or(157), placement.geometry.width() });
    m_leftSplitter->setSizes({ m_store.Integer("Pane3Size").value_or(98), placement.geometry.height() });
    m_stdColors = m_store.Flag("StdColors").value_or(false);
    m_showFailedOnly = m_store.Flag("ShowFailedOnly").value_or(false);
    setGeometry(placement.geometry);
    m_listUnchecked = m_store.Flag("List Unchecked").value_or(true);
    if (std::optional<QString> folder = m_store.String("Last Folder"))
        m_browser->SetFolder(*folder);
    if (placement.maximized)
        setWindowState(windowState() | Qt::WindowMaximized);
    ApplyColours();
}

void TTarvikMainForm::SelectCommandLineFile(QString file)
{
    if (file.startsWith('"'))
        file.remove(0, 1);
    if (file.endsWith('"'))
        file.chop(1);
    if (file.isEmpty())
        return;
    QFileInfo info(QDir::current(), file);
    // A folder opens the file browser there, with nothing selected.
    if (info.isDir()) {
        m_browser->SetFolder(info.absoluteFilePath());
        UpdateButtons();
        return;
    }
    m_browser->SetFolder(info.absolutePath());
    m_browser->Refresh();
    m_browser->SelectFile(info.fileName());
    UpdateButtons();
}

void TTarvikMainForm::ShowModels()
{
    m_linkModel->Flush();
    m_imgModel->Flush();
    m_report->Flush();
    const RunLabels& l = m_models.Labels;
    m_fileLabel->setText(ShownText(l.Status()));
    m_linksLabel->setText(ShownText(l.Links()));
    m_imagesLabel->setText(ShownText(l.Images()));
    m_pagesLabel->setText(ShownText(l.PagesToCheck()));
    m_titleLabel->setText(ShownText(l.Title()));
    m_filenamePanel->setText(ShownText(l.FileName()));
    const RunLabels::Gauge& g = l.Progress();
    m_progress->setVisible(g.visible);
    m_progress->setTextVisible(g.showText);
    m_progress->setMaximum(int(std::max(g.maximum, 1L)));
    m_progress->setValue(int(std::min(g.position, g.maximum)));
}

void TTarvikMainForm::SetGridColumns()
{
    // The seconds column is at least as wide as its widest text in the font in use.
    int secs = std::max(30, m_linkGrid->fontMetrics().horizontalAdvance("<0.1") + 10);
    int thumb = style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    int first = std::max(m_linkGrid->width() - 235 - 80 - secs - thumb - 8, 40);
    for (QTableView* grid : { m_linkGrid, m_imgGrid }) {
        grid->setColumnWidth(0, first);
        grid->setColumnWidth(1, 235);
        grid->setColumnWidth(2, 80);
        grid->setColumnWidth(3, secs);
    }
}

void TTarvikMainForm::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    SetGridColumns();
}

bool TTarvikMainForm::eventFilter(QObject* watched, QEvent* event)
{
    // A key press travels up from the focus widget; it is taken once, at its first stop.
    QWidget* first = QApplication::focusWidget() ? QApplication::focusWidget() : this;
    if (event->type() == QEvent::KeyPress && watched == first && first->window() == this) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (!key->isAutoRepeat() && m_keySequence.Press(key->key(), key->modifiers()))
            ShowVersionInfo();
    }
    // Double-clicking the status line gives up the network transfer in progress.
    if (watched == m_fileLabel && event->type() == QEvent::MouseButtonDblClick) {
        m_state.GiveUpCurrentRequest = true;
        if (m_http.State() != THttpCli::THttpState::httpReady)
            m_http.Abort();
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

bool TTarvikMainForm::AskRunOptions(RunRequest& request)
{
    TTarvSetupForm dialog(m_store, this);
    dialog.setPalette(palette());
    QStringList selected = m_browser->SelectedFiles();
    QString startingFile = selected.isEmpty() ? m_store.String("LastCheckedPage").value_or("index.html")
                                              : m_browser->CurrentSelectedFile();
    dialog.Prepare(int(std::min<qsizetype>(selected.size(), AnalyseRun::MaxSelectedFiles)),
        BaseHRefHistory::Load(m_store), startingFile);
    bool ok = dialog.exec() == QDialog::Accepted;
    BaseHRefHistory history = dialog.History();
    history.Save(m_store, ok ? BaseHRefHistory::Closed::Ok : BaseHRefHistory::Closed::Cancelled);
    m_baseHRef = history.current;
    if (!ok)
        return false;
    request.options = MakeRunOptions(dialog.Choices(), { m_listUnchecked, m_showFailedOnly });
    request.folder = FileNameBytes(m_browser->Folder());
    for (const QString& name : selected)
        request.selectedFiles.push_back(FileNameBytes(name));
    request.startingFile = FileNameBytes(dialog.StartingFile());
    for (const QString& name : m_browser->FileNames())
        request.fileList.push_back(FileNameBytes(name));
    return true;
}

void TTarvikMainForm::Analyse1Click()
{
    if (m_running)
        return;
    m_imagePanel->hide();
    m_tabs->show();
    m_tabs->setTabVisible(ReportTab, false);
    m_tabs->setTabVisible(HeadersTab, false);
    m_tabs->setCurrentIndex(LinksTab);
    SetGridColumns();

    RunRequest request;
    if (!AskRunOptions(request))
        return;
    m_lastRunOnline = request.options.OnlineMode;
    m_runBaseHRef = request.options.BaseHRef;
    EnterRun();
    RunOutcome outcome = AnalyseRun(m_state, m_models, m_host, m_http).Run(request);
    LeaveRun();
    if (outcome.end != RunOutcome::End::NotStarted)
        ShowOutcome(outcome.reportMade, request.options.RecordHeaders, outcome.receivedHeaders);
    if (m_closeRequested)
        close();
}

void TTarvikMainForm::EnterRun()
{
    m_running = true;
    m_browser->FileList()->setEnabled(false);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    m_analyse->hide();
    m_view->hide();
    m_pause->setText("Pause");
    m_abort->show();
    m_pause->show();
}

void TTarvikMainForm::LeaveRun()
{
    ShowModels();
    m_abort->hide();
    m_pause->hide();
    m_analyse->show();
    m_view->show();
    QApplication::restoreOverrideCursor();
    m_browser->FileList()->setEnabled(true);
    m_running = false;
    UpdateButtons();
}

void TTarvikMainForm::ShowOutcome(bool reportMade, bool headersRecorded, const std::string& headers)
{
    if (reportMade) {
        m_tabs->setTabVisible(ReportTab, true);
        m_tabs->setCurrentIndex(ReportTab);
    }
    m_headersText = headers;
    if (headersRecorded) {
        m_tabs->setTabVisible(HeadersTab, true);
        m_headers->setPlainText(ShownText(headers).replace("\r\n", "\n"));
    }
    if (reportMade) {
        m_report->setFocus();
        m_report->ShowEnd();
    }
}

void TTarvikMainForm::AbortButtonClick()
{
    if (!m_running)
        return;
    NormalCursor cursor;
    if (QMessageBox::question(
            this, "Tarvik", "Are you sure you want to abort?", QMessageBox::Yes | QMessageBox::No)
        != QMessageBox::Yes)
        return;
    // The run's network wait sees the flag and gives up its request.
    m_state.AbortRequested = true;
    QCoreApplication::processEvents();
}

void TTarvikMainForm::PauseButtonClick()
{
    if (!m_running)
        return;
    m_state.Paused = !m_state.Paused;
    if (!m_state.Paused) {
        m_pause->setText("Pause");
        return;
    }
    m_pause->setText("Continue");
    ShowModels();
    // The run stands still in here until the next press; the network layer is still
    // served, so a request in progress does not time out meanwhile.
    while (m_state.Paused) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        MessageQueue::ForThisThread().WaitAndProcess(std::chrono::milliseconds(20));
    }
    m_pause->setText("Pause");
}

void TTarvikMainForm::SaveReportClick()
{
    bool report = m_tabs->currentIndex() == ReportTab;
    std::string text = report ? m_models.Report.PlainText("\r\n") : m_headersText;
    if (text.empty())
        return;
    std::string path = m_host.ChooseSaveFile({ report ? "tarvik-report.txt" : "tarvik-headers.txt", "txt", "",
        FileNameBytes(m_browser->Folder()) });
    if (path.empty())
        return;
    std::string error = WriteFileAtomically(path, text);
    if (!error.empty())
        m_host.ShowMessage(error);
}

void TTarvikMainForm::SortClick()
{
    bool links = m_tabs->currentIndex() == LinksTab;
    QTableView* grid = links ? m_linkGrid : m_imgGrid;
    ResultGridModel* model = links ? m_linkModel : m_imgModel;
    int column = std::max(grid->currentIndex().column(), 0);
    SortGridRows(model->Grid(), std::size_t(column));
    model->Flush();
}

void TTarvikMainForm::ShowVersionInfo()
{
    TVersionNoShort version;
    ConfigureMainWindowVersion(version);
    QMessageBox::information(this, "Tarvik", ShownText(version.ShowVersionInfo(false)).replace("\r\n", "\n"));
}

void TTarvikMainForm::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (m_shownBefore)
        return;
    m_shownBefore = true;
    // Caches that runs left behind when they were killed go now; those of runs still
    // going in other windows are locked and stay. Without a temporary folder there is
    // nothing to clear: a run reports that when it needs one.
    std::string error;
    if (std::optional<std::string> temporary = TempFolder::Private(error))
        DownloadCache::RemoveAbandoned(*temporary);
}

void TTarvikMainForm::CloseAtRequest()
{
    // A dialog the window waits on is dismissed as its close box would dismiss it, so
    // the request does not wait for an answer that nobody gives. A dialog that refuses
    // to close is left to the user.
    while (QWidget* modal = QApplication::activeModalWidget()) {
        if (modal == this || !modal->close())
            break;
    }
    close();
}

void TTarvikMainForm::closeEvent(QCloseEvent* event)
{
    if (m_running) {
        // The run is ended first and closes the window once it has unwound.
        m_closeRequested = true;
        m_host.SetClosing(true);
        m_state.AbortRequested = true;
        m_state.Paused = false;
        event->ignore();
        return;
    }
    WindowPlacement::Save(m_store, geometry(), isMaximized());
    QList<int> sizes = m_mainSplitter->sizes();
    m_store.WriteInteger("PaneSize", sizes.value(0));
    m_store.WriteInteger("Pane3Size", m_leftSplitter->sizes().value(0));
    event->accept();
}
