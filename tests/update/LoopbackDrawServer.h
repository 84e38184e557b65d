#pragma once
// A real HTTP server on 127.0.0.1 for the download tests, on a port of its
// own. Answers by a handler per request key (a key it does not know is a
// 404), so a test can make any file misbehave (stall, cut the body short,
// ...). The key is the path, then " name=value" for the query parameters that
// pick a feed's game and page; a bare file name stands for the draw server's
// "/getData/<file>". Every key asked is recorded.

#include <httplib.h>

#include <chrono>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace veltrix::test {

class LoopbackDrawServer {
public:
    using Handler = httplib::Server::Handler;

    LoopbackDrawServer() {
        m_server.set_keep_alive_timeout(1);
        m_server.Get(".*", [this](const httplib::Request& request, httplib::Response& response) {
            std::string key = request.path;
            for (const char* name : {"name", "gameNo", "pageNo"}) {
                if (request.has_param(name))
                    key += std::string(" ") + name + "=" + request.get_param_value(name);
            }
            Handler handler;
            {
                std::lock_guard lock(m_mutex);
                m_asked.push_back(key);
                auto found = m_handlers.find(key);
                if (found != m_handlers.end())
                    handler = found->second;
            }
            if (handler)
                handler(request, response);
            else
                response.status = 404;
        });
        m_port = m_server.bind_to_any_port("127.0.0.1");
        m_thread = std::thread([this] { m_server.listen_after_bind(); });
        // A stop() before the thread listens is lost, and the join below would
        // wait for ever: hand the server out only once it listens.
        for (int waited = 0; !m_server.is_running() && waited < 5000; ++waited)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }

    ~LoopbackDrawServer() {
        m_server.stop();
        m_thread.join();
    }

    std::string Base() const { return "http://127.0.0.1:" + std::to_string(m_port); }

    void Serve(const std::string& file, std::string body) {
        Handle(file, [body](const httplib::Request&, httplib::Response& response) {
            response.set_content(body, "text/plain");
        });
    }
    void Handle(const std::string& file, Handler handler) {
        std::lock_guard lock(m_mutex);
        m_handlers[file.starts_with('/') ? file : "/getData/" + file] = std::move(handler);
    }
    std::vector<std::string> Asked() {
        std::lock_guard lock(m_mutex);
        return m_asked;
    }

private:
    httplib::Server m_server;
    std::thread m_thread;
    int m_port = 0;
    std::mutex m_mutex;
    std::map<std::string, Handler> m_handlers;
    std::vector<std::string> m_asked;
};

} // namespace veltrix::test
