#pragma once
// A real HTTP server on 127.0.0.1 for the download tests, on a port of its
// own. Serves "/getData/<file>" from a map, and lets a test replace the
// handling of any path to misbehave (stall, cut the body short, ...).

#include <httplib.h>

#include <chrono>
#include <condition_variable>
#include <map>
#include <mutex>
#include <string>
#include <thread>

namespace veltrix::test {

class LoopbackDrawServer {
public:
    using Handler = httplib::Server::Handler;

    LoopbackDrawServer() {
        m_server.set_keep_alive_timeout(1);
        m_server.Get(R"(/getData/(.+))",
                     [this](const httplib::Request& request, httplib::Response& response) {
                         std::string file = request.matches[1];
                         Handler special;
                         std::string body;
                         bool found = false;
                         {
                             std::lock_guard lock(m_mutex);
                             auto handler = m_handlers.find(file);
                             if (handler != m_handlers.end())
                                 special = handler->second;
                             auto content = m_files.find(file);
                             if (content != m_files.end()) {
                                 body = content->second;
                                 found = true;
                             }
                             ++m_requests[file];
                         }
                         if (special) {
                             special(request, response);
                             return;
                         }
                         if (!found) {
                             response.status = 404;
                             return;
                         }
                         response.set_content(body, "text/plain");
                     });
        m_port = m_server.bind_to_any_port("127.0.0.1");
        m_thread = std::thread([this] { m_server.listen_after_bind(); });
    }

    ~LoopbackDrawServer() {
        ReleaseStalls();
        m_server.stop();
        m_thread.join();
    }

    std::string Base() const { return "http://127.0.0.1:" + std::to_string(m_port); }
    int Port() const { return m_port; }

    void Serve(const std::string& file, std::string body) {
        std::lock_guard lock(m_mutex);
        m_files[file] = std::move(body);
    }
    void Handle(const std::string& file, Handler handler) {
        std::lock_guard lock(m_mutex);
        m_handlers[file] = std::move(handler);
    }
    int Requests(const std::string& file) {
        std::lock_guard lock(m_mutex);
        return m_requests[file];
    }

    // Blocks a handler until the test ends (or `limit` passes).
    void Stall(std::chrono::milliseconds limit = std::chrono::seconds(20)) {
        std::unique_lock lock(m_mutex);
        m_stallReleased.wait_for(lock, limit, [this] { return m_released; });
    }

    httplib::Server& Server() { return m_server; }

private:
    void ReleaseStalls() {
        {
            std::lock_guard lock(m_mutex);
            m_released = true;
        }
        m_stallReleased.notify_all();
    }

    httplib::Server m_server;
    std::thread m_thread;
    int m_port = 0;
    std::mutex m_mutex;
    std::condition_variable m_stallReleased;
    bool m_released = false;
    std::map<std::string, std::string> m_files;
    std::map<std::string, Handler> m_handlers;
    std::map<std::string, int> m_requests;
};

} // namespace veltrix::test
