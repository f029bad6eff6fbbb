#include "app/QtClipboard.h"
#include "support/FakePrograms.h"
#include "components/OpenUrlInBrowser.h"
#include "components/XvfbSession.h"
#include "support/TempSite.h"

#include <QApplication>
#include <chrono>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <thread>

namespace {

using Lines = std::vector<std::string>;

bool Eventually(const std::function<bool()>& ready)
{
    for (int i = 0; i < 300; ++i) {
        if (ready())
            return true;
        QCoreApplication::processEvents();
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return false;
}

Lines LinesOf(const std::string& path)
{
    Lines lines;
    std::ifstream in(path);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

}

// The link reaches a running browser window through this program's own X11 selection,
// which it must serve before the Enter that follows the paste is played.
TEST(QtClipboard, ALinkTypedIntoABrowserWindowIsPastedBeforeItsEnter)
{
    std::string whyNot;
    std::unique_ptr<XvfbSession> session = XvfbSession::Start(whyNot);
    if (!session)
        GTEST_SKIP() << "no X session for the clipboard test: " << whyNot;
    std::unique_ptr<X11Desktop> desktop = X11Desktop::Open();
    ASSERT_TRUE(desktop);
    TempSite files;
    auto launch = [&](const std::string& title, const std::string& file) {
        session->Spawn({ TARVIK_KEY_RECORDER, title, files.Root() + "/" + file });
        return Eventually([&] {
            std::optional<X11Desktop::WindowId> active = desktop->ActiveWindow();
            return active && desktop->Title(*active) == title;
        });
    };
    ASSERT_TRUE(launch("Alpha recorder", "alpha"));
    std::optional<X11Desktop::WindowId> alpha = desktop->ActiveWindow();
    ASSERT_TRUE(launch("Home - Internet Explorer", "explorer"));
    ASSERT_TRUE(desktop->Activate(*alpha));

    qputenv("QT_QPA_PLATFORM", "xcb");
    int argc = 1;
    char name[] = "app_x11_tests";
    char* argv[] = { name, nullptr };
    QApplication app(argc, argv);
    FakePrograms browser("iexplore %u");
    QtClipboard clipboard;
    OpenUrlInBrowser("http://x.org/", false, "", browser.folders, clipboard);
    Lines expected { "C-o", "C-v", "pasted: http://x.org/", "Return" };
    Eventually([&] { return LinesOf(files.Root() + "/explorer").size() >= expected.size(); });
    EXPECT_EQ(LinesOf(files.Root() + "/explorer"), expected);
}
