// The checks every request to the page's server passes: the session's token (in the query, the
// page's cookie or a header), a Host header naming this loopback server (no DNS rebinding) and,
// when the browser sends them, an Origin of this server and no cross-site fetch.
#pragma once
#include <string>
#include <string_view>

namespace veld::web {

class RequestGuard {
public:
    RequestGuard(std::string token, int port) : token_(std::move(token)), port_(port) {}

    // A new random token: 32 bytes from the system's random source, as hex.
    static std::string newToken();

    const std::string& token() const { return token_; }
    // The cookie that carries the token for this server (cookies are shared between ports).
    std::string cookieName() const;

    bool hostAllowed(std::string_view host) const;
    // An empty origin (same-origin navigation, other clients) is allowed.
    bool originAllowed(std::string_view origin) const;
    // The value of a Sec-Fetch-Site header; empty when the client sent none.
    static bool fetchSiteAllowed(std::string_view site);
    // Compares in constant time.
    bool tokenMatches(std::string_view candidate) const;
    // The token in a Cookie header, or empty.
    std::string tokenFromCookie(std::string_view cookieHeader) const;

private:
    std::string token_;
    int port_;
};

} // namespace veld::web
