// The page's HTTP server.
#include "host/web/WebServer.h"

#include "host/ed/TypedText.h"
#include "host/snap/ObjectSnap.h"
#include "host/web/Assets.h"
#include "host/web/DisplayFeed.h"
#include "host/web/DrawingFiles.h"
#include "host/web/EventHub.h"
#include "host/web/WebInput.h"

#include <httplib.h>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <cmath>

namespace veld::web {

namespace {

using Kind = ed::PromptState::Kind;

constexpr std::size_t kLineLimit = 4096;
constexpr std::size_t kPickLimit = 1024;
constexpr std::size_t kUploadLimit = 64u << 20;
constexpr int kServerThreads = 24; // each open event stream holds one
constexpr auto kKeepAlive = std::chrono::seconds(15);

const char* kindName(Kind kind) {
    switch (kind) {
    case Kind::Command:
        return "command";
    case Kind::Point:
        return "point";
    case Kind::Corner:
        return "corner";
    case Kind::Select:
        return "select";
    case Kind::Text:
        return "text";
    case Kind::Keyword:
        return "keyword";
    }
    return "text";
}

void refuse(httplib::Response& response, int status, const std::string& reason) {
    response.status = status;
    response.set_content(reason + "\n", "text/plain; charset=utf-8");
}

void answerJson(httplib::Response& response, const nlohmann::json& body) {
    response.set_content(body.dump(), "application/json");
}

// The prompt's text as the page shows it: without the line break that starts it.
std::string promptText(const std::string& text) {
    std::size_t start = text.find_first_not_of('\n');
    return start == std::string::npos ? std::string() : text.substr(start);
}

std::optional<double> finiteNumber(const nlohmann::json& value) {
    if (!value.is_number()) {
        return std::nullopt;
    }
    double v = value.get<double>();
    return std::isfinite(v) ? std::optional<double>(v) : std::nullopt;
}

} // namespace

WebServer::WebServer(EventHub& hub, WebInput& input, DisplayFeed& feed, DrawingFiles& files)
    : hub_(hub), input_(input), feed_(feed), files_(files),
      server_(std::make_unique<httplib::Server>()),
      windowPrompts_((files.profile() / "window-prompts.json").string()) {}

WebServer::~WebServer() {
    stop();
}

bool WebServer::start(int port, std::string& error) {
    server_->new_task_queue = [] { return new httplib::ThreadPool(kServerThreads); };
    server_->set_payload_max_length(kUploadLimit);
    // httplib refuses an over-long body itself, without a word: say what to do instead.
    server_->set_error_handler(httplib::Server::HandlerWithResponse(
        [](const httplib::Request&, httplib::Response& response) {
            if (response.status != 413 || !response.body.empty()) {
                return httplib::Server::HandlerResponse::Unhandled;
            }
            refuse(response, 413,
                   "larger than " + std::to_string(kUploadLimit >> 20) +
                       " MB, too large to upload: open it by its path instead");
            return httplib::Server::HandlerResponse::Handled;
        }));
    server_->set_keep_alive_max_count(1000);
    server_->set_keep_alive_timeout(1); // an idle connection holds up stopping no longer

    const char* loopback = "127.0.0.1";
    port_ = port == 0 ? server_->bind_to_any_port(loopback)
                      : (server_->bind_to_port(loopback, port) ? port : -1);
    if (port_ <= 0) {
        error = "cannot listen on 127.0.0.1:" + std::to_string(port);
        return false;
    }
    guard_ = std::make_unique<RequestGuard>(RequestGuard::newToken(), port_);
    routes();
    thread_ = std::thread([this] { server_->listen_after_bind(); });
    return true;
}

void WebServer::stop() {
    hub_.close();
    if (server_) {
        server_->stop();
    }
    if (thread_.joinable()) {
        thread_.join();
    }
}

std::string WebServer::url() const {
    return "http://127.0.0.1:" + std::to_string(port_) + "/?token=" + guard_->token();
}

void WebServer::promptChanged(const ed::PromptState& state) {
    promptKind_ = state.kind;
    nlohmann::json base = nullptr;
    if (state.hasBase) {
        base = {state.base[0], state.base[1]};
    }
    hub_.prompt(nlohmann::json{{"type", "prompt"},
                               {"kind", kindName(state.kind)},
                               {"text", promptText(state.text)},
                               {"base", base},
                               {"window", windowPrompts_.opensWindow(state)}}
                    .dump(-1, ' ', false, nlohmann::json::error_handler_t::replace));
}

void WebServer::snapSettingsChanged(int osmode, int aperture) {
    osmode_ = osmode;
    aperture_ = aperture;
}

bool WebServer::atPrompt(std::initializer_list<Kind> kinds) const {
    Kind now = promptKind_;
    return std::find(kinds.begin(), kinds.end(), now) != kinds.end();
}

// Host first (a rebinding DNS name reaches this socket with a foreign Host), then the browser's
// cross-site signals, then the token.
bool WebServer::admitted(const httplib::Request& request, httplib::Response& response) const {
    response.set_header("Cache-Control", "no-store");
    response.set_header("X-Content-Type-Options", "nosniff");
    response.set_header("Referrer-Policy", "no-referrer");
    if (!guard_->hostAllowed(request.get_header_value("Host"))) {
        refuse(response, 403, "unknown host");
        return false;
    }
    if (!guard_->originAllowed(request.get_header_value("Origin")) ||
        !RequestGuard::fetchSiteAllowed(request.get_header_value("Sec-Fetch-Site"))) {
        refuse(response, 403, "cross-site request");
        return false;
    }
    std::string token = request.get_param_value("token");
    if (token.empty()) {
        token = request.get_header_value("X-Veld-Token");
    }
    if (token.empty()) {
        token = guard_->tokenFromCookie(request.get_header_value("Cookie"));
    }
    if (!guard_->tokenMatches(token)) {
        refuse(response, 403, "missing or wrong token");
        return false;
    }
    return true;
}

void WebServer::routes() {
    using httplib::Request;
    using httplib::Response;
    server_->set_pre_routing_handler([this](const Request& request, Response& response) {
        return admitted(request, response) ? httplib::Server::HandlerResponse::Unhandled
                                           : httplib::Server::HandlerResponse::Handled;
    });
    server_->Get("/", [this](const Request& q, Response& r) { servePage(q, r); });
    server_->Get(R"(/assets/([A-Za-z0-9_.-]+))",
                 [this](const Request& q, Response& r) { serveAsset(q, r); });
    server_->Get("/api/display", [this](const Request& q, Response& r) { serveDisplay(q, r); });
    server_->Get("/api/events", [this](const Request&, Response& r) { serveEvents(r); });
    server_->Get("/api/snap", [this](const Request& q, Response& r) { serveSnap(q, r); });
    server_->Get("/api/download", [this](const Request&, Response& r) { serveDownload(r); });
    server_->Post("/api/input", [this](const Request& q, Response& r) { takeInput(q, r); });
    server_->Post("/api/pick", [this](const Request& q, Response& r) { takePick(q, r); });
    server_->Post("/api/escape", [this](const Request&, Response& r) {
        input_.postLine("^C", false);
        answerJson(r, {{"ok", true}});
    });
    server_->Post("/api/open", [this](const Request& q, Response& r) { openDrawing(q, r); });
    server_->Post("/api/upload", [this](const Request& q, Response& r) { uploadDrawing(q, r); });
}

void WebServer::servePage(const httplib::Request&, httplib::Response& response) const {
    std::optional<Asset> page = findAsset("index.html");
    if (!page) {
        refuse(response, 500, "the page is missing from this build");
        return;
    }
    // Module imports carry no token: the cookie does it for them.
    response.set_header("Set-Cookie", guard_->cookieName() + "=" + guard_->token() +
                                          "; Path=/; HttpOnly; SameSite=Strict");
    response.set_header("Content-Security-Policy",
                        "default-src 'self'; style-src 'self' 'unsafe-inline'; "
                        "img-src 'self' data: blob:; frame-ancestors 'none'");
    response.set_content(std::string(page->bytes), page->contentType);
}

void WebServer::serveAsset(const httplib::Request& request, httplib::Response& response) const {
    std::optional<Asset> asset = findAsset(request.matches[1].str());
    if (!asset) {
        refuse(response, 404, "no such file");
        return;
    }
    response.set_content(std::string(asset->bytes), asset->contentType);
}

void WebServer::serveDisplay(const httplib::Request& request, httplib::Response& response) const {
    std::optional<std::uint64_t> since;
    if (request.has_param("since")) {
        try {
            since = std::stoull(request.get_param_value("since"));
        } catch (const std::exception&) {
            refuse(response, 400, "since must be a revision number");
            return;
        }
    }
    DisplayFeed::Body body = feed_.body(since);
    response.set_header("X-Veld-Revision", std::to_string(body.revision));
    if (since && body.full) {
        response.set_header("X-Veld-Full", "1");
    }
    response.set_content(std::move(body.bytes), render::DisplayList::contentType());
}

void WebServer::serveEvents(httplib::Response& response) const {
    auto next = std::make_shared<std::size_t>(0);
    auto welcomed = std::make_shared<bool>(false);
    response.set_header("X-Accel-Buffering", "no");
    response.set_chunked_content_provider(
        "text/event-stream", [this, next, welcomed](std::size_t, httplib::DataSink& sink) {
            std::vector<std::string> events;
            if (!*welcomed) {
                *welcomed = true;
                events = hub_.welcome(*next);
            } else {
                std::optional<std::vector<std::string>> more = hub_.follow(
                    *next, std::chrono::duration_cast<std::chrono::milliseconds>(kKeepAlive));
                if (!more) {
                    sink.done();
                    return false;
                }
                events = std::move(*more);
            }
            std::string chunk = events.empty() ? ": keep-alive\n\n" : "";
            for (const std::string& e : events) {
                chunk += "data: " + e + "\n\n";
            }
            return sink.write(chunk.data(), chunk.size());
        });
}

void WebServer::takeInput(const httplib::Request& request, httplib::Response& response) {
    std::string line = request.body;
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) {
        line.pop_back();
    }
    if (request.body.size() > kLineLimit || line.find_first_of("\r\n") != std::string::npos) {
        refuse(response, 413, "one line of at most 4096 bytes");
        return;
    }
    // Never raw bytes into the drawing: a line must be UTF-8 text, as from a terminal.
    if (!ed::typedTextAsUtf8(line, false)) {
        refuse(response, 400, "the line is not UTF-8 text");
        return;
    }
    input_.postLine(std::move(line));
    answerJson(response, {{"ok", true}});
}

