#pragma once
// Asking a feed for one page, as a browser would: a browser User-Agent, the
// Referer the feed expects, gzip accepted (libcurl unpacks it), cookies kept
// from one request to the next for as long as the client lives (one update),
// one request at a time, no retries and no redirects followed: a feed that
// redirects is refusing.

#include <atomic>
#include <chrono>
#include <cstdint>
#include <memory>
#include <string>

namespace veltrix {

struct FeedRequest {
    std::string url;
    std::string referer;
    const std::atomic<bool>* stop = nullptr; // set: give up the transfer soon
};

struct FeedResponse {
    long status = 0;      // HTTP status, 0 when no answer came
    std::string body;     // unpacked
    std::string error;    // why no answer came; empty when one did
    std::string location; // where a redirect pointed
    bool stopped = false; // given up because the update was asked to stop
};

class FeedHttp {
public:
    virtual ~FeedHttp() = default;
    virtual FeedResponse Get(const FeedRequest& request) = 0;
};

struct FeedHttpLimits {
    std::chrono::milliseconds connectTimeout{10'000};
    std::chrono::milliseconds totalTimeout{600'000};
    long lowSpeedBytesPerSecond = 1024;    // slower than this ...
    std::chrono::seconds lowSpeedTime{30}; // ... for this long ends the transfer
    std::int64_t maxBytes = 32 * 1024 * 1024;
};

inline constexpr const char* kBrowserUserAgent =
    "Mozilla/5.0 (Windows NT 10.0; Win64; x64) AppleWebKit/537.36 (KHTML, like Gecko) "
    "Chrome/124.0 Safari/537.36";

// The real client, over libcurl. One connection handle serves the whole
// update, so its cookies and open connection are reused.
class CurlFeedHttp : public FeedHttp {
public:
    explicit CurlFeedHttp(FeedHttpLimits limits = {});
    ~CurlFeedHttp() override;
    CurlFeedHttp(const CurlFeedHttp&) = delete;
    CurlFeedHttp& operator=(const CurlFeedHttp&) = delete;

    FeedResponse Get(const FeedRequest& request) override;

private:
    FeedHttpLimits m_limits;
    void* m_curl = nullptr; // CURL*, made on the first request
};

} // namespace veltrix
