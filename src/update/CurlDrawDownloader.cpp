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

    const CurlLibrary* api = LoadCurlLibrary(&result.error);
    if (!api) {
        ::close(transfer.fd);
        ::unlink(partPath.c_str());
        return result;
    }
    CURL* curl = api->easyInit();
    CURLcode rc = CURLE_FAILED_INIT;
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
        api->easyCleanup(curl);
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
            result.error = errorBuffer[0] ? errorBuffer : api->easyStrerror(rc);
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
