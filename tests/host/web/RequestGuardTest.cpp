// The server's gate: which Host and Origin headers name this server, the token's comparison and
// its cookie among others.
#include "host/web/RequestGuard.h"

#include <gtest/gtest.h>

using veld::web::RequestGuard;

TEST(RequestGuard, OnlyThisLoopbackServerIsAcceptedAsHostAndOrigin) {
    RequestGuard guard("secret", 8080);
    EXPECT_TRUE(guard.hostAllowed("127.0.0.1:8080"));
    EXPECT_TRUE(guard.hostAllowed("localhost:8080"));
    for (const char* host : {"127.0.0.1", "127.0.0.1:80", "127.0.0.1:80800", "evil.example:8080",
                             "127.0.0.1.evil.example:8080", "", "[::1]:8080"}) {
        EXPECT_FALSE(guard.hostAllowed(host)) << host;
    }
    EXPECT_TRUE(guard.originAllowed(""));
    EXPECT_TRUE(guard.originAllowed("http://127.0.0.1:8080"));
    for (const char* origin : {"null", "https://127.0.0.1:8080", "http://evil.example:8080",
                               "http://127.0.0.1:8081", "127.0.0.1:8080"}) {
        EXPECT_FALSE(guard.originAllowed(origin)) << origin;
    }
    EXPECT_TRUE(RequestGuard::fetchSiteAllowed("same-origin"));
    EXPECT_FALSE(RequestGuard::fetchSiteAllowed("cross-site"));
    EXPECT_FALSE(RequestGuard::fetchSiteAllowed("same-site")) << "another port is another site";
}

TEST(RequestGuard, TheTokenMustMatchWhollyAndIsFoundInItsOwnCookie) {
    RequestGuard guard("abcdef", 80);
    EXPECT_TRUE(guard.tokenMatches("abcdef"));
    EXPECT_FALSE(guard.tokenMatches("abcde"));
    EXPECT_FALSE(guard.tokenMatches("abcdefg"));
    EXPECT_FALSE(guard.tokenMatches(""));
    EXPECT_FALSE(RequestGuard("", 80).tokenMatches("")) << "no token is never a match";
    EXPECT_EQ(guard.tokenFromCookie("a=1; veld_token_8080=other; veld_token_80=abcdef; b=2"),
              "abcdef");
    EXPECT_EQ(guard.tokenFromCookie("veld_token_8080=other"), "") << "another server's cookie";

    std::string token = RequestGuard::newToken();
    EXPECT_EQ(token.size(), 64u);
    EXPECT_EQ(token.find_first_not_of("0123456789abcdef"), std::string::npos);
    EXPECT_NE(token, RequestGuard::newToken());
}
