// The page's HTTP server on the loopback interface: the page and its files, the picture, the
// event stream and the session's input (lines, clicks, ESC), downloads and uploads. Every
// request passes the RequestGuard; bodies are size-limited; nothing outside these routes is
// served.
#pragma once
#include "host/ed/Session.h"
#include "host/web/RequestGuard.h"
#include "host/web/WindowPrompts.h"

#include <atomic>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

namespace httplib {
class Server;
struct Request;
struct Response;
} // namespace httplib

namespace veld::web {

class DisplayFeed;
class DrawingFiles;
class EventHub;
class WebInput;

class WebServer {
public:
    WebServer(EventHub& hub, WebInput& input, DisplayFeed& feed, DrawingFiles& files);
    ~WebServer();

    // Binds 127.0.0.1:`port` (0: any free port) and serves on a thread of its own; false with
    // `error` set when the port cannot be had.
    bool start(int port, std::string& error);
    void stop();
    int port() const { return port_; }
    // The page's address with the token.
    std::string url() const;

    // Session thread: what the session waits for now (shown on the page, checked for picks),
    // and the snap settings the hover marker follows.
    void promptChanged(const ed::PromptState& state);
    void snapSettingsChanged(int osmode, int aperture);

private:
    bool admitted(const httplib::Request& request, httplib::Response& response) const;
    void routes();
    void servePage(const httplib::Request& request, httplib::Response& response) const;
    void serveAsset(const httplib::Request& request, httplib::Response& response) const;
    void serveDisplay(const httplib::Request& request, httplib::Response& response) const;
    void serveEvents(httplib::Response& response) const;
    void takeInput(const httplib::Request& request, httplib::Response& response);
    void takePick(const httplib::Request& request, httplib::Response& response);
    void serveSnap(const httplib::Request& request, httplib::Response& response) const;
    void serveDownload(httplib::Response& response);
    void openDrawing(const httplib::Request& request, httplib::Response& response);
    void uploadDrawing(const httplib::Request& request, httplib::Response& response);
    bool mayReplaceDrawing(httplib::Response& response) const;
    bool atPrompt(std::initializer_list<ed::PromptState::Kind> kinds) const;

    EventHub& hub_;
    WebInput& input_;
    DisplayFeed& feed_;
    DrawingFiles& files_;
    std::unique_ptr<httplib::Server> server_;
    std::unique_ptr<RequestGuard> guard_;
    std::thread thread_;
    int port_ = 0;
    std::atomic<ed::PromptState::Kind> promptKind_{ed::PromptState::Kind::Text};
    std::atomic<int> osmode_{0};
    std::atomic<int> aperture_{10};
    WindowPrompts windowPrompts_; // session thread only
};

} // namespace veld::web
