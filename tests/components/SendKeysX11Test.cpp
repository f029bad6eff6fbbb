#include "components/SendKeys.h"

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
            m_session->Spawn({ TARVIK_KEY_RECORDER, title, m_files.Root() + "/" + title });
        ASSERT_TRUE(Eventually([&] { return m_desktop->StackingOrder().size() == 2; }));
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
