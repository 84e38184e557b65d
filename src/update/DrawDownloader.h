#pragma once
// Fetching one draw file from the draw-data server to a local path.
//
// A download never leaves a half-written draw file: the body goes to
// "<path>.part" and replaces the file at <path> only when the transfer
// completed with HTTP status 200. On any failure the previous file stays
// exactly as it was and the part file is removed.

#include <chrono>
#include <cstdint>
#include <functional>
#include <string>

namespace veltrix {

struct DownloadResult {
    bool ok = false;
    long httpStatus = 0; // of the last response, 0 when none came
    std::string error;   // why it failed, for the command-line tool
};

class DrawDownloader {
public:
    virtual ~DrawDownloader() = default;
    virtual DownloadResult Download(const std::string& url, const std::string& localPath) = 0;
};

// The name a transfer is written under before it is complete. The import
// never opens such a name.
std::string PartFilePath(const std::string& localPath);

struct CurlDownloadLimits {
    std::chrono::milliseconds connectTimeout{10'000};
    std::chrono::milliseconds totalTimeout{60'000};
    std::int64_t maxBytes = 32 * 1024 * 1024;
    long maxRedirects = 5;
};

// The real downloader, over libcurl: HTTP and HTTPS only (redirects too),
// certificates verified, time-outs and a size cap.
class CurlDrawDownloader : public DrawDownloader {
public:
    explicit CurlDrawDownloader(CurlDownloadLimits limits = {}) : m_limits(limits) {}

    // Called now and then while a transfer runs, so a window can repaint.
    void SetIdleCallback(std::function<void()> idle) { m_idle = std::move(idle); }

    DownloadResult Download(const std::string& url, const std::string& localPath) override;

private:
    CurlDownloadLimits m_limits;
    std::function<void()> m_idle;
};

} // namespace veltrix
