#include "tests/support/run_process.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <stdexcept>

namespace test_support {

namespace {

struct Pipe {
    int fd[2] = {-1, -1};
    Pipe()
    {
        if (pipe2(fd, O_CLOEXEC) != 0)
            throw std::runtime_error("pipe failed");
    }
    ~Pipe()
    {
        for (int f : fd)
            if (f >= 0)
                close(f);
    }
    void Close(int end)
    {
        if (fd[end] >= 0)
            close(fd[end]);
        fd[end] = -1;
    }
};

}  // namespace

ProcessResult RunProcess(const std::vector<std::string>& argv,
                         const std::vector<std::pair<std::string, std::string>>& env, const std::string& input)
{
    std::signal(SIGPIPE, SIG_IGN);  // a child that exits before reading its input must not kill us
    Pipe in, out, err;
    pid_t pid = fork();
    if (pid < 0)
        throw std::runtime_error("fork failed");
    if (pid == 0) {
        dup2(in.fd[0], 0);
        dup2(out.fd[1], 1);
        dup2(err.fd[1], 2);
        for (const auto& [name, value] : env)
            setenv(name.c_str(), value.c_str(), 1);
        std::vector<char*> args;
        for (const std::string& a : argv)
            args.push_back(const_cast<char*>(a.c_str()));
        args.push_back(nullptr);
        execv(args[0], args.data());
        _exit(127);
    }
    in.Close(0);
    out.Close(1);
    err.Close(1);

    ProcessResult result;
    size_t written = 0;
    if (input.empty())
        in.Close(1);
    else
        fcntl(in.fd[1], F_SETFL, O_NONBLOCK);
    while (out.fd[0] >= 0 || err.fd[0] >= 0) {
        pollfd fds[3] = {{out.fd[0], POLLIN, 0}, {err.fd[0], POLLIN, 0}, {in.fd[1], POLLOUT, 0}};
        if (poll(fds, 3, -1) < 0 && errno != EINTR)
            break;
        char buffer[4096];
        for (int i = 0; i < 2; ++i) {
            Pipe& p = i == 0 ? out : err;
            std::string& text = i == 0 ? result.out : result.err;
            if (fds[i].revents == 0)
                continue;
            ssize_t n = read(p.fd[0], buffer, sizeof buffer);
            if (n > 0)
                text.append(buffer, static_cast<size_t>(n));
            else
                p.Close(0);
        }
        if (fds[2].revents != 0) {
            ssize_t n = write(in.fd[1], input.data() + written, input.size() - written);
            if (n > 0)
                written += static_cast<size_t>(n);
            if (n < 0 || written == input.size())
                in.Close(1);
        }
    }
    int status = 0;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    result.exitStatus = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

}  // namespace test_support
