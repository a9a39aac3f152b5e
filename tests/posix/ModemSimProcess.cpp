#include "tests/posix/ModemSimProcess.h"

#ifdef MODEM_SIM_PATH

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <thread>

extern char** environ;

ModemSimProcess::ModemSimProcess(const std::vector<std::string>& args) {
    int out[2], err[2];
    if (::pipe2(out, O_CLOEXEC) != 0 || ::pipe2(err, O_CLOEXEC) != 0) return;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], 1);
    posix_spawn_file_actions_adddup2(&actions, err[1], 2);
    std::vector<std::string> all{MODEM_SIM_PATH};
    all.insert(all.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (auto& a : all) argv.push_back(a.data());
    argv.push_back(nullptr);
    if (posix_spawn(&pid_, argv[0], &actions, nullptr, argv.data(), environ) != 0) pid_ = -1;
    posix_spawn_file_actions_destroy(&actions);
    ::close(out[1]);
    ::close(err[1]);
    out_ = out[0];
    err_ = err[0];
}

ModemSimProcess::~ModemSimProcess() {
    if (pid_ > 0) stop(SIGTERM, 5000);
    if (out_ >= 0) ::close(out_);
    if (err_ >= 0) ::close(err_);
}

std::string ModemSimProcess::firstLine(int timeoutMs) {
    const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (outBuf_.find('\n') == std::string::npos && std::chrono::steady_clock::now() < until) {
        pollfd p{out_, POLLIN, 0};
        if (::poll(&p, 1, 50) <= 0) continue;
        char buf[256];
        const ssize_t n = ::read(out_, buf, sizeof buf);
        if (n <= 0) break;
        outBuf_.append(buf, static_cast<std::size_t>(n));
    }
    const auto nl = outBuf_.find('\n');
    if (nl == std::string::npos) return {};
    std::string line = outBuf_.substr(0, nl);
    outBuf_.erase(0, nl + 1);
    return line;
}

int ModemSimProcess::stop(int sig, int timeoutMs) {
    if (pid_ <= 0) return -1;
    ::kill(pid_, sig);
    return waitExit(timeoutMs);
}

int ModemSimProcess::waitExit(int timeoutMs) {
    if (pid_ <= 0) return -1;
    const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    int status = 0;
    while (::waitpid(pid_, &status, WNOHANG) == 0) {
        if (std::chrono::steady_clock::now() >= until) {
            ::kill(pid_, SIGKILL);
            ::waitpid(pid_, &status, 0);
            pid_ = -1;
            return -1;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    pid_ = -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// Only after the exit: the write ends are then closed and read() ends.
std::string ModemSimProcess::drain(int fd) {
    std::string all;
    char buf[1024];
    ssize_t n;
    while ((n = ::read(fd, buf, sizeof buf)) > 0) all.append(buf, static_cast<std::size_t>(n));
    return all;
}

std::string ModemSimProcess::output() {
    return outBuf_ + drain(out_);
}
std::string ModemSimProcess::errors() {
    return drain(err_);
}

#endif  // MODEM_SIM_PATH
