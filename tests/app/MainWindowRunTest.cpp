#include "ChainSite.h"
#include "DialogResponder.h"
#include "TestWindow.h"
#include "app/FileBrowser.h"
#include "app/SettingsStore.h"
#include "app/TTarvikMainForm.h"
#include "support/LoopbackServer.h"
#include "support/NginxServer.h"
#include "support/Process.h"
#include "support/ReportText.h"
#include "support/TempSite.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

namespace {

using Window = TestWindow;

/// Ticks the named options in the options dialog and presses OK.
void ChooseOptions(QWidget* dialog, const QStringList& ticks)
{
    for (const QString& tick : ticks)
        DialogResponder::Press(dialog, tick);
    DialogResponder::Press(dialog, "OKButton");
}

}

TEST(TTarvikMainForm, ARunFromTheWindowReportsAsTheCommandLineDoes)
{
    const std::string site = FixturesFolder() + "/sites/faults";
    Window w(site);
    ASSERT_TRUE(w.form.Browser()->SelectFile("index.html"));
    DialogResponder responder([](QWidget* d) {
        if (d->objectName() == "TTarvSetupForm")
            ChooseOptions(d, { "TraceIntoLinksCheck", "ShowUnusedCheck" });
        else if (d->objectName() == "TMsgForm")
            DialogResponder::Press(d, "YesToAllButton");
        else
            DialogResponder::Press(d, "Yes");
    });
    w.Click("ReportButton");

    ProcessResult cli = RunProcess({ TARVIK_CLI, "--folder", site, "--trace", "--unused", "index.html" });
    EXPECT_EQ(WithoutTimes(w.form.Models().Report.PlainText("\n")), WithoutTimes(cli.out));
    EXPECT_EQ(responder.seen.last(), "QMessageBox: Checking completed - create text report?");
    EXPECT_EQ(responder.seen.count("TMsgForm"), 1) << "Yes to All answers the rest of the run";
    auto* tabs = w.Control<QTabWidget>("PageControlAn");
    EXPECT_EQ(tabs->currentWidget()->objectName(), "ReportForm");
    EXPECT_FALSE(w.form.RunInProgress());
    EXPECT_TRUE(w.Control("ReportButton")->isVisible());
    EXPECT_FALSE(w.Control("AbortButton")->isVisible());
}

TEST(TTarvikMainForm, CancellingTheOptionsAnalysesNothing)
{
    Window w(FixturesFolder() + "/sites/faults");
    w.form.Browser()->SelectFile("index.html");
    DialogResponder responder([](QWidget* d) { DialogResponder::Press(d, "CancelButton"); });
    w.Click("ReportButton");
    EXPECT_EQ(responder.seen, QStringList { "TTarvSetupForm" });
    EXPECT_EQ(w.form.Models().LinkGrid.RowCount(), 2u);
    EXPECT_EQ(w.store.String("BaseHRef"), "http://") << "the address is stored even so";
}

TEST(TTarvikMainForm, PauseHoldsTheRunAndAbortEndsIt)
{
    TempSite site;
    const int pages = 1500;
    WriteChainSite(site, pages);
    Window w(site.Root());
    ASSERT_TRUE(w.form.Browser()->SelectFile("p0.html"));
    std::size_t rowsWhenPaused = 0;
    std::size_t rowsAfterPause = 0;
    DialogResponder responder([&](QWidget* d) {
        if (d->objectName() == "TTarvSetupForm") {
            ChooseOptions(d, { "TraceIntoLinksCheck" });
            return;
        }
        auto* box = qobject_cast<QMessageBox*>(d);
        if (box && box->text() == "Are you sure you want to abort?") {
            DialogResponder::Press(d, "Yes");
            return;
        }
        DialogResponder::Press(d, "No");
    });
    // Timers fire only where the run lets the window's events run.
    QTimer pauseOnce;
    QObject::connect(&pauseOnce, &QTimer::timeout, [&] {
        if (w.form.Models().LinkGrid.RowCount() < 20 || !w.form.RunInProgress())
            return;
        pauseOnce.stop();
        QTimer::singleShot(100, [&] {
            rowsAfterPause = w.form.Models().LinkGrid.RowCount();
            EXPECT_FALSE(w.Control("FileListBox1")->isEnabled()) << "during a run";
            EXPECT_EQ(w.Control<QAbstractButton>("PauseButton")->text(), "Continue");
            w.Click("AbortButton");
            w.Click("PauseButton");
        });
        rowsWhenPaused = w.form.Models().LinkGrid.RowCount();
        w.Click("PauseButton");
    });
    pauseOnce.start(1);
    w.Click("ReportButton");

    EXPECT_GE(rowsWhenPaused, 20u) << "paused during the run";
    EXPECT_EQ(rowsAfterPause, rowsWhenPaused) << "nothing checked while paused";
    EXPECT_LT(w.form.Models().LinkGrid.RowCount(), std::size_t(pages)) << "aborted before the end";
    EXPECT_EQ(responder.seen.last(), "QMessageBox: ABORTED BY USER - create partial text report?");
    EXPECT_EQ(w.form.Models().Report.PlainText("\n").find("Total Response Time"), std::string::npos)
        << "No to the closing question";
}

