#include "DialogResponder.h"
#include "TestWindow.h"
#include "XdgEnvironment.h"
#include "app/HelpWindow.h"
#include "app/ProgressPanel.h"
#include "app/TWebButton.h"
#include "app/TWebLabel.h"
#include "components/MainWindowVersion.h"
#include "components/ProjectAddresses.h"
#include "support/FakePrograms.h"
#include "support/LoopbackServer.h"
#include "support/ReportText.h"

#include <QLabel>
#include <QMessageBox>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextEdit>
#include <QTest>
#include <functional>
#include <gtest/gtest.h>

namespace {

const std::string Faults = FixturesFolder() + "/sites/faults";

QAction* HelpCommand(const TestWindow& w, const QString& caption)
{
    for (QAction* a : w.Control<QMenu>("HelpMenu")->actions()) {
        if (a->text() == caption)
            return a;
    }
    ADD_FAILURE() << "no Help command " << caption.toStdString();
    return nullptr;
}

QString Text(QWidget* dialog, const QString& name) { return dialog->findChild<QLabel*>(name)->text(); }

/// While it lives, the private temporary folder is made inside a folder of the test's own.
class TemporaryFolderScope {
public:
    TemporaryFolderScope() { qputenv("TMPDIR", QFile::encodeName(m_dir.path())); }
    ~TemporaryFolderScope() { qunsetenv("TMPDIR"); }

private:
    QTemporaryDir m_dir;
};

}

TEST(TTarvikMainForm, TheUpgradeCheckFromMenuAndStartPanel)
{
    const std::string offer = "26\r\n2.2a\r\n1-5-02\r\nhttps://x.org/up\r\n\r\n\r\n"
                              "<b>Bold</b> & <a href=\"x\">no link</a>\r\nA long second paragraph\r\n";
    struct Case {
        const char* name;
        std::function<void(TestWindow&)> start;
        std::string firstLine;
        QStringList seen;
    } cases[] = {
        { "menu, newer build", [](TestWindow& w) { HelpCommand(w, "Check for &Upgrades")->trigger(); }, "26",
            { "QMessageBox: Checking for upgrades requires an active connection\nto the internet. Are you "
              "connected and ready to go ahead?",
                "TUpgradeForm" } },
        { "start panel link, same build",
            [](TestWindow& w) { emit w.Control<QLabel>("UpgradeLink")->linkActivated("upgrade"); }, "25",
            { "QMessageBox: Checking for upgrades requires an active connection\nto the internet. Are you "
              "connected and ready to go ahead?",
                "QMessageBox: You already have the latest available version of Tarvik" } },
    };
    for (const Case& c : cases) {
        TemporaryFolderScope temporary;
        LoopbackServer mirror({ LoopbackServer::Answer(
            "HTTP/1.0 200 OK\r\n\r\n" + c.firstLine + offer.substr(offer.find("\r\n"))) });
        TestWindow w(Faults);
        w.store.WriteString("UpgradeMirror1", QString::fromStdString(mirror.Url("")));
        for (const char* name : { "UpgradeMirror2", "UpgradeMirror3" })
            w.store.WriteString(name, "http://127.0.0.1:" + QString::number(LoopbackServer::RefusedPort()));
        QStringList shown;
        DialogResponder responder([&](QWidget* d) {
            if (d->objectName() != "TUpgradeForm") {
                auto* box = qobject_cast<QMessageBox*>(d);
                DialogResponder::Press(d, box && box->button(QMessageBox::Yes) ? "Yes" : "OK");
                return;
            }
            auto* details = d->findChild<QTextEdit*>("DetailsMemo");
            QTextBlockFormat first = details->document()->firstBlock().blockFormat();
            shown = { d->windowTitle(), Text(d, "AnnounceLabel"), Text(d, "ReleaseLabel"), Text(d, "WebLabel1"),
                QString::fromStdString(d->findChild<TWebLabel*>("WebLabel1")->Link.URL), details->toPlainText(),
                QString("%1 %2").arg(first.leftMargin()).arg(first.textIndent()) };
            DialogResponder::Press(d, "OKButton");
        });
        c.start(w);
        EXPECT_EQ(responder.seen, c.seen) << c.name;
        EXPECT_FALSE(w.Control<ProgressPanel>("ProgressPanel")->isVisible()) << c.name;
        EXPECT_EQ(w.Control<ProgressPanel>("ProgressPanel")->Caption(),
            QString(ProgressPanel::InitialCaption) + QString(48, '|'))
            << c.name;
        if (c.firstLine == "26") {
            EXPECT_EQ(shown,
                QStringList({ "Tarvik Upgrade", "A later version of Tarvik is available (Version 2.2a)",
                    "Release date: 1-5-02", "https://x.org/up", "https://x.org/up",
                    "<b>Bold</b> & <a href=\"x\">no link</a>\nA long second paragraph", "10 -10" }));
        }
    }
}

TEST(TTarvikAboutForm, ShowsTheVersionAndCopyrightAndOpensTheProjectsMailAndSite)
{
    FakePrograms fake;
    XdgEnvironment environment(fake.folders.configHome, fake.folders.dataHome);
    TestWindow w(Faults);
    QStringList texts;
    std::vector<std::string> mailArguments;
    DialogResponder responder([&](QWidget* d) {
        texts = { d->windowTitle(), Text(d, "VersionLabel"), Text(d, "CPRLabel") };
        QTest::mouseClick(d->findChild<TWebLabel*>("WebLabel1"), Qt::LeftButton);
        mailArguments = fake.Arguments();
        DialogResponder::Press(d, "OKButton");
    });
    HelpCommand(w, "&About")->trigger();
    EXPECT_EQ(responder.seen, QStringList({ "TTarvikAboutForm" }));
    EXPECT_EQ(texts, QStringList({ "Tarvik", "Version 2.1d", QString::fromStdString(MainWindowCopyright()) }));
    EXPECT_EQ(mailArguments, std::vector<std::string>({ std::string("mailto:") + ProjectAddresses::Mail + "?subject=Tarvik" }));
}

TEST(TTarvikMainForm, HelpContentsOpensTheManualOrNamesTheFileLookedFor)
{
    EXPECT_EQ(HelpWindow::ContentsPath("/opt/tarvik/bin"), "/opt/tarvik/share/tarvik/help/index.html");
    struct Case {
        QString page;
        QStringList seen;
        bool opens;
    } cases[] = {
        { TARVIK_HELP_SOURCE "/index.html", {}, true },
        { "/nonexistent/share/tarvik/help/index.html",
            { "QMessageBox: The help file /nonexistent/share/tarvik/help/index.html cannot be found." }, false },
    };
    for (const Case& c : cases) {
        TestWindow w(Faults);
        w.form.SetHelpContentsPage(c.page);
        DialogResponder responder([](QWidget* d) { DialogResponder::Press(d, "OK"); });
        HelpCommand(w, "Contents")->trigger();
        for (int wait = 0; wait < 100 && responder.seen.size() < c.seen.size(); ++wait)
            QTest::qWait(5);
        EXPECT_EQ(responder.seen, c.seen) << c.page.toStdString();
        auto* help = w.form.findChild<HelpWindow*>("HelpWindow");
        ASSERT_TRUE(help);
        EXPECT_EQ(help->isVisible(), c.opens);
        if (c.opens) {
            EXPECT_EQ(help->findChild<QTextBrowser*>()->documentTitle(), "Tarvik Help: Contents");
        }
    }
}
