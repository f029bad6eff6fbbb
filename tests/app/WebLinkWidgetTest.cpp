#include "DialogResponder.h"
#include "XdgEnvironment.h"
#include "app/TWebButton.h"
#include "app/TWebLabel.h"
#include "support/FakePrograms.h"

#include <QTemporaryDir>
#include <QTest>
#include <functional>
#include <gtest/gtest.h>

namespace {

using Strings = std::vector<std::string>;

/// Clicks a hyperlink label or button as the user does, given its link.
using Click = std::function<void(const WebLink& link, std::function<void(WebLink&)> onClick)>;

void ClickLabel(const WebLink& link, std::function<void(WebLink&)> onClick)
{
    TWebLabel label;
    label.setText("link");
    label.Link = link;
    label.OnClick = [&] { onClick(label.Link); };
    label.show();
    QTest::mouseClick(&label, Qt::LeftButton);
}

void ClickButton(const WebLink& link, std::function<void(WebLink&)> onClick)
{
    TWebButton button;
    button.Link = link;
    button.SetServiceType(link.ServiceType);
    button.OnClick = [&] { onClick(button.Link); };
    button.show();
    QTest::mouseClick(&button, Qt::LeftButton);
}

}

TEST(TWebLabel, AClickRunsTheHandlerThenOpensTheLinkInTheDefaultProgram)
{
    auto nothing = [](WebLink&) {};
    struct Case {
        const char* name;
        Click click;
        WebLink link;
        std::function<void(WebLink&)> onClick;
        Strings arguments;
    } cases[] = {
        { "label, web address", ClickLabel, { "https://x.org/a b", TServType::svHTTP, "", "" }, nothing,
            { "https://x.org/a b" } },
        { "label, subject set by the handler", ClickLabel, { "me@x.org", TServType::svMAIL, "", "" },
            [](WebLink& l) { l.Subject = "Tarvik"; }, { "mailto:me@x.org?subject=Tarvik" } },
        { "button, address changed by the handler", ClickButton, { "https://x.org/", TServType::svHTTP, "", "" },
            [](WebLink& l) { l.URL = "https://y.org/"; }, { "https://y.org/" } },
        { "button, two-line body without subject", ClickButton,
            { "me@x.org", TServType::svMAIL, "", "a \"b\"|c" }, nothing, { "mailto:me@x.org?body=a %22b%22%0D%0Ac" } },
    };
    for (const Case& c : cases) {
        FakePrograms fake;
        XdgEnvironment environment(fake.folders.configHome, fake.folders.dataHome);
        c.click(c.link, c.onClick);
        EXPECT_EQ(fake.Arguments(), c.arguments) << c.name;
    }
}

TEST(TWebLabel, StartsBlueAndStaysInTheClickedColourAfterAClick)
{
    FakePrograms fake;
    XdgEnvironment environment(fake.folders.configHome, fake.folders.dataHome);
    TWebLabel label;
    label.Link.URL = "https://x.org/";
    EXPECT_TRUE(label.font().underline());
    EXPECT_EQ(label.palette().color(QPalette::WindowText), QColor(Qt::blue));
    label.FontClickedColor = Qt::darkRed;
    label.Click();
    label.setText("changed later");
    EXPECT_EQ(label.palette().color(QPalette::WindowText), QColor(Qt::darkRed));
    EXPECT_EQ(fake.Arguments(), Strings({ "https://x.org/" }));
}

TEST(TWebLabel, AMissingDefaultProgramIsToldInAMessageBox)
{
    QTemporaryDir empty;
    XdgEnvironment environment(empty.path().toStdString(), empty.path().toStdString());
    DialogResponder responder([](QWidget* d) { DialogResponder::Press(d, "OK"); });
    TWebLabel label;
    label.Link = { "https://x.org/", TServType::svHTTP, "", "" };
    label.Click();
    TWebButton button;
    button.Link.URL = "me@x.org";
    button.SetServiceType(TServType::svMAIL);
    button.click();
    EXPECT_EQ(responder.seen,
        QStringList({ "QMessageBox: Can't find default browser.", "QMessageBox: Can't find default e-mail program." }));
}
