#include "ChainSite.h"
#include "DialogResponder.h"
#include "TestWindow.h"
#include "app/FileBrowser.h"
#include "app/HiddenKeySequence.h"
#include "app/SettingsStore.h"
#include "app/TTarvikMainForm.h"
#include "support/FakePrograms.h"
#include "support/ReportText.h"
#include "support/TempSite.h"

#include "report/ResultGrid.h"
#include <QAbstractButton>
#include <QFileDialog>
#include <QHeaderView>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QTabWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {

using Window = TestWindow;

const std::string Faults = FixturesFolder() + "/sites/faults";

}

TEST(HiddenKeySequence, OnlyTheWholeSequenceWithCtrlAndAltHeldCompletes)
{
    const Qt::KeyboardModifiers held = Qt::ControlModifier | Qt::AltModifier;
    struct Case {
        const char* name;
        std::vector<std::pair<int, Qt::KeyboardModifiers>> keys;
        bool opens;
    };
    const Case cases[] = {
        { "F12, F11, F10", { { Qt::Key_F12, held }, { Qt::Key_F11, held }, { Qt::Key_F10, held } }, true },
        { "an ordinary key between",
            { { Qt::Key_F12, held }, { Qt::Key_F11, held }, { Qt::Key_A, {} }, { Qt::Key_F10, held } },
            false },
        { "F12 twice",
            { { Qt::Key_F12, held }, { Qt::Key_F12, held }, { Qt::Key_F11, held }, { Qt::Key_F10, held } },
            false },
        { "Alt let go",
            { { Qt::Key_F12, held }, { Qt::Key_F11, Qt::ControlModifier }, { Qt::Key_F10, held } }, false },
        { "F10 alone", { { Qt::Key_F10, held } }, false },
    };
    for (const Case& c : cases) {
        HiddenKeySequence sequence;
        bool opened = false;
        for (const auto& [key, modifiers] : c.keys)
            opened = sequence.Press(key, modifiers);
        EXPECT_EQ(opened, c.opens) << c.name;
    }
}

TEST(TTarvikMainForm, TheHiddenKeySequenceOpensTheVersionBox)
{
    Window w(Faults);
    DialogResponder responder([](QWidget* d) { DialogResponder::Press(d, "OK"); });
    QWidget* list = w.form.Browser()->FileList();
    list->setFocus();
    for (Qt::Key key : { Qt::Key_F12, Qt::Key_F11, Qt::Key_F10 })
        QTest::keyClick(list, key, Qt::ControlModifier | Qt::AltModifier);
    for (int wait = 0; wait < 200 && responder.seen.isEmpty(); ++wait)
        QTest::qWait(5);
    ASSERT_EQ(responder.seen.size(), 1);
    EXPECT_TRUE(responder.seen.front().startsWith("QMessageBox: Version 2.1d (Build 25)"))
        << responder.seen.front().toStdString();
}

TEST(TTarvikMainForm, MenusAsTheyOpen)
{
    Window w(Faults);
    auto file = w.MenuAsOpened("FileMenu");
    EXPECT_TRUE(file["&Analyse Document(s)"]);
    EXPECT_FALSE(file["&Save Report As ..."]) << "no report yet";
    EXPECT_FALSE(file["&Print Report ..."]) << "no report yet";
    EXPECT_FALSE(file["&View Document"]) << "no file selected";
    w.form.Browser()->SelectFile("index.html");
    w.Analyse();
    file = w.MenuAsOpened("FileMenu");
    EXPECT_TRUE(file["&Save Report As ..."]);
    EXPECT_TRUE(file["&Print Report ..."]);
    EXPECT_TRUE(file["&View Document"]);

    std::map<QString, bool> duringRun;
    QTimer probe;
    QObject::connect(&probe, &QTimer::timeout, [&] {
        if (w.form.RunInProgress() && duringRun.empty())
            duringRun = w.MenuAsOpened("FileMenu");
    });
    probe.start(0);
    w.Analyse();
    ASSERT_FALSE(duringRun.empty());
    for (const auto& [caption, enabled] : duringRun)
        EXPECT_FALSE(enabled) << caption.toStdString() << " during a run";
}

