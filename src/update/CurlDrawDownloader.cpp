#include "update/DrawDownloader.h"

#include "update/CurlLibrary.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace veltrix {
namespace {

struct Transfer {
    int fd = -1;
    std::int64_t maxBytes = 0;
    std::int64_t written = 0;
    bool tooLarge = false;
    int writeErrno = 0;
    char lastByte = 0;
    const StopFlag* stop = nullptr;
    bool stopped = false;
};

size_t WriteBody(char* data, size_t size, size_t count, void* user) {
    auto* transfer = static_cast<Transfer*>(user);
    size_t bytes = size * count;
    if (transfer->written + static_cast<std::int64_t>(bytes) > transfer->maxBytes) {
        transfer->tooLarge = true;
        return 0; // a short count makes libcurl stop with CURLE_WRITE_ERROR
    }
    size_t done = 0;
    while (done < bytes) {
        ssize_t n = ::write(transfer->fd, data + done, bytes - done);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            transfer->writeErrno = errno;
            return 0;
        }
        done += static_cast<size_t>(n);
    }
    transfer->written += static_cast<std::int64_t>(bytes);
    if (bytes > 0)
        transfer->lastByte = data[bytes - 1];
    return bytes;
}

int OnProgress(void* user, curl_off_t, curl_off_t, curl_off_t, curl_off_t) {
    auto* transfer = static_cast<Transfer*>(user);
    transfer->stopped = StopRequested(transfer->stop);
    return transfer->stopped ? 1 : 0; // non-zero aborts the transfer
}

bool Unreachable(CURLcode rc) {
    return rc == CURLE_COULDNT_RESOLVE_HOST || rc == CURLE_COULDNT_RESOLVE_PROXY ||
           rc == CURLE_COULDNT_CONNECT;
}

} // namespace

DownloadResult CurlDrawDownloader::Download(const std::string& url, const std::string& localPath,
                                            const StopFlag* stop) {
    DownloadResult result;
    const std::string& partPath = localPath;
    Transfer transfer;
    transfer.maxBytes = m_limits.maxBytes;
    transfer.stop = stop;
    transfer.fd = ::open(partPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (transfer.fd < 0) {
        result.error = "cannot create " + partPath + ": " + std::strerror(errno);
        return result;
    }

    Result<const CurlLibrary*> loaded = LoadCurlLibrary();
    if (!loaded) {
        result.error = loaded.error();
        ::close(transfer.fd);
        ::unlink(partPath.c_str());
        return result;
    }
    const CurlLibrary* api = *loaded;
    CURL* curl = api->easyInit();
    CURLcode rc = CURLE_FAILED_INIT;
    curl_off_t statedLength = -1;
    char errorBuffer[CURL_ERROR_SIZE] = "";
    if (curl) {
        api->easySetopt(curl, CURLOPT_URL, url.c_str());
        api->easySetopt(curl, CURLOPT_ERRORBUFFER, errorBuffer);
        api->easySetopt(curl, CURLOPT_PROTOCOLS_STR, "http,https");
        api->easySetopt(curl, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
        api->easySetopt(curl, CURLOPT_FOLLOWLOCATION, 1L);
        api->easySetopt(curl, CURLOPT_MAXREDIRS, m_limits.maxRedirects);
        api->easySetopt(curl, CURLOPT_CONNECTTIMEOUT_MS,
                        static_cast<long>(m_limits.connectTimeout.count()));
        api->easySetopt(curl, CURLOPT_TIMEOUT_MS, static_cast<long>(m_limits.totalTimeout.count()));
        api->easySetopt(curl, CURLOPT_LOW_SPEED_LIMIT, m_limits.lowSpeedBytes);
        api->easySetopt(curl, CURLOPT_LOW_SPEED_TIME,
                        static_cast<long>(m_limits.lowSpeedTime.count()));
        api->easySetopt(curl, CURLOPT_SSL_VERIFYPEER, 1L);
        api->easySetopt(curl, CURLOPT_SSL_VERIFYHOST, 2L);
        api->easySetopt(curl, CURLOPT_NOSIGNAL, 1L);
        api->easySetopt(curl, CURLOPT_USERAGENT, "Veltrix/0.1");
        api->easySetopt(curl, CURLOPT_MAXFILESIZE_LARGE,
                        static_cast<curl_off_t>(m_limits.maxBytes));
        api->easySetopt(curl, CURLOPT_WRITEFUNCTION, WriteBody);
        api->easySetopt(curl, CURLOPT_WRITEDATA, &transfer);
        api->easySetopt(curl, CURLOPT_XFERINFOFUNCTION, OnProgress);
        api->easySetopt(curl, CURLOPT_XFERINFODATA, &transfer);
        api->easySetopt(curl, CURLOPT_NOPROGRESS, 0L);
        rc = api->easyPerform(curl);
        api->easyGetinfo(curl, CURLINFO_RESPONSE_CODE, &result.httpStatus);
        api->easyGetinfo(curl, CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &statedLength);
        api->easyCleanup(curl);
    }

    if (rc != CURLE_OK) {
        result.unreachable = Unreachable(rc);
        if (transfer.stopped) {
            result.stopped = true;
            result.error = "stopped";
        } else if (transfer.tooLarge)
            result.error =
                "the file is larger than " + std::to_string(m_limits.maxBytes) + " bytes";
        else if (transfer.writeErrno != 0)
            result.error = "cannot write " + partPath + ": " + std::strerror(transfer.writeErrno);
        else if (rc == CURLE_FILESIZE_EXCEEDED)
            result.error =
                "the file is larger than " + std::to_string(m_limits.maxBytes) + " bytes";
        else
            result.error = errorBuffer[0] ? errorBuffer : api->easyStrerror(rc);
    } else if (result.httpStatus != 200) {
        result.error = "the server answered HTTP status " + std::to_string(result.httpStatus);
    } else if (statedLength < 0 && transfer.written > 0 && transfer.lastByte != '\n') {
        // Without a stated length only the closed connection ends the body;
        // a draw file ends with a line end, so a body that does not was cut
        // (its last number may be cut too: "04 0" for "04 05").
        result.error = "the transfer was cut: the body does not end with a line end";
    }

    // The file is only as good as what reached the disk: flush before the
    // rename makes it the draw file.
    bool complete = result.error.empty();
    if (complete && ::fsync(transfer.fd) != 0) {
        result.error = "cannot write " + partPath + ": " + std::strerror(errno);
        complete = false;
    }
    if (::close(transfer.fd) != 0 && complete) {
        result.error = "cannot write " + partPath + ": " + std::strerror(errno);
        complete = false;
    }
    if (!complete)
        ::unlink(partPath.c_str());
    result.ok = complete;
    return result;
}

} // namespace veltrix
