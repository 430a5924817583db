// veld serve's command line: what it refuses before serving anything (the page itself is tested
// in a browser, tests/web/serve.test.mjs).
#include "support/VeldWorkspace.h"

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

using veld::test::VeldWorkspace;

TEST(E2eServe, UsageErrorsAndUnreadableDrawingsStopBeforeServing) {
    VeldWorkspace ws;
    EXPECT_EQ(ws.run({"serve", "--port", "http"}).exitCode, 2);
    EXPECT_EQ(ws.run({"serve", "--port", "65536"}).exitCode, 2);
    EXPECT_EQ(ws.run({"serve", "a.dxf", "b.dxf"}).exitCode, 2);
    EXPECT_EQ(ws.run({"serve", "--out", "x.dxf"}).exitCode, 2);
    auto r = ws.run({"run", "x.veld", "--port", "80"});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_NE(r.err.find("--port is an option of veld serve"), std::string::npos);
    r = ws.run({"serve", (ws.folder() / "missing.dxf").string(), "--no-browser"});
    EXPECT_EQ(r.exitCode, 3);
    EXPECT_TRUE(r.out.empty()) << "no address is given out for a session that never started";
}

TEST(E2eServe, APortInUseIsReportedNotTakenOver) {
    int holder = socket(AF_INET, SOCK_STREAM, 0);
    ASSERT_GE(holder, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ASSERT_EQ(bind(holder, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    ASSERT_EQ(listen(holder, 1), 0);
    socklen_t length = sizeof address;
    getsockname(holder, reinterpret_cast<sockaddr*>(&address), &length);
    const std::string port = std::to_string(ntohs(address.sin_port));

    VeldWorkspace ws;
    auto r = ws.run({"serve", "--no-browser", "--port", port});
    EXPECT_EQ(r.exitCode, 5);
    EXPECT_NE(r.err.find("cannot listen on 127.0.0.1:" + port), std::string::npos) << r.err;
    close(holder);
}