TEST(TTarvikMainForm, OptionsMenuFlagsAreWrittenWhenChosen)
{
    Window w(Faults);
    auto* menu = w.Control<QMenu>("OptionsMenu");
    w.MenuAsOpened("OptionsMenu");
    auto checked = [&] {
        std::vector<bool> marks;
        for (QAction* a : menu->actions())
            marks.push_back(a->isChecked());
        return marks;
    };
    EXPECT_EQ(checked(), (std::vector<bool> { true, false, false })) << "first start";
    for (QAction* a : menu->actions())
        a->trigger();
    EXPECT_EQ(w.store.Flag("List Unchecked"), false);
    EXPECT_EQ(w.store.Flag("ShowFailedOnly"), true);
    EXPECT_EQ(w.store.Flag("StdColors"), true);
    w.MenuAsOpened("OptionsMenu");
    EXPECT_EQ(checked(), (std::vector<bool> { false, true, true }));
}

TEST(TTarvikMainForm, TheFileNamedOnTheCommandLine)
{
    TempSite other({ { "Page One.html", "<html></html>" }, { "b.html", "" }, { "notes.txt", "" } });
    struct Case {
        QString argument;
        QStringList selected;
        bool view;
    };
    const Case cases[] = {
        { "\"" + QString::fromStdString(other.Root()) + "/page one.HTML\"", { "Page One.html" }, true },
        { QString::fromStdString(other.Root()) + "/notes.txt", {}, false },
        { QString::fromStdString(other.Root()), {}, false },
    };
    for (const Case& c : cases) {
        Window w(Faults);
        w.form.SelectCommandLineFile(c.argument);
        EXPECT_EQ(w.form.Browser()->Folder().toStdString(), other.Root());
        EXPECT_EQ(w.form.Browser()->SelectedFiles(), c.selected) << c.argument.toStdString();
        EXPECT_EQ(w.Control("ViewButton")->isEnabled(), c.view) << c.argument.toStdString();
    }
}

TEST(TTarvikMainForm, SortingByDoubleClickingATitleAndByTheSortCommand)
{
    Window w(Faults);
    w.form.Browser()->SelectFile("index.html");
    w.Analyse();
    auto* grid = w.Control<QTableView>("LinkGrid");
    w.Control<QTabWidget>("PageControlAn")->setCurrentWidget(grid);
    QHeaderView* header = grid->horizontalHeader();
    QPoint result(header->sectionViewportPosition(1) + 5, header->height() / 2);
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, result);
    QTest::mouseDClick(header->viewport(), Qt::LeftButton, {}, result);
    const ResultGrid& links = w.form.Models().LinkGrid;
    EXPECT_EQ(links.Row(0).cells[1], "Result") << "the title row stays";
    for (std::size_t row = 2; row < links.RowCount(); ++row)
        EXPECT_LE(links.Row(row - 1).cells[1], links.Row(row).cells[1]);
    EXPECT_EQ(
        grid->model()->data(grid->model()->index(0, 1)).toString().toStdString(), links.Row(1).cells[1]);
}

TEST(TTarvikMainForm, SaveReportAsWritesTheReportTabsTextOnly)
{
    Window w(Faults);
    w.form.Browser()->SelectFile("index.html");
    w.Analyse();
    QTemporaryDir out;
    QString path = out.filePath("saved");
    DialogResponder responder([&](QWidget* d) {
        auto* dialog = qobject_cast<QFileDialog*>(d);
        EXPECT_EQ(dialog->selectedFiles().value(0).section('/', -1), "tarvik-report.txt");
        // Typed as a user types it: a name without extension.
        dialog->findChild<QLineEdit*>("fileNameEdit")->setText(path);
        QMetaObject::invokeMethod(dialog, "accept");
    });
    w.form.SaveReportClick();
    EXPECT_EQ(ReadWholeFile((path + ".txt").toStdString()), w.form.Models().Report.PlainText("\r\n"))
        << "a name without extension gets .txt";

    w.Control<QTabWidget>("PageControlAn")->setCurrentIndex(0);
    w.form.SaveReportClick();
    EXPECT_EQ(responder.seen.size(), 1) << "the Links tab and no headers: nothing to save";
}

