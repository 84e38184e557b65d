#pragma once
// A fresh temporary folder for one test, removed with everything in it.

#include <filesystem>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace veltrix::test {

class TempDir {
public:
    TempDir() {
        std::string pattern = (Base() / "veltrix-XXXXXX").string();
        if (!::mkdtemp(pattern.data()))
            throw std::runtime_error("mkdtemp failed");
        m_path = pattern;
    }
    ~TempDir() {
        std::error_code ignored;
        std::filesystem::permissions(m_path, std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ignored);
        std::filesystem::remove_all(m_path, ignored);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& Path() const { return m_path; }
    std::string File(const std::string& name) const { return (m_path / name).string(); }

private:
    // Some tests hand their folder to an unprivileged user (Unprivileged.h),
    // who must be able to reach it: a temporary folder closed to others (a
    // /tmp of mode 0700) gives way to /var/tmp.
    static std::filesystem::path Base() {
        std::filesystem::path base = std::filesystem::temp_directory_path();
        struct stat st {};
        if (::stat(base.c_str(), &st) == 0 && (st.st_mode & S_IXOTH) == 0 &&
            ::stat("/var/tmp", &st) == 0 && (st.st_mode & S_IXOTH) != 0)
            return "/var/tmp";
        return base;
    }

    std::filesystem::path m_path;
};

// Makes `dir` the working directory for the lifetime of the object.
class ScopedWorkingDirectory {
public:
    explicit ScopedWorkingDirectory(const std::filesystem::path& dir)
        : m_previous(std::filesystem::current_path()) {
        std::filesystem::current_path(dir);
    }
    ~ScopedWorkingDirectory() {
        std::error_code ignored;
        std::filesystem::current_path(m_previous, ignored);
    }

private:
    std::filesystem::path m_previous;
};

} // namespace veltrix::test
