#include "update/DrawDownloader.h"

#include <cerrno>
#include <cstring>
#include <curl/curl.h>
#include <fcntl.h>
#include <mutex>
#include <unistd.h>

namespace veltrix {
namespace {

struct Transfer {
    int fd = -1;
    std::int64_t maxBytes = 0;
    std::int64_t written = 0;
    bool tooLarge = false;
    int writeErrno = 0;
    const std::function<void()>* idle = nullptr;
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
    return bytes;
}

int OnProgress(void* user, curl_off_t, curl_off_t, curl_off_t, curl_off_t) {
    auto* transfer = static_cast<Transfer*>(user);
    if (transfer->idle && *transfer->idle)
        (*transfer->idle)();
    return 0;
}

void InitCurlOnce() {
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

} // namespace

std::string PartFilePath(const std::string& localPath) {
    return localPath + ".part";
}

DownloadResult CurlDrawDownloader::Download(const std::string& url, const std::string& localPath) {
    DownloadResult result;
    std::string partPath = PartFilePath(localPath);
    Transfer transfer;
    transfer.maxBytes = m_limits.maxBytes;
    transfer.idle = &m_idle;
    transfer.fd = ::open(partPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (transfer.fd < 0) {
        result.error = "cannot create " + partPath + ": " + std::strerror(errno);
        return result;
    }

    InitCurlOnce();
    CURL* curl = curl_easy_init();
    CURLcode rc = CURLE_FAILED_INIT;
    char errorBuffer[CURL_ERROR_SIZE] = "";
    if (curl) {
        curl_easy_setopt(curl, CURLOPT_URL, url.c_str());
        curl_easy_setopt(curl, CURLOPT_ERRORBUFFER, errorBuffer);
        curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "http,https");
        curl_easy_setopt(curl, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
        curl_easy_setopt(curl, CURLOPT_FOLLOWLOCATION, 1L);
        curl_easy_setopt(curl, CURLOPT_MAXREDIRS, m_limits.maxRedirects);
        curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT_MS,
                         static_cast<long>(m_limits.connectTimeout.count()));
        curl_easy_setopt(curl, CURLOPT_TIMEOUT_MS,
                         static_cast<long>(m_limits.totalTimeout.count()));
        curl_easy_setopt(curl, CURLOPT_SSL_VERIFYPEER, 1L);
        curl_easy_setopt(curl, CURLOPT_SSL_VERIFYHOST, 2L);
        curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
        curl_easy_setopt(curl, CURLOPT_USERAGENT, "Veltrix/0.1");
        curl_easy_setopt(curl, CURLOPT_MAXFILESIZE_LARGE,
                         static_cast<curl_off_t>(m_limits.maxBytes));
        curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, WriteBody);
        curl_easy_setopt(curl, CURLOPT_WRITEDATA, &transfer);
        curl_easy_setopt(curl, CURLOPT_XFERINFOFUNCTION, OnProgress);
        curl_easy_setopt(curl, CURLOPT_XFERINFODATA, &transfer);
        curl_easy_setopt(curl, CURLOPT_NOPROGRESS, 0L);
        rc = curl_easy_perform(curl);
        curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &result.httpStatus);
        curl_easy_cleanup(curl);
    }

    if (rc != CURLE_OK) {
        if (transfer.tooLarge)
            result.error =
                "the file is larger than " + std::to_string(m_limits.maxBytes) + " bytes";
        else if (transfer.writeErrno != 0)
            result.error = "cannot write " + partPath + ": " + std::strerror(transfer.writeErrno);
        else if (rc == CURLE_FILESIZE_EXCEEDED)
            result.error =
                "the file is larger than " + std::to_string(m_limits.maxBytes) + " bytes";
        else
            result.error = errorBuffer[0] ? errorBuffer : curl_easy_strerror(rc);
    } else if (result.httpStatus != 200) {
        result.error = "the server answered HTTP status " + std::to_string(result.httpStatus);
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
    if (complete && ::rename(partPath.c_str(), localPath.c_str()) != 0) {
        result.error = "cannot replace " + localPath + ": " + std::strerror(errno);
        complete = false;
    }
    if (!complete)
        ::unlink(partPath.c_str());
    result.ok = complete;
    return result;
}

} // namespace veltrix
