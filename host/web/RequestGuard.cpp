// Token, Host and Origin checks of the page's server.
#include "host/web/RequestGuard.h"

#include <array>
#include <cstdio>
#include <random>

namespace veld::web {

namespace {

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) {
        text.remove_prefix(1);
    }
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) {
        text.remove_suffix(1);
    }
    return text;
}

} // namespace

std::string RequestGuard::newToken() {
    std::random_device source; // reads the kernel's random source
    std::string token;
    for (int i = 0; i < 8; ++i) {
        char hex[9];
        std::snprintf(hex, sizeof hex, "%08x", static_cast<unsigned>(source()));
        token += hex;
    }
    return token;
}

std::string RequestGuard::cookieName() const {
    return "veld_token_" + std::to_string(port_);
}

bool RequestGuard::hostAllowed(std::string_view host) const {
    const std::string port = ":" + std::to_string(port_);
    return host == "127.0.0.1" + port || host == "localhost" + port;
}

bool RequestGuard::originAllowed(std::string_view origin) const {
    return origin.empty() || hostAllowed(origin.starts_with("http://") ? origin.substr(7) : "");
}

bool RequestGuard::fetchSiteAllowed(std::string_view site) {
    return site.empty() || site == "same-origin" || site == "none";
}

bool RequestGuard::tokenMatches(std::string_view candidate) const {
    if (candidate.size() != token_.size() || token_.empty()) {
        return false;
    }
    unsigned char difference = 0;
    for (std::size_t i = 0; i < token_.size(); ++i) {
        difference |= static_cast<unsigned char>(candidate[i] ^ token_[i]);
    }
    return difference == 0;
}

std::string RequestGuard::tokenFromCookie(std::string_view header) const {
    const std::string name = cookieName();
    while (!header.empty()) {
        std::size_t end = header.find(';');
        std::string_view pair = trimmed(header.substr(0, end));
        std::size_t equals = pair.find('=');
        if (equals != std::string_view::npos && pair.substr(0, equals) == name) {
            return std::string(pair.substr(equals + 1));
        }
        header = end == std::string_view::npos ? std::string_view() : header.substr(end + 1);
    }
    return {};
}

} // namespace veld::web
