#include "ChainSite.h"
#include "DialogResponder.h"
#include "TestWindow.h"
#include "app/QuitSignals.h"
#include "engine/DownloadCache.h"
#include "report/ResultGrid.h"
#include "support/PrivateTemporary.h"
#include "support/ReportText.h"
#include "support/TempSite.h"

#include <QApplication>
#include <QFontDatabase>
#include <QFontInfo>
#include <QTabWidget>
#include <QTableView>
#include <QTest>
#include <algorithm>
#include <csignal>
#include <gtest/gtest.h>
#include <unistd.h>

namespace {

const std::string Faults = FixturesFolder() + "/sites/faults";

bool Has(const std::vector<std::string>& names, const std::string& name)
{
    return std::find(names.begin(), names.end(), name) != names.end();
}

}

TEST(TTarvikMainForm, TheTopStripAndTheWindowFont)
{
    TestWindow w(Faults);
    QWidget* top = w.Control("TopPanel");
    EXPECT_EQ(top->height(), 8);
    EXPECT_EQ(top->mapTo(&w.form, QPoint()), w.form.centralWidget()->mapTo(&w.form, QPoint()));
    EXPECT_EQ(w.Control("Panel2")->mapTo(&w.form, QPoint()).y(), top->mapTo(&w.form, QPoint()).y() + 8);

    EXPECT_EQ(w.form.font().pointSize(), 8);
    // Where the classic face is missing, the one drawn must still be a real face.
    QString drawn = QFontInfo(w.Control("LinkGrid")->font()).family();
    EXPECT_TRUE(QFontDatabase::families().contains(drawn)) << drawn.toStdString();
}

TEST(TTarvikMainForm, ShowingTheWindowRemovesAbandonedDownloadCachesOnly)
{
    TempSite temporary;
    TemporaryFolderSetting setting(temporary.Root());
    std::string error;
    std::optional<DownloadCache> running = DownloadCache::Create(error);
    ASSERT_TRUE(running) << error;
    std::vector<std::string> inUse = PrivateTemporaryEntries(temporary.Root());
    ASSERT_EQ(inUse.size(), 1u);
    temporary.Write("tarvik-" + std::to_string(::geteuid()) + "/cache-Killed/0123.htm", "page");

    TestWindow w(Faults);
    std::vector<std::string> entries = PrivateTemporaryEntries(temporary.Root());
    EXPECT_FALSE(Has(entries, "cache-Killed"));
    EXPECT_TRUE(Has(entries, inUse.front())) << "a run still going keeps its cache";
}

TEST(TTarvikMainForm, CommandsARunDisablesAndEnablesAgain)
{
    struct Case {
        const char* menu;
        const char* item;
        bool duringRun;
    };
    const Case cases[] = {
        { "OptionsMenu", "List &unchecked links", false },
        { "OptionsMenu", "&Show only failed links in HTML report", true },
        { "OptionsMenu", "Standard &Windows Colours", true },
        { "GridMenu", "&Sort", false },
        { "ReportMenu", "&Save As...", false },
        { "HelpMenu", "Contents", true },
        { "HelpMenu", "&About", false },
        { "HelpMenu", "Check for &Upgrades", false },
    };
    TestWindow w(Faults);
    w.form.Browser()->SelectFile("index.html");
    w.Analyse();
    std::map<std::string, std::map<QString, bool>> during;
    QTimer probe;
    QObject::connect(&probe, &QTimer::timeout, [&] {
        if (!w.form.RunInProgress() || !during.empty())
            return;
        for (const Case& c : cases)
            during[c.menu] = w.MenuAsOpened(c.menu);
    });
    probe.start(0);
    w.Analyse();
    ASSERT_FALSE(during.empty());
    for (const Case& c : cases) {
        EXPECT_EQ(during[c.menu][c.item], c.duringRun) << c.item << " during a run";
        EXPECT_TRUE(w.MenuAsOpened(c.menu)[c.item]) << c.item << " after the run";
    }
}

TEST(TTarvikMainForm, DraggingARowMovesItWithItsColour)
{
    TestWindow w(Faults);
    w.form.Browser()->SelectFile("index.html");
    w.Analyse();
    auto* grid = w.Control<QTableView>("LinkGrid");
    w.Control<QTabWidget>("PageControlAn")->setCurrentWidget(grid);
    const ResultGrid& links = w.form.Models().LinkGrid;
    std::size_t red = 2;
    while (red < links.RowCount() && links.Row(red).colour != RowColour::Red)
        ++red;
    ASSERT_LT(red, links.RowCount()) << "the fixture has a failure below the first row";
    const std::string dragged(links.Row(red).cells[0]);

    QWidget* viewport = grid->viewport();
    auto rowPoint = [&](std::size_t row) { return QPoint(20, grid->rowViewportPosition(int(row) - 1) + 8); };
    QTest::mousePress(viewport, Qt::LeftButton, {}, rowPoint(red));
    QTest::mouseMove(viewport, rowPoint(1));
    QTest::mouseRelease(viewport, Qt::LeftButton, {}, rowPoint(1));

    EXPECT_EQ(links.Row(0).cells[0], "Link") << "the title row stays";
    EXPECT_EQ(links.Row(1).cells[0], dragged);
    EXPECT_EQ(links.Row(1).colour, RowColour::Red);
    EXPECT_EQ(grid->currentIndex().row(), 0) << "the moved row stays current";
}

TEST(QuitSignals, ASignalClosesTheWindowAsItsCloseBoxDoes)
{
    enum class When { DuringARun, WhileTheOptionsDialogWaits };
    struct Case {
        const char* name;
        int signal;
        When when;
    };
    const Case cases[] = {
        { "SIGINT during a run", SIGINT, When::DuringARun },
        { "SIGTERM while the options dialog waits", SIGTERM, When::WhileTheOptionsDialogWaits },
    };
    TempSite site;
    WriteChainSite(site, 1500);
    for (const Case& c : cases) {
        TestWindow w(site.Root());
        QuitSignals quitSignals;
        QObject::connect(&quitSignals, &QuitSignals::Requested, &w.form, &TTarvikMainForm::CloseAtRequest);
        w.form.Browser()->SelectFile("p0.html");
        DialogResponder responder([&](QWidget* d) {
            if (c.when == When::WhileTheOptionsDialogWaits && d->objectName() == "TTarvSetupForm")
                ::raise(c.signal);
            else
                TestWindow::AnswerTracedRun(d);
        });
        // A dialog left waiting would hold the test for ever: it fails instead.
        QTimer watchdog;
        watchdog.setSingleShot(true);
        QObject::connect(&watchdog, &QTimer::timeout, [&] {
            if (QWidget* waiting = QApplication::activeModalWidget()) {
                ADD_FAILURE() << c.name << ": " << waiting->objectName().toStdString() << " still waits";
                waiting->close();
            }
        });
        watchdog.start(5000);
        QTimer sender;
        if (c.when == When::DuringARun)
            w.ActMidwayThroughARun(sender, [&] { ::raise(c.signal); });
        w.Click("ReportButton");
        EXPECT_FALSE(w.form.isVisible()) << c.name;
        EXPECT_FALSE(w.form.RunInProgress()) << c.name;
        EXPECT_EQ(responder.seen, QStringList { "TTarvSetupForm" }) << c.name << ": no other question";
        EXPECT_LT(w.form.Models().LinkGrid.RowCount(), 1500u) << c.name;
        EXPECT_TRUE(w.store.Contains("Maximized")) << c.name << ": the placement is written";
    }
}
