#include "net/WSocketError.h"

#include <cerrno>
#include <gtest/gtest.h>
#include <netdb.h>

TEST(WSocketError, PosixErrorsMapToTheirWindowsSocketsCodesAndTexts)
{
    const std::tuple<int, int, const char*> cases[] = {
        { ECONNREFUSED, 10061, "Connection refused" },
        { ECONNRESET, 10054, "Connection reset by peer" },
        { ETIMEDOUT, 10060, "Connection timed out" },
        { EHOSTUNREACH, 10065, "No route to host" },
        { ENETUNREACH, 10051, "Network is unreachable" },
        { EADDRNOTAVAIL, 10049, "Address not available" },
        { EWOULDBLOCK, 10035, "Operation would block" },
    };
    for (const auto& [posix, code, text] : cases) {
        EXPECT_EQ(WSocketError::FromErrno(posix), code) << text;
        EXPECT_EQ(WSocketErrorDesc(code), text);
    }
    EXPECT_EQ(WSocketError::FromAddrInfoError(EAI_NONAME), 11001);
    EXPECT_EQ(WSocketErrorDesc(0), "No Error");
    EXPECT_EQ(WSocketErrorDesc(11004), "No Data");
    EXPECT_EQ(WSocketErrorDesc(12345), "Not a WinSock error");
}
