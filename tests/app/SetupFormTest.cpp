#include "DialogResponder.h"
#include "app/SettingsStore.h"
#include "app/TMsgForm.h"
#include "app/TTarvSetupForm.h"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>
#include <map>

namespace {

struct Form {
    QTemporaryDir dir;
    SettingsStore store { dir.filePath("Tarvik.conf") };
    TTarvSetupForm form { store };

    QWidget* Control(const QString& name) const
    {
        auto* w = form.findChild<QWidget*>(name);
        EXPECT_NE(w, nullptr) << name.toStdString();
        return w;
    }
    void Click(const QString& name) const { qobject_cast<QAbstractButton*>(Control(name))->click(); }
    QComboBox* Base() const { return qobject_cast<QComboBox*>(Control("BaseHRefEdit")); }
    QStringList BaseList() const
    {
        QStringList items;
        for (int i = 0; i < Base()->count(); ++i)
            items.append(Base()->itemText(i));
        return items;
    }
};

struct EnablingCase {
    const char* name;
    int selectedFiles;
    QStringList clicks;
    std::map<QString, bool> enabled;
};

}

TEST(TTarvSetupForm, EnablingRules)
{
    const EnablingCase cases[] = {
        { "as opened for one file", 1, {},
            { { "BaseHRefEdit", false }, { "BaseHRefLabel", false }, { "SepReportCheck", false },
                { "TraceIntoLinksCheck", true }, { "ShowUnusedCheck", true },
                { "RecordHeadersCheck", false } } },
        { "as opened for two files", 2, {},
            { { "SepReportCheck", true }, { "TraceIntoLinksCheck", false } } },
        { "on-line", 1, { "OnlineCheck" },
            { { "BaseHRefEdit", true }, { "BaseHRefLabel", true }, { "ShowUnusedCheck", false },
                { "RecordHeadersCheck", true } } },
        { "on-line and off again", 1, { "OnlineCheck", "OnlineCheck" },
            { { "BaseHRefEdit", false }, { "ShowUnusedCheck", true }, { "RecordHeadersCheck", false } } },
        { "off-line with external links keeps the headers", 1,
            { "ExtLinksCheck", "OnlineCheck", "OnlineCheck" }, { { "RecordHeadersCheck", true } } },
        { "external images enable the headers", 1, { "ExtImagesCheck" }, { { "RecordHeadersCheck", true } } },
        { "no external checks off-line disables them", 1, { "ExtLinksCheck", "NoExtCheck" },
            { { "RecordHeadersCheck", false } } },
        { "no external checks on-line keeps them", 1, { "OnlineCheck", "ExtLinksCheck", "NoExtCheck" },
            { { "RecordHeadersCheck", true } } },
        { "trace enables the address off-line", 1, { "TraceIntoLinksCheck" },
            { { "BaseHRefEdit", true }, { "ShowUnusedCheck", true } } },
        { "untracing disables the address even on-line", 1,
            { "OnlineCheck", "TraceIntoLinksCheck", "TraceIntoLinksCheck" },
            { { "BaseHRefEdit", false }, { "BaseHRefLabel", false }, { "ShowUnusedCheck", false } } },
    };
    for (const EnablingCase& c : cases) {
        Form f;
        f.form.Prepare(c.selectedFiles, {}, "index.html");
        for (const QString& click : c.clicks)
            f.Click(click);
        for (const auto& [name, enabled] : c.enabled)
            EXPECT_EQ(f.Control(name)->isEnabled(), enabled) << c.name << ": " << name.toStdString();
    }
}

TEST(TTarvSetupForm, OkAddsTheNormalizedAddressOnceAndRemembersTheStartingFile)
{
    Form f;
    f.form.Prepare(0, { "http://a/", { "http://a/" } }, "start.html");
    f.Base()->setEditText("  HTTP://A ");
    f.Click("OKButton");
    EXPECT_EQ(f.form.result(), QDialog::Accepted);
    EXPECT_EQ(f.BaseList(), QStringList { "http://a/" }) << "the same address in another case adds nothing";
    EXPECT_EQ(f.Base()->currentText(), "HTTP://A/");
    EXPECT_EQ(f.store.String("LastCheckedPage"), "start.html");
}

TEST(TTarvSetupForm, OnLineWithoutAnAddressKeepsTheDialogOpen)
{
    Form f;
    f.form.Prepare(1, { "http://", {} }, "index.html");
    f.Click("OnlineCheck");
    DialogResponder responder([](QWidget* d) {
        if (qobject_cast<QMessageBox*>(d))
            DialogResponder::Press(d, "OK");
    });
    f.form.show();
    f.Click("OKButton");
    EXPECT_TRUE(f.form.isVisible());
    EXPECT_EQ(responder.seen.filter("QMessageBox"),
        QStringList { "QMessageBox: You must specify a Base HREF for your site\nbefore you can perform an "
                      "on-line check." });
    EXPECT_FALSE(f.store.Contains("LastCheckedPage")) << "nothing is stored";
    f.Click("OnlineCheck");
    f.Click("OKButton");
    EXPECT_EQ(f.form.result(), QDialog::Accepted);
    EXPECT_EQ(MakeRunOptions(f.form.Choices(), {}).BaseHRef, "") << "\"http://\" alone is no address";
}

TEST(TTarvSetupForm, DeletingFromTheHistory)
{
    struct Case {
        QStringList list;
        QString text;
        QStringList expectedList;
        QString expectedText;
    };
    const Case cases[] = {
        { { "http://a/" }, "http://a/", {}, "http://" },
        { { "http://a/", "http://b/" }, "HTTP://B/", { "http://a/" }, "http://a/" },
        { { "http://a/" }, "http://x/", { "http://a/" }, "http://x/" },
    };
    for (const Case& c : cases) {
        Form f;
        f.form.Prepare(1, { c.text, c.list }, "");
        f.form.findChild<QAction*>("Delete1")->trigger();
        EXPECT_EQ(f.BaseList(), c.expectedList) << c.text.toStdString();
        EXPECT_EQ(f.Base()->currentText(), c.expectedText) << c.text.toStdString();
    }
}

TEST(TMsgForm, AnswersOfTheButtonsAndTheFrame)
{
    const std::pair<QString, TMsgForm::Answer> cases[] = {
        { "YesButton", TMsgForm::Yes },
        { "YesToAllButton", TMsgForm::YesToAll },
        { "NoButton", TMsgForm::No },
        { "", TMsgForm::NoAnswer },
    };
    for (const auto& [button, answer] : cases) {
        TMsgForm form("'x.txt' may not be an HTML file (no <HTML> tag). Do you still want to analyse it?");
        QTimer::singleShot(0, &form, [&form, button = button] {
            if (button.isEmpty())
                form.close();
            else
                DialogResponder::Press(&form, button);
        });
        form.exec();
        EXPECT_EQ(form.answer(), answer) << button.toStdString();
    }
}
