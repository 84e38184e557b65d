#include "common/FileIO.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace veltrix {
namespace {

// The failure of the last system call on `path`, as errno tells it.
Error SystemError(const std::string& what, const std::string& path) {
    return Fail(what + " " + path + ": " + std::strerror(errno));
}

bool WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        bytes.remove_prefix(static_cast<size_t>(n));
    }
    return true;
}

} // namespace

Result<std::string> ReadFileBytes(const std::string& path) {
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return SystemError("cannot open", path);
    std::string bytes;
    struct stat st {};
    if (::fstat(fd, &st) == 0 && st.st_size > 0)
        bytes.reserve(static_cast<size_t>(st.st_size));
    char buffer[65536];
    for (;;) {
        ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            Error error = SystemError("cannot read", path);
            ::close(fd);
            return error;
        }
        if (n == 0)
            break;
        bytes.append(buffer, static_cast<size_t>(n));
    }
    ::close(fd);
    return bytes;
}

Status WriteFileAtomically(const std::string& path, std::string_view bytes) {
    // The rename needs only the folder to be writable; a file that may not
    // be written itself (made read-only by its owner) is left as it is, and
    // the new file keeps the old one's permissions.
    mode_t mode = 0644;
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0) {
        if (::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) != 0)
            return SystemError("cannot write", path);
        mode = st.st_mode & 07777;
    }
    std::string temp = path + ".tmp-XXXXXX";
    int fd = ::mkstemp(temp.data());
    if (fd < 0)
        return SystemError("cannot create", temp);
    Status status;
    if (!WriteAll(fd, bytes) || ::fsync(fd) != 0)
        status = SystemError("cannot write", temp);
    if (::close(fd) != 0 && status)
        status = SystemError("cannot write", temp);
    if (status) {
        ::chmod(temp.c_str(), mode);
        if (::rename(temp.c_str(), path.c_str()) != 0)
            status = SystemError("cannot replace", path);
    }
    if (!status)
        ::unlink(temp.c_str());
    return status;
}

Status WriteFileBytes(const std::string& path, std::string_view bytes) {
    int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0)
        return SystemError("cannot create", path);
    Status status;
    if (!WriteAll(fd, bytes))
        status = SystemError("cannot write", path);
    struct stat st {};
    bool regular = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
    if (::close(fd) != 0 && status)
        status = SystemError("cannot write", path);
    // The old content is gone with the truncation; a file that stops
    // part-way (a full disk) would pass for a whole one, so it goes too.
    if (!status && regular)
        ::unlink(path.c_str());
    return status;
}

bool FileExists(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0;
}

} // namespace veltrix