TEST(TTarvikMainForm, ClosingDuringARunEndsTheRunFirst)
{
    TempSite site;
    WriteChainSite(site, 1500);
    Window w(site.Root());
    w.form.Browser()->SelectFile("p0.html");
    DialogResponder responder(&Window::AnswerTracedRun);
    QTimer closer;
    w.ActMidwayThroughARun(closer, [&] { w.form.close(); });
    w.Control<QAbstractButton>("ReportButton")->click();
    EXPECT_FALSE(w.form.isVisible());
    EXPECT_EQ(responder.seen, QStringList { "TTarvSetupForm" }) << "no closing question";
    EXPECT_LT(w.form.Models().LinkGrid.RowCount(), 1500u);
    EXPECT_TRUE(w.store.Contains("Maximized")) << "the placement is written once the run has ended";
}

TEST(TTarvikMainForm, PopUpMenusAsTheyOpen)
{
    Window w(Faults);
    auto* grid = w.Control<QTableView>("LinkGrid");
    auto rowOf = [&](const std::string& reference) {
        const ResultGrid& links = w.form.Models().LinkGrid;
        for (std::size_t row = 1; row < links.RowCount(); ++row) {
            if (links.Row(row).cells[0] == reference)
                return int(row) - 1;
        }
        return -1;
    };
    EXPECT_FALSE(w.MenuAsOpened("FileListMenu").empty());
    w.form.Browser()->SelectFile("index.html");
    w.Analyse();

    struct Case {
        std::string reference;
        bool openUrl;
    };
    for (const Case& c : { Case { "about.html", false }, Case { "http://example.com/", true } }) {
        grid->setCurrentIndex(grid->model()->index(rowOf(c.reference), 0));
        auto items = w.MenuAsOpened("GridMenu");
        EXPECT_EQ(items["&Open URL in browser"], c.openUrl) << c.reference;
        EXPECT_TRUE(items["&Sort"]);
        EXPECT_TRUE(items["&Print"]);
    }
    auto* tabs = w.Control<QTabWidget>("PageControlAn");
    for (const char* grid : { "LinkGrid", "ImgGrid" }) {
        tabs->setCurrentWidget(w.Control(grid));
        EXPECT_EQ(w.MenuAsOpened("GridPrintMenu"),
            (std::map<QString, bool> { { grid == std::string("LinkGrid") ? "Link Grid" : "Image Grid", true },
                { "Both Grids", true } }));
    }
    tabs->setCurrentWidget(w.Control("ReportForm"));
    auto report = w.MenuAsOpened("ReportMenu");
    EXPECT_TRUE(report["&Save As..."]);
    EXPECT_TRUE(report["&Print..."]);
    tabs->setCurrentWidget(w.Control("HeadersEdit"));
    EXPECT_FALSE(w.MenuAsOpened("ReportMenu")["&Print..."]) << "no headers were recorded";

    auto* view = w.Control<QMenu>("FileListMenu")->findChild<QMenu*>();
    emit view->aboutToShow();
    EXPECT_FALSE(view->actions().at(1)->isEnabled()) << "\"From Website\" without a base address";
    w.store.WriteString("BaseHRef", "http://site.example/");
    w.form.LoadSettings({ 0, 0, 1024, 768 });
    emit view->aboutToShow();
    EXPECT_TRUE(view->actions().at(1)->isEnabled());
}

TEST(TTarvikMainForm, OpenUrlInBrowserHandsTheSelectedLinkToTheDefaultBrowser)
{
    FakePrograms browser;
    QByteArray configHome = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString(browser.folders.configHome));
    qputenv("XDG_DATA_HOME", QByteArray::fromStdString(browser.folders.dataHome));
    Window w(Faults);
    w.form.Browser()->SelectFile("index.html");
    w.Analyse();
    auto* grid = w.Control<QTableView>("LinkGrid");
    const ResultGrid& links = w.form.Models().LinkGrid;
    for (std::size_t row = 1; row < links.RowCount(); ++row) {
        if (links.Row(row).cells[0] == "http://example.com/")
            grid->setCurrentIndex(grid->model()->index(int(row) - 1, 0));
    }
    w.Control<QMenu>("GridMenu")->findChild<QAction*>("OpenUrlInBrowser")->trigger();
    EXPECT_EQ(browser.Arguments(), std::vector<std::string> { "http://example.com/" });
    qputenv("XDG_CONFIG_HOME", configHome);
    qunsetenv("XDG_DATA_HOME");
}
