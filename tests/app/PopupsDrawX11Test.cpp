#include "app/SettingsStore.h"
#include "app/TTarvikMainForm.h"
#include "components/XvfbSession.h"

#include <QApplication>
#include <QImage>
#include <QMenu>
#include <QMessageBox>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <functional>
#include <gtest/gtest.h>

namespace {

/// The share of the widget's own rendering that the X screen shows at its place.
double ShareShownOnScreen(QWidget& widget)
{
    QImage own = widget.grab().toImage().convertToFormat(QImage::Format_RGB32);
    QPoint at = widget.mapToGlobal(QPoint(0, 0));
    QImage shown = widget.screen()->grabWindow(0, at.x(), at.y(), own.width(), own.height()).toImage().convertToFormat(QImage::Format_RGB32);
    if (shown.size() != own.size())
        return 0;
    long same = 0;
    for (int y = 0; y < own.height(); ++y) {
        for (int x = 0; x < own.width(); ++x)
            same += own.pixel(x, y) == shown.pixel(x, y);
    }
    return double(same) / (double(own.width()) * own.height());
}

}

// Pop-up menus and message boxes are windows of their own; on an X server they must show
// what they paint, not an empty (black) rectangle.
TEST(TTarvikMainForm, PopUpMenusAndMessageBoxesShowWhatTheyPaintOnAnXScreen)
{
    std::string whyNot;
    std::unique_ptr<XvfbSession> session = XvfbSession::Start(whyNot);
    if (!session)
        GTEST_SKIP() << "no X session for the drawing test: " << whyNot;
    qputenv("QT_QPA_PLATFORM", "xcb");
    int argc = 1;
    char name[] = "app_x11_tests";
    char* argv[] = { name, nullptr };
    QApplication app(argc, argv);
    QTemporaryDir dir;
    SettingsStore store(dir.filePath("Tarvik.conf"));
    TTarvikMainForm form(store);
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));

    QMessageBox question(QMessageBox::Question, "Tarvik", "Checking completed - create text report?",
        QMessageBox::Yes | QMessageBox::No, &form);
    const struct {
        const char* what;
        std::function<QWidget*()> open;
    } cases[] = {
        { "Help menu", [&]() -> QWidget* {
             auto* menu = form.findChild<QMenu*>("HelpMenu");
             menu->popup(form.mapToGlobal(QPoint(20, 20)));
             return menu;
         } },
        { "question", [&]() -> QWidget* {
             question.show();
             return &question;
         } },
    };
    for (const auto& c : cases) {
        QWidget* shown = c.open();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(shown)) << c.what;
        double share = 0;
        for (int i = 0; i < 100 && share < 0.9; ++i) {
            QTest::qWait(20);
            share = ShareShownOnScreen(*shown);
        }
        EXPECT_GE(share, 0.9) << c.what;
        shown->hide();
    }
}