// {"x":..,"y":..,"pixel":..} a click; with "to":[x,y] a dragged window from (x,y) to there.
void WebServer::takePick(const httplib::Request& request, httplib::Response& response) {
    nlohmann::json body = request.body.size() <= kPickLimit
                              ? nlohmann::json::parse(request.body, nullptr, false)
                              : nlohmann::json();
    std::optional<double> x, y, pixel;
    if (body.is_object()) {
        x = finiteNumber(body.value("x", nlohmann::json()));
        y = finiteNumber(body.value("y", nlohmann::json()));
        pixel = finiteNumber(body.value("pixel", nlohmann::json()));
    }
    if (!x || !y || !pixel || *pixel <= 0.0) {
        refuse(response, 400, "a pick is {\"x\":number,\"y\":number,\"pixel\":number}");
        return;
    }
    if (!atPrompt({Kind::Point, Kind::Corner, Kind::Select})) {
        refuse(response, 409, "the command line does not ask for a point now");
        return;
    }
    const nlohmann::json to = body.value("to", nlohmann::json());
    if (to.is_array() && to.size() == 2 && finiteNumber(to[0]) && finiteNumber(to[1]) &&
        atPrompt({Kind::Select})) {
        input_.postPick(ed::Pick{*x, *y, *pixel, true});
        input_.postPick(ed::Pick{*finiteNumber(to[0]), *finiteNumber(to[1]), *pixel, false});
    } else {
        input_.postPick(ed::Pick{*x, *y, *pixel, false});
    }
    answerJson(response, {{"ok", true}});
}

