#include "support/ConcurrentServer.h"
#include "support/Process.h"
#include "support/TempSite.h"

#include <gtest/gtest.h>
#include <optional>

TEST(CliRemember, ASecondRunWithoutTheServerTakesItsOkFromTheFileAndSaysSoInJson)
{
    std::optional<ConcurrentServer> server(
        std::in_place, [](const std::string&, const std::string&) { return ConcurrentServer::Ok(); });
    const std::string link = server->Url("/page.html");
    TempSite site({ { "index.html", "<html><body><a href=\"" + link + "\">x</a></body></html>" } });
    auto run = [&] {
        return RunProcess({ TARVIK_CLI, "-q", "--external", "links", "--folder", site.Root(), "--remember",
            site.Root() + "/remembered.txt", "--json", site.Root() + "/r.json", "index.html" });
    };
    ASSERT_EQ(run().exitStatus, 0);
    EXPECT_EQ(site.Read("r.json").find("\"remembered\""), std::string::npos);
    server.reset();

    EXPECT_EQ(run().exitStatus, 0);
    const std::string json = site.Read("r.json");
    EXPECT_NE(
        json.find("\"result\": \"OK\", \"inFile\": \"index.html\", \"secs\": \"0.0\", \"remembered\": true"),
        std::string::npos)
        << json;
}
