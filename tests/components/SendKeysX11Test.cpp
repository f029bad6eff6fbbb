#include "components/OpenUrlInBrowser.h"
#include "components/SendKeys.h"
#include "components/TORBSendKeys.h"

#include "support/FakePrograms.h"
#include "RecordingHost.h"
#include "XvfbSession.h"
#include "support/TempSite.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <thread>

namespace {

using Lines = std::vector<std::string>;

class RecordingClipboard : public Clipboard {
public:
    void SetText(const std::string& text) override { texts.push_back(text); }
    Lines texts;
};

/// A private X session with two key-recording windows, "Alpha recorder" and
/// "Beta recorder".
class SendKeysX11 : public testing::Test {
protected:
    void SetUp() override
    {
        std::string whyNot;
        m_session = XvfbSession::Start(whyNot);
        if (!m_session)
            GTEST_SKIP() << "no X session for the keystroke tests: " << whyNot;
        m_desktop = X11Desktop::Open();
        ASSERT_TRUE(m_desktop);
        for (const char* title : { "Alpha recorder", "Beta recorder" })
            ASSERT_TRUE(Launch(title));
    }

    /// Starts a recorder and waits until the window manager has given it the focus, as it
    /// does for every new window, so that no late focus change upsets a test.
    bool Launch(const std::string& title, const std::string& file = "")
    {
        m_session->Spawn(
            { TARVIK_KEY_RECORDER, title, m_files.Root() + "/" + (file.empty() ? title : file) });
        return Eventually([&] {
            std::optional<X11Desktop::WindowId> active = m_desktop->ActiveWindow();
            return active && m_desktop->Title(*active) == title;
        });
    }

