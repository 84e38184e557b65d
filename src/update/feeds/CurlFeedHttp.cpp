#include "update/CurlLibrary.h"
#include "update/feeds/FeedHttp.h"

namespace veltrix {
namespace {

struct Transfer {
    std::string* body = nullptr;
    std::int64_t maxBytes = 0;
    bool tooLarge = false;
    const std::atomic<bool>* stop = nullptr;
};

size_t KeepBody(char* data, size_t size, size_t count, void* user) {
    auto* transfer = static_cast<Transfer*>(user);
    size_t bytes = size * count;
    if (static_cast<std::int64_t>(transfer->body->size() + bytes) > transfer->maxBytes) {
        transfer->tooLarge = true;
        return 0; // a short count makes libcurl stop
    }
    transfer->body->append(data, bytes);
    return bytes;
}

int OnProgress(void* user, curl_off_t, curl_off_t, curl_off_t, curl_off_t) {
    auto* transfer = static_cast<Transfer*>(user);
    // Non-zero makes libcurl end the transfer with CURLE_ABORTED_BY_CALLBACK.
    return transfer->stop && transfer->stop->load(std::memory_order_relaxed) ? 1 : 0;
}

} // namespace

CurlFeedHttp::CurlFeedHttp(FeedHttpLimits limits) : m_limits(limits) {}

CurlFeedHttp::~CurlFeedHttp() {
    if (m_curl) {
        if (Result<const CurlLibrary*> api = LoadCurlLibrary())
            (*api)->easyCleanup(static_cast<CURL*>(m_curl));
    }
}

FeedResponse CurlFeedHttp::Get(const FeedRequest& request) {
    FeedResponse response;
    Result<const CurlLibrary*> loaded = LoadCurlLibrary();
    if (!loaded) {
        response.error = loaded.error();
        return response;
    }
    const CurlLibrary* api = *loaded;
    if (!m_curl) {
        m_curl = api->easyInit();
        if (!m_curl) {
            response.error = "cannot start a transfer";
            return response;
        }
        // The cookie engine, with no file behind it: cookies live as long as
        // this handle, which is one update.
        api->easySetopt(static_cast<CURL*>(m_curl), CURLOPT_COOKIEFILE, "");
    }
    auto* curl = static_cast<CURL*>(m_curl);
    Transfer transfer{&response.body, m_limits.maxBytes, false, request.stop};
    char errorBuffer[CURL_ERROR_SIZE] = "";
    api->easySetopt(curl, CURLOPT_URL, request.url.c_str());
    api->easySetopt(curl, CURLOPT_ERRORBUFFER, errorBuffer);
    api->easySetopt(curl, CURLOPT_PROTOCOLS_STR, "http,https");
    api->easySetopt(curl, CURLOPT_FOLLOWLOCATION, 0L);
    api->easySetopt(curl, CURLOPT_CONNECTTIMEOUT_MS,
                    static_cast<long>(m_limits.connectTimeout.count()));
    api->easySetopt(curl, CURLOPT_TIMEOUT_MS, static_cast<long>(m_limits.totalTimeout.count()));
    api->easySetopt(curl, CURLOPT_LOW_SPEED_LIMIT, m_limits.lowSpeedBytesPerSecond);
    api->easySetopt(curl, CURLOPT_LOW_SPEED_TIME, static_cast<long>(m_limits.lowSpeedTime.count()));
    api->easySetopt(curl, CURLOPT_SSL_VERIFYPEER, 1L);
    api->easySetopt(curl, CURLOPT_SSL_VERIFYHOST, 2L);
    api->easySetopt(curl, CURLOPT_NOSIGNAL, 1L);
    api->easySetopt(curl, CURLOPT_USERAGENT, kBrowserUserAgent);
    api->easySetopt(curl, CURLOPT_REFERER,
                    request.referer.empty() ? static_cast<const char*>(nullptr)
                                            : request.referer.c_str());
    api->easySetopt(curl, CURLOPT_ACCEPT_ENCODING, ""); // every encoding libcurl can unpack
    api->easySetopt(curl, CURLOPT_MAXFILESIZE_LARGE, static_cast<curl_off_t>(m_limits.maxBytes));
    api->easySetopt(curl, CURLOPT_WRITEFUNCTION, KeepBody);
    api->easySetopt(curl, CURLOPT_WRITEDATA, &transfer);
    api->easySetopt(curl, CURLOPT_XFERINFOFUNCTION, OnProgress);
    api->easySetopt(curl, CURLOPT_XFERINFODATA, &transfer);
    api->easySetopt(curl, CURLOPT_NOPROGRESS, 0L);
    CURLcode rc = api->easyPerform(curl);
    api->easyGetinfo(curl, CURLINFO_RESPONSE_CODE, &response.status);
    char* location = nullptr;
    if (api->easyGetinfo(curl, CURLINFO_REDIRECT_URL, &location) == CURLE_OK && location)
        response.location = location;
    if (rc != CURLE_OK) {
        response.stopped = rc == CURLE_ABORTED_BY_CALLBACK;
        if (response.stopped)
            response.error = "stopped";
        else if (transfer.tooLarge || rc == CURLE_FILESIZE_EXCEEDED)
            response.error = std::string("the answer is larger than ") +
                             std::to_string(m_limits.maxBytes) + " bytes";
        else
            response.error = errorBuffer[0] ? errorBuffer : api->easyStrerror(rc);
        response.status = 0;
        response.body.clear();
    }
    // Nothing of this request's options may leak into the next one but the
    // cookies and the connection.
    api->easySetopt(curl, CURLOPT_ERRORBUFFER, static_cast<char*>(nullptr));
    api->easySetopt(curl, CURLOPT_WRITEDATA, static_cast<void*>(nullptr));
    api->easySetopt(curl, CURLOPT_XFERINFODATA, static_cast<void*>(nullptr));
    return response;
}

} // namespace veltrix
