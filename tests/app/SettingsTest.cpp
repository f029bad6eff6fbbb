#include "app/BaseHRefHistory.h"
#include "app/SettingsStore.h"
#include "app/WindowPlacement.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <map>

namespace {

struct TempStore {
    QTemporaryDir dir;
    QString path = dir.filePath("Tarvik.conf");
    std::unique_ptr<SettingsStore> store = std::make_unique<SettingsStore>(path);
    /// A fresh store over the same file, as at the next start.
    SettingsStore& Reopen()
    {
        store.reset();
        store = std::make_unique<SettingsStore>(path);
        return *store;
    }
};

struct PlacementCase {
    const char* name;
    std::map<QString, int> stored;
    QRect screen;
    QRect expected;
    bool maximized;
};

}

TEST(SettingsStore, WindowPlacementAtStartUp)
{
    const PlacementCase cases[] = {
        { "first start on 1024 x 768", {}, { 0, 0, 1024, 768 }, { 192, 149, 640, 470 }, false },
        { "a screen 400 pixels high", {}, { 0, 0, 800, 400 }, { 80, 0, 640, 400 }, false },
        { "a second screen to the right", {}, { 1024, 0, 1024, 768 }, { 1216, 149, 640, 470 }, false },
        { "stored placement", { { "Left", 10 }, { "Top", 20 }, { "Width", 700 }, { "Height", 500 } },
            { 0, 0, 1024, 768 }, { 10, 20, 700, 500 }, false },
        { "wider and taller than the screen",
            { { "Left", 0 }, { "Top", 0 }, { "Width", 2000 }, { "Height", 900 } }, { 0, 0, 1024, 768 },
            { 0, 0, 1024, 768 }, false },
        { "a size that is not positive", { { "Width", 0 }, { "Height", -5 } }, { 0, 0, 1024, 768 },
            { 192, 149, 640, 470 }, false },
        { "maximized", { { "Maximized", 1 } }, { 0, 0, 1024, 768 }, { 192, 149, 640, 470 }, true },
        { "any non-zero flag is true", { { "Maximized", 7 } }, { 0, 0, 1024, 768 }, { 192, 149, 640, 470 },
            true },
    };
    for (const PlacementCase& c : cases) {
        TempStore t;
        for (const auto& [name, value] : c.stored)
            t.store->WriteInteger(name, value);
        WindowPlacement p = WindowPlacement::Load(t.Reopen(), c.screen);
        EXPECT_EQ(p.geometry, c.expected) << c.name;
        EXPECT_EQ(p.maximized, c.maximized) << c.name;
    }
}

TEST(SettingsStore, ClosingWhileMaximizedKeepsTheEarlierPlacement)
{
    TempStore t;
    WindowPlacement::Save(*t.store, { 30, 40, 700, 500 }, false);
    WindowPlacement::Save(*t.store, { 0, 0, 1024, 768 }, true);
    WindowPlacement p = WindowPlacement::Load(t.Reopen(), { 0, 0, 1024, 768 });
    EXPECT_TRUE(p.maximized);
    EXPECT_EQ(p.geometry, QRect(30, 40, 700, 500));
}

TEST(SettingsStore, ADamagedFileGivesTheDefaultsAndOneMessage)
{
    QTemporaryDir dir;
    QString path = dir.filePath("Tarvik.conf");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("[General\nLeft=3\nList%20Unchecked=0\n");
    file.close();
    testing::internal::CaptureStderr();
    {
        SettingsStore store(path);
        EXPECT_FALSE(store.Integer("Left"));
        EXPECT_FALSE(store.Flag("List Unchecked"));
        store.WriteInteger("Top", 9);
    }
    std::string err = testing::internal::GetCapturedStderr();
    EXPECT_NE(err.find("cannot be read; the defaults are used"), std::string::npos) << err;
    EXPECT_EQ(err.find('\n'), err.size() - 1) << "one message";
    EXPECT_EQ(SettingsStore(path).Integer("Top"), 9) << "the next write replaces the file whole";
}

namespace {

struct HistoryCase {
    const char* name;
    std::map<QString, QString> stored;
    std::vector<BaseHRefHistory::Closed> closings;
    QString expectedCurrent;
    QStringList expectedEntries;
};

}

TEST(BaseHRefHistory, OpeningAndClosingTheDialog)
{
    using C = BaseHRefHistory::Closed;
    const HistoryCase cases[] = {
        { "no history", {}, { C::Cancelled }, "http://", {} },
        { "three sites then the last address",
            { { "BaseHRef", "http://d/" }, { "BaseHRef1", "http://a/" }, { "BaseHRef2", "http://b/" },
                { "BaseHRef3", "http://c/" } },
            { C::Ok }, "http://d/", { "http://a/", "http://b/", "http://c/", "http://d/" } },
        { "the last address listed in another letter case",
            { { "BaseHRef", "HTTP://A/" }, { "BaseHRef1", "http://a/" } }, { C::Ok }, "HTTP://A/",
            { "http://a/" } },
        { "a gap ends the history", { { "BaseHRef1", "http://a/" }, { "BaseHRef3", "http://c/" } }, { C::Ok },
            "http://", { "http://a/" } },
        { "cancelling twice keeps it", { { "BaseHRef1", "http://a/" }, { "BaseHRef2", "http://" } },
            { C::Cancelled, C::Cancelled }, "http://", { "http://a/", "http://" } },
        { "\"http://\" and empty entries do not survive a run",
            { { "BaseHRef1", "http://" }, { "BaseHRef2", "" }, { "BaseHRef3", "http://c/" } }, { C::Ok },
            "http://", { "http://c/" } },
    };
    for (const HistoryCase& c : cases) {
        TempStore t;
        for (const auto& [name, value] : c.stored)
            t.store->WriteString(name, value);
        for (C how : c.closings) {
            BaseHRefHistory opened = BaseHRefHistory::Load(t.Reopen());
            EXPECT_FALSE(t.store->Contains("BaseHRef1")) << c.name << ": the list moves out of the store";
            opened.Save(*t.store, how);
        }
        BaseHRefHistory last = BaseHRefHistory::Load(t.Reopen());
        EXPECT_EQ(last.current, c.expectedCurrent) << c.name;
        EXPECT_EQ(last.entries, c.expectedEntries) << c.name;
    }
}

TEST(BaseHRefHistory, NormalizingTheTypedAddress)
{
    const std::pair<QString, QString> cases[] = {
        { "http://site.example", "http://site.example/" },
        { " \thttp://site.example/dir/\r\n", "http://site.example/dir/" },
        { "http://", "http://" },
        { "  ", "" },
    };
    for (const auto& [typed, expected] : cases)
        EXPECT_EQ(NormalizedBaseHRef(typed), expected) << typed.toStdString();
}