    static bool Eventually(const std::function<bool()>& ready)
    {
        for (int i = 0; i < 300; ++i) {
            if (ready())
                return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        return false;
    }

    X11Desktop::WindowId Window(const std::string& title)
    {
        for (X11Desktop::WindowId window : m_desktop->StackingOrder()) {
            if (m_desktop->Title(window) == title)
                return window;
        }
        ADD_FAILURE() << "no window " << title;
        return 0;
    }

    /// The keys the window has recorded since the last call, once `count` have arrived.
    Lines Received(const std::string& title, std::size_t count)
    {
        std::string path = m_files.Root() + "/" + title;
        Lines lines;
        Eventually([&] {
            lines.clear();
            std::ifstream in(path);
            for (std::string line; std::getline(in, line);)
                lines.push_back(line);
            return lines.size() >= count;
        });
        std::remove(path.c_str());
        return lines;
    }

    TempSite m_files;
    std::unique_ptr<XvfbSession> m_session;
    std::unique_ptr<X11Desktop> m_desktop;
};

}

TEST_F(SendKeysX11, KeyStringsArriveInTheFocusedWindow)
{
    struct Case {
        const char* keys;
        Lines received;
    } cases[] = {
        { "abc", { "a", "b", "c" } },
        { "+(ab)c", { "A", "B", "c" } },
        { "{TAB 3}", { "Tab", "Tab", "Tab" } },
        { "^o{enter}1!", { "C-o", "Return", "1", "exclam" } },
    };
    X11Desktop::WindowId beta = Window("Beta recorder");
    ASSERT_TRUE(m_desktop->Activate(beta));
    for (const Case& c : cases) {
        EXPECT_EQ(SendKeyString(*m_desktop, c.keys), KeyStringResult::Ok) << c.keys;
        EXPECT_EQ(Received("Beta recorder", c.received.size()), c.received) << c.keys;
    }
    EXPECT_EQ(SendKeyString(*m_desktop, "ab{NOPE}"), KeyStringResult::UnknownKeyName);
    EXPECT_EQ(SendKeyString(*m_desktop, "z"), KeyStringResult::Ok);
    EXPECT_EQ(Received("Beta recorder", 1), Lines { "z" });
}

TEST_F(SendKeysX11, HandOffFindsTheBrowserWindowBesideTheActiveOneAndPastesTheLink)
{
    X11Desktop::WindowId alpha = Window("Alpha recorder");
    X11Desktop::WindowId beta = Window("Beta recorder");
    ASSERT_TRUE(m_desktop->Activate(beta));
    EXPECT_EQ(FindWindowByTitle(*m_desktop, "Alpha"), alpha);
    EXPECT_EQ(FindWindowByTitle(*m_desktop, "recorder"), alpha);
    EXPECT_EQ(FindWindowByTitle(*m_desktop, "Beta"), std::nullopt);
    EXPECT_EQ(FindWindowByTitle(*m_desktop, "alpha"), std::nullopt);

    RecordingClipboard clipboard;
    EXPECT_TRUE(SendKeysWithPaste(*m_desktop, alpha, "^o{p}http://x.org/{/p}{enter}", clipboard));
    EXPECT_EQ(m_desktop->ActiveWindow(), alpha);
    EXPECT_EQ(clipboard.texts, Lines { "http://x.org/" });
    EXPECT_EQ(Received("Alpha recorder", 3), (Lines { "C-o", "C-v", "Return" }));
}

TEST_F(SendKeysX11, LinkIsTypedIntoARunningBrowserWindowElseTheBrowserIsStarted)
{
    FakePrograms explorer("iexplore %u");
    RecordingClipboard clipboard;
    OpenUrlInBrowser("page.html", true, "http://site.org/", explorer.folders, clipboard);
    EXPECT_EQ(explorer.Arguments(), (Lines { "iexplore", "http://site.org/page.html" }));
    EXPECT_TRUE(clipboard.texts.empty());

    ASSERT_TRUE(m_desktop->Activate(Window("Alpha recorder")));
    ASSERT_TRUE(Launch("Home - Internet Explorer", "explorer"));
    ASSERT_TRUE(m_desktop->Activate(Window("Alpha recorder")));
    FakePrograms unused("iexplore %u");
    OpenUrlInBrowser("http://x.org/", false, "", unused.folders, clipboard);
    EXPECT_EQ(clipboard.texts, Lines { "http://x.org/" });
    EXPECT_EQ(Received("explorer", 3), (Lines { "C-o", "C-v", "Return" }));
}

TEST_F(SendKeysX11, ComponentFindsItsTargetByEachKindOfSearch)
{
    using T = TTCTypes;
    struct Case {
        T type;
        const char* targetClass;
        const char* title;
        int titleStart;
        const char* receiver; // empty: not found
    } cases[] = {
        { T::tcPart, "", "eta rec", 1, "Beta recorder" },
        { T::tcWhole, "", "Beta recorder", 1, "Beta recorder" }, { T::tcWhole, "", "Beta", 1, "" },
        { T::tcStart, "", "Beta", 1, "Beta recorder" }, { T::tcEnd, "", "ta recorder", 1, "Beta recorder" },
        { T::tcCharPos, "", "eta", 2, "Beta recorder" }, { T::tcCharPos, "", "eta", 3, "" },
        { T::tcPart, "KeyRecorder", "Beta recorder", 1, "Beta recorder" },
        { T::tcPart, "KeyRecorder", "Beta", 1, "" }, { T::tcPart, "Other", "", 1, "" },
        { T::tcThisWindow, "", "", 1, "Alpha recorder" },
        { T::tcPart, "", "Alpha", 1, "" }, // the active window itself is never examined
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(m_desktop->Activate(Window("Alpha recorder")));
        TORBSendKeys sender;
        sender.TargetTitleType = c.type;
        sender.TargetClass = c.targetClass;
        sender.TargetTitle = c.title;
        sender.TitleStart = c.titleStart;
        sender.KeyStrokes = "q";
        Lines events;
        sender.OnBeforeSend = [&](TORBSendKeys&) { events.push_back("before"); };
        sender.OnAfterSend = [&](TORBSendKeys&) { events.push_back("after"); };
        sender.OnNotFound = [&](TORBSendKeys&) { events.push_back("not found"); };
        RecordingHost host;
        RecordingClipboard clipboard;
        bool found = *c.receiver != 0;
        EXPECT_EQ(sender.Execute(*m_desktop, host, clipboard), found) << c.title;
        EXPECT_EQ(events, (found ? Lines { "before", "after" } : Lines { "not found" })) << c.title;
        EXPECT_TRUE(host.messages.empty());
        if (!found)
            continue;
        EXPECT_EQ(sender.TargetHandle, Window(c.receiver)) << c.title;
        EXPECT_EQ(sender.TargetWindowTitle, c.receiver);
        EXPECT_EQ(Received(c.receiver, 1), Lines { "q" }) << c.title;
    }
}

TEST_F(SendKeysX11, ComponentWaitsLaunchesAndReportsAMissingTarget)
{
    TORBSendKeys sender;
    sender.TargetTitle = "Gamma";
    sender.ShowErrors = true;
    sender.LaunchApp = true;
    sender.CommandLine
        = std::string("\"") + TARVIK_KEY_RECORDER + "\" \"Gamma recorder\" " + m_files.Root() + "/gamma";
    sender.TryTime = 200;
    RecordingHost host;
    RecordingClipboard clipboard;
    auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(sender.Execute(*m_desktop, host, clipboard));
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(200));
    EXPECT_EQ(host.messages,
        Lines { "SendKeys can't find window titled \"...Gamma...\". SendKeys will launch program." });
    ASSERT_TRUE(Eventually([&] { return m_desktop->StackingOrder().size() == 3; }));

    // A window that appears while the search is repeated is found; it may take the focus
    // as it appears, which only the class search does not mind.
    sender.TargetClass = "KeyRecorder";
    sender.TargetTitle = "Delta recorder";
    sender.KeyStrokes = "{p}pasted{/p}x";
    sender.TryTime = 5000;
    m_session->Spawn({ TARVIK_KEY_RECORDER, "Delta recorder", m_files.Root() + "/Delta recorder" });
    EXPECT_TRUE(sender.Execute(*m_desktop, host, clipboard));
    EXPECT_EQ(clipboard.texts, Lines { "pasted" });
    EXPECT_EQ(Received("Delta recorder", 2), (Lines { "C-v", "x" }));
}

TEST(SendKeyString, WithoutAnXDisplayNothingIsPlayed)
{
    const char* previous = std::getenv("DISPLAY");
    std::string saved = previous ? previous : "";
    ::setenv("DISPLAY", ":9999", 1);
    EXPECT_EQ(SendKeyString("abc"), KeyStringResult::NoPlayback);
    if (previous)
        ::setenv("DISPLAY", saved.c_str(), 1);
    else
        ::unsetenv("DISPLAY");
}