TEST(TTarvikMainForm, GivingUpAStalledProbeTakesUnderASecond)
{
    struct Case {
        const char* name;
        /// Gives up the probe in progress, as the user does.
        std::function<void(Window&)> giveUp;
        QString closingQuestion;
        std::string result;
    };
    const Case cases[] = {
        { "Abort ends the run", [](Window& w) { w.Click("AbortButton"); },
            "QMessageBox: ABORTED BY USER - create partial text report?", "" },
        { "a double click on the status line ends the transfer only",
            [](Window& w) { QTest::mouseDClick(w.Control("FileLabel"), Qt::LeftButton); },
            "QMessageBox: Checking completed - create text report?",
            "FAILED: Connection aborted on request (404)" },
    };
    for (const Case& c : cases) {
        LoopbackServer server({ { LoopbackServer::Stall() } });
        TempSite site(
            { { "index.html", "<html><a href=\"" + server.Url("/slow.html") + "\">x</a></html>" } });
        Window w(site.Root());
        w.form.Browser()->SelectFile("index.html");
        std::chrono::steady_clock::time_point gaveUp;
        DialogResponder responder([&](QWidget* d) {
            if (d->objectName() == "TTarvSetupForm")
                ChooseOptions(d, { "ExtLinksCheck" });
            else
                DialogResponder::Press(
                    d, qobject_cast<QMessageBox*>(d)->text().startsWith("Are you sure") ? "Yes" : "No");
        });
        QTimer giveUpOnce;
        QObject::connect(&giveUpOnce, &QTimer::timeout, [&] {
            if (server.Requests().empty())
                return;
            giveUpOnce.stop();
            gaveUp = std::chrono::steady_clock::now();
            c.giveUp(w);
        });
        giveUpOnce.start(1);
        w.Click("ReportButton");
        EXPECT_LT(std::chrono::steady_clock::now() - gaveUp, std::chrono::seconds(1)) << c.name;
        EXPECT_EQ(responder.seen.last(), c.closingQuestion) << c.name;
        if (!c.result.empty()) {
            EXPECT_EQ(w.form.Models().LinkGrid.Row(1).cells[1], c.result) << c.name;
        }
    }
}

TEST(TTarvikMainForm, TheHtmlReportIsOfferedForSavingAndTheHeadersAreShown)
{
    LoopbackServer server({ LoopbackServer::Answer("HTTP/1.0 200 OK\r\nContent-Type: text/html\r\n\r\n") });
    TempSite site({ { "index.html", "<html><a href=\"" + server.Url("/x.html") + "\">x</a></html>" } });
    Window w(site.Root());
    w.form.Browser()->SelectFile("index.html");
    QTemporaryDir out;
    DialogResponder responder([&](QWidget* d) {
        if (d->objectName() == "TTarvSetupForm") {
            ChooseOptions(d, { "ExtLinksCheck", "HTMLCheck", "RecordHeadersCheck" });
        } else if (auto* save = qobject_cast<QFileDialog*>(d)) {
            EXPECT_EQ(save->windowTitle(), "Save HTML Report");
            EXPECT_EQ(save->directory().absolutePath().toStdString(), site.Root());
            save->findChild<QLineEdit*>("fileNameEdit")->setText(out.filePath("report"));
            QMetaObject::invokeMethod(save, "accept");
        } else {
            DialogResponder::Press(d, "Yes");
        }
    });
    w.Click("ReportButton");
    EXPECT_EQ(responder.seen.at(1), "QMessageBox: Checking completed - create text report and HTML report?");
    std::string html = ReadWholeFile(out.filePath("report.html").toStdString());
    EXPECT_NE(html.find("<HTML><HEAD><TITLE>Tarvik Report - "), std::string::npos);
    EXPECT_NE(html.find("</BODY></HTML>"), std::string::npos);
    auto* tabs = w.Control<QTabWidget>("PageControlAn");
    EXPECT_TRUE(tabs->isTabVisible(tabs->indexOf(w.Control("HeadersEdit"))));
    EXPECT_TRUE(w.Control<QPlainTextEdit>("HeadersEdit")->toPlainText().contains("HTTP/1.0 200 OK"));
}

TEST(TTarvikMainForm, AnOnLineRunFromTheWindowReportsAsTheCommandLineDoes)
{
    NginxServer server(FixturesFolder() + "/sites/faults");
    const std::string base = server.Url("/");
    TempSite empty;
    Window w(empty.Root());
    DialogResponder responder([&](QWidget* d) {
        if (d->objectName() == "TTarvSetupForm") {
            DialogResponder::Press(d, "OnlineCheck");
            d->findChild<QComboBox*>("BaseHRefEdit")->setEditText(QString::fromStdString(base));
            d->findChild<QLineEdit*>("StartFileEdit")->setText("index.html");
            ChooseOptions(d, { "TraceIntoLinksCheck" });
        } else if (d->objectName() == "TMsgForm") {
            DialogResponder::Press(d, "YesToAllButton");
        } else {
            DialogResponder::Press(d, "Yes");
        }
    });
    w.Click("ReportButton");

    ProcessResult cli = RunProcess(
        { TARVIK_CLI, "--folder", empty.Root(), "--online", base, "--trace", "--start", "index.html" });
    EXPECT_NE(cli.out.find("index.html"), std::string::npos);
    EXPECT_EQ(WithoutTimes(w.form.Models().Report.PlainText("\n")), WithoutTimes(cli.out));
    EXPECT_EQ(w.store.String("BaseHRef"), QString::fromStdString(base));
}
