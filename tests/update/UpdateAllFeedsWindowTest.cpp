// "更新全部" of the real window against the public feeds: one feed session
// serves all games, so a feed that cannot be reached is asked once, not once
// for every game it serves.
#include "gui/TrendDlgFixture.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <thread>

namespace veltrix::test {
namespace {

// A port on 127.0.0.1 that takes each connection and closes it at once:
// the client sees a transport failure, not an HTTP answer.
class HangUpPort {
public:
    HangUpPort() {
        m_socket = socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof address;
        bind(m_socket, reinterpret_cast<sockaddr*>(&address), length);
        listen(m_socket, 8);
        getsockname(m_socket, reinterpret_cast<sockaddr*>(&address), &length);
        m_port = ntohs(address.sin_port);
        m_thread = std::thread([this] {
            while (!m_done) {
                pollfd ready{m_socket, POLLIN, 0};
                if (poll(&ready, 1, 50) == 1) {
                    close(accept(m_socket, nullptr, nullptr));
                    ++connections;
                }
            }
        });
    }
    ~HangUpPort() {
        m_done = true;
        m_thread.join();
        close(m_socket);
    }
    std::string Base() const { return "http://127.0.0.1:" + std::to_string(m_port); }

    std::atomic<int> connections{0};

private:
    int m_socket = -1;
    int m_port = 0;
    std::atomic<bool> m_done{false};
    std::thread m_thread;
};

class UpdateAllFeedsWindowTest : public TrendDlgFixture {
protected:
    void PrepareFolder() override {
        CreateDatabase();
        std::string settings = DefaultSettings();
        settings.insert(settings.find("\r\n") + 2,
                        "FeedCwl=off\r\nFeed500=off\r\nFeedSporttery=" + sporttery.Base() + "\r\n");
        WriteSettings(settings);
    }

    HangUpPort sporttery;
};

TEST_F(UpdateAllFeedsWindowTest, AFeedThatCannotBeReachedIsAskedOncePerUpdate) {
    ASSERT_TRUE(initResult);
    ASSERT_GT(sporttery.Base().size(), std::string("http://127.0.0.1:").size());
    Click(1012);
    EXPECT_EQ(sporttery.connections.load(), 1) << "dlt, 7xc, p3 and p5 share one session";
    ASSERT_EQ(messages.texts.size(), 1u);
    EXPECT_NE(messages.texts[0].find("dlt, p5, p3, 7xc: the download failed: no usable answer"),
              std::string::npos)
        << messages.texts[0];
    EXPECT_NE(messages.texts[0].find("sporttery.cn draw history: cannot be reached"),
              std::string::npos);

    Click(1012);
    EXPECT_EQ(sporttery.connections.load(), 2) << "the next update asks again";
}

} // namespace
} // namespace veltrix::test
