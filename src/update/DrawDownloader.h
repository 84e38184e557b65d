#pragma once
// Fetching one file over HTTP to a local path: the update flow's staging
// file, which it puts in place of the draw file only once it has checked it.
//
// A download writes the whole body or nothing: on any failure (a status
// other than 200, a body cut short, a transfer slower than the low-speed
// limit for its whole window) the file at the path is removed.

#include <chrono>
#include <cstdint>
#include <string>

#include "update/UpdatePorts.h"

namespace veltrix {

struct DownloadResult {
    bool ok = false;
    long httpStatus = 0;      // of the last response, 0 when none came
    std::string error;        // why it failed
    bool unreachable = false; // no connection to the server could be made
    bool stopped = false;     // the update was asked to stop
    std::string source;       // where the file came from, when a source says more than its address
};

class DrawDownloader {
public:
    virtual ~DrawDownloader() = default;
    virtual DownloadResult Download(const std::string& url, const std::string& localPath,
                                    const StopFlag* stop = nullptr) = 0;
};

// A transfer fails when it moves fewer than lowSpeedBytes per second for
// lowSpeedTime (a stalled or trickling server), or lasts longer than
// totalTimeout in all.
struct CurlDownloadLimits {
    std::chrono::milliseconds connectTimeout{10'000};
    long lowSpeedBytes = 1024;
    std::chrono::seconds lowSpeedTime{30};
    std::chrono::milliseconds totalTimeout{600'000};
    std::int64_t maxBytes = 32 * 1024 * 1024;
    long maxRedirects = 5;
};

// The real downloader, over libcurl: HTTP and HTTPS only (redirects too),
// certificates verified, time-outs and a size cap. A body whose length the
// server did not state counts as cut unless it ends with a line end (a
// closed connection is all that marks its end). Safe to use from one worker
// thread at a time.
class CurlDrawDownloader : public DrawDownloader {
public:
    explicit CurlDrawDownloader(CurlDownloadLimits limits = {}) : m_limits(limits) {}

    DownloadResult Download(const std::string& url, const std::string& localPath,
                            const StopFlag* stop = nullptr) override;

private:
    CurlDownloadLimits m_limits;
};

} // namespace veltrix
