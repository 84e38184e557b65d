#include "common/FileIO.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace veltrix {
namespace {

void SetError(std::string* error, const std::string& what, const std::string& path) {
    if (error)
        *error = what + " " + path + ": " + std::strerror(errno);
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

bool ReadFileBytes(const std::string& path, std::string* bytes, std::string* error) {
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        SetError(error, "cannot open", path);
        return false;
    }
    bytes->clear();
    struct stat st {};
    if (::fstat(fd, &st) == 0 && st.st_size > 0)
        bytes->reserve(static_cast<size_t>(st.st_size));
    char buffer[65536];
    for (;;) {
        ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            SetError(error, "cannot read", path);
            ::close(fd);
            return false;
        }
        if (n == 0)
            break;
        bytes->append(buffer, static_cast<size_t>(n));
    }
    ::close(fd);
    return true;
}

bool WriteFileAtomically(const std::string& path, std::string_view bytes, std::string* error) {
    // The rename needs only the folder to be writable; a file that may not
    // be written itself (made read-only by its owner) is left as it is, and
    // the new file keeps the old one's permissions.
    mode_t mode = 0644;
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0) {
        if (::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) != 0) {
            SetError(error, "cannot write", path);
            return false;
        }
        mode = st.st_mode & 07777;
    }
    std::string temp = path + ".tmp-XXXXXX";
    int fd = ::mkstemp(temp.data());
    if (fd < 0) {
        SetError(error, "cannot create", temp);
        return false;
    }
    bool ok = WriteAll(fd, bytes) && ::fsync(fd) == 0;
    if (!ok)
        SetError(error, "cannot write", temp);
    if (::close(fd) != 0 && ok) {
        SetError(error, "cannot write", temp);
        ok = false;
    }
    if (ok) {
        ::chmod(temp.c_str(), mode);
        if (::rename(temp.c_str(), path.c_str()) != 0) {
            SetError(error, "cannot replace", path);
            ok = false;
        }
    }
    if (!ok)
        ::unlink(temp.c_str());
    return ok;
}

bool WriteFileBytes(const std::string& path, std::string_view bytes, std::string* error) {
    int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) {
        SetError(error, "cannot create", path);
        return false;
    }
    bool ok = WriteAll(fd, bytes);
    if (!ok)
        SetError(error, "cannot write", path);
    struct stat st {};
    bool regular = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
    if (::close(fd) != 0 && ok) {
        SetError(error, "cannot write", path);
        ok = false;
    }
    // The old content is gone with the truncation; a file that stops
    // part-way (a full disk) would pass for a whole one, so it goes too.
    if (!ok && regular)
        ::unlink(path.c_str());
    return ok;
}

bool FileExists(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0;
}

} // namespace veltrix
