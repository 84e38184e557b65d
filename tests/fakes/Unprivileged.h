#pragma once
// Runs a piece of a test as an unprivileged user. File permissions do not
// stop root, and tests (and CI) often run as root, so checks of read-only
// files and folders fork a child that drops to "nobody" first. GoogleTest
// failures inside the child make it exit non-zero, which fails the test.

#include <functional>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

namespace veltrix::test {

inline constexpr uid_t kNobody = 65534;

// The uid the body runs as (to chown files it must own).
inline uid_t UnprivilegedUid() {
    return ::geteuid() == 0 ? kNobody : ::geteuid();
}

inline void RunUnprivileged(const std::function<void()>& body) {
    if (::geteuid() != 0) {
        body();
        return;
    }
    std::fflush(nullptr);
    pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        if (::setgid(kNobody) != 0 || ::setuid(kNobody) != 0)
            ::_exit(3);
        body();
        ::_exit(::testing::Test::HasFailure() ? 1 : 0);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status)) << "the unprivileged part crashed";
    EXPECT_EQ(WEXITSTATUS(status), 0) << "the unprivileged part failed (see above)";
}

} // namespace veltrix::test