// The snap point under the cursor for the marker; null when none is in reach.
void WebServer::serveSnap(const httplib::Request& request, httplib::Response& response) const {
    double x = 0.0, y = 0.0, pixel = 0.0;
    try {
        x = std::stod(request.get_param_value("x"));
        y = std::stod(request.get_param_value("y"));
        pixel = std::stod(request.get_param_value("pixel"));
    } catch (const std::exception&) {
        refuse(response, 400, "x, y and pixel are numbers");
        return;
    }
    if (!atPrompt({Kind::Point, Kind::Corner}) || !(pixel > 0.0)) {
        answerJson(response, nullptr);
        return;
    }
    std::shared_ptr<const snap::SnapScene> scene = feed_.snapScene();
    snap::ObjectSnap snapper(*scene, osmode_, aperture_ * pixel);
    std::optional<snap::SnapHit> hit = snapper.find(AcGePoint2d(x, y));
    answerJson(response, hit ? nlohmann::json{{"x", hit->point.x},
                                              {"y", hit->point.y},
                                              {"mode", static_cast<int>(hit->mode)}}
                             : nlohmann::json(nullptr));
}

void WebServer::serveDownload(httplib::Response& response) {
    std::string name;
    std::string dxf;
    if (!input_.runOnSession([&] { dxf = files_.currentDxf(name); }) || dxf.empty()) {
        refuse(response, 503, "the session has ended");
        return;
    }
    response.set_header("Content-Disposition", "attachment; filename=\"" + name + "\"");
    response.set_content(std::move(dxf), "application/dxf");
}

// Another drawing may take the session's place only at the command prompt and with nothing
// unsaved; otherwise the answer says why not.
bool WebServer::mayReplaceDrawing(httplib::Response& response) const {
    if (!atPrompt({Kind::Command})) {
        refuse(response, 409, "finish the running command first");
        return false;
    }
    if (files_.modified()) {
        refuse(response, 409, "the drawing has unsaved changes: SAVE it first");
        return false;
    }
    return true;
}

void WebServer::openDrawing(const httplib::Request& request, httplib::Response& response) {
    if (request.body.empty() || request.body.size() > kLineLimit) {
        refuse(response, 400, "the body is the path of a DXF file");
        return;
    }
    if (!mayReplaceDrawing(response)) {
        return;
    }
    std::string error;
    bool opened = false;
    input_.runOnSession([&] { opened = files_.open(request.body, error); });
    if (!opened) {
        refuse(response, 422, error.empty() ? "the session has ended" : error);
        return;
    }
    answerJson(response, {{"ok", true}});
}

void WebServer::uploadDrawing(const httplib::Request& request, httplib::Response& response) {
    if (!mayReplaceDrawing(response)) {
        return;
    }
    std::string error;
    bool opened = false;
    std::string name = request.has_param("name") ? request.get_param_value("name") : "upload";
    input_.runOnSession([&] { opened = files_.upload(request.body, name, error); });
    if (!opened) {
        refuse(response, 422, error.empty() ? "the session has ended" : error);
        return;
    }
    answerJson(response, {{"ok", true}});
}

} // namespace veld::web
