#pragma once
// veltrix-cli as a child process: started in a working folder of the test's
// choosing with its arguments passed as they are (no shell), standard input
// from given bytes, standard output and error caught in files. A test can
// wait for it, or kill it part-way. With `unprivileged` the child drops to
// "nobody" before it starts (see Unprivileged.h), so file permissions hold
// even when the tests run as root.

#include "common/FileIO.h"
#include "fakes/TempDir.h"
#include "fakes/Unprivileged.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <signal.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace veltrix::test {

struct CliRun {
    int status = -1; // exit status, -1 when it did not exit
    int signal = 0;  // the signal that ended it, 0 when it exited
    std::string out;
    std::string err;
};

class CliProcess {
public:
    CliProcess(const std::string& workDir, const std::vector<std::string>& args,
               const std::string& input = {}, bool unprivileged = false) {
        const char* fromCtest = std::getenv("VELTRIX_CLI");
        std::string cli = fromCtest ? fromCtest : "";
        if (cli.empty()) {
            ADD_FAILURE() << "VELTRIX_CLI is not set (ctest sets it)";
            return;
        }
        if (!WriteFileBytes(m_io.File("in"), input)) {
            ADD_FAILURE() << "cannot write the standard input file";
            return;
        }
        if (unprivileged) {
            cli = CopyForOthers(cli);
            if (cli.empty())
                return;
        }
        std::vector<std::string> argv{cli};
        argv.insert(argv.end(), args.begin(), args.end());
        std::fflush(nullptr);
        m_pid = ::fork();
        if (m_pid < 0) {
            ADD_FAILURE() << "fork failed";
            return;
        }
        if (m_pid == 0)
            Exec(workDir, argv, unprivileged);
    }

    ~CliProcess() {
        if (m_pid > 0 && !m_reaped) {
            ::kill(m_pid, SIGKILL);
            ::waitpid(m_pid, nullptr, 0);
        }
    }
    CliProcess(const CliProcess&) = delete;
    CliProcess& operator=(const CliProcess&) = delete;

    bool Started() const { return m_pid > 0; }

    // True while the child has not ended (it is reaped once it has).
    bool Running() {
        if (m_pid <= 0 || m_reaped)
            return false;
        pid_t done = ::waitpid(m_pid, &m_rawStatus, WNOHANG);
        if (done == m_pid)
            m_reaped = true;
        return !m_reaped;
    }

    void Kill(int signal) {
        if (m_pid > 0 && !m_reaped)
            ::kill(m_pid, signal);
    }

    CliRun Wait() {
        CliRun run;
        if (m_pid <= 0)
            return run;
        if (!m_reaped) {
            while (::waitpid(m_pid, &m_rawStatus, 0) < 0 && errno == EINTR) {
            }
            m_reaped = true;
        }
        if (WIFEXITED(m_rawStatus))
            run.status = WEXITSTATUS(m_rawStatus);
        if (WIFSIGNALED(m_rawStatus))
            run.signal = WTERMSIG(m_rawStatus);
        run.out = ReadFileBytes(m_io.File("out")).value_or("");
        run.err = ReadFileBytes(m_io.File("err")).value_or("");
        return run;
    }

private:
    // The build may lie in a folder closed to others (a checkout under a /tmp
    // of mode 0700, say): the unprivileged child runs a copy beside its input.
    std::string CopyForOthers(const std::string& cli) {
        namespace fs = std::filesystem;
        std::error_code error;
        fs::path copy = m_io.Path() / "veltrix-cli";
        fs::copy_file(cli, copy, fs::copy_options::overwrite_existing, error);
        if (!error)
            fs::permissions(m_io.Path(),
                            fs::perms::owner_all | fs::perms::group_exec | fs::perms::others_exec,
                            error);
        if (!error)
            fs::permissions(
                copy, fs::perms::owner_all | fs::perms::group_exec | fs::perms::others_exec, error);
        if (error) {
            ADD_FAILURE() << "cannot copy " << cli
                          << " where others may run it: " << error.message();
            return {};
        }
        return copy.string();
    }

    // In the child: redirect, change folder, drop privileges, run the program.
    [[noreturn]] void Exec(const std::string& workDir, const std::vector<std::string>& args,
                           bool unprivileged) {
        int in = ::open(m_io.File("in").c_str(), O_RDONLY);
        int out = ::open(m_io.File("out").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        int err = ::open(m_io.File("err").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (in < 0 || out < 0 || err < 0 || ::dup2(in, 0) < 0 || ::dup2(out, 1) < 0 ||
            ::dup2(err, 2) < 0)
            ::_exit(125);
        if (::chdir(workDir.c_str()) != 0)
            ::_exit(125);
        if (unprivileged && ::geteuid() == 0 && (::setgid(kNobody) != 0 || ::setuid(kNobody) != 0))
            ::_exit(125);
        std::vector<char*> argv;
        for (const std::string& arg : args)
            argv.push_back(const_cast<char*>(arg.c_str()));
        argv.push_back(nullptr);
        ::execv(argv[0], argv.data());
        ::_exit(127);
    }

    TempDir m_io; // the standard input and output files, outside the working folder
    pid_t m_pid = -1;
    bool m_reaped = false;
    int m_rawStatus = 0;
};

// Runs veltrix-cli to its end.
inline CliRun RunCli(const std::string& workDir, const std::vector<std::string>& args,
                     const std::string& input = {}, bool unprivileged = false) {
    CliProcess process(workDir, args, input, unprivileged);
    return process.Wait();
}

} // namespace veltrix::test
