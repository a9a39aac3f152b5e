#include "platform/posix/SignalPipe.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>

namespace platform::posix {

namespace {

int g_writeFd = -1;
volatile std::sig_atomic_t g_interrupted = 0;

// Only async-signal-safe calls. The handled signals are blocked while this
// runs, so the raised one takes its default action as soon as it returns.
void OnSignal(int sig) {
    if (sig == SIGINT) {
        if (g_interrupted != 0) {
            std::signal(sig, SIG_DFL);
            std::raise(sig);
            return;
        }
        g_interrupted = 1;
    }
    const int saved = errno;
    const auto byte = static_cast<unsigned char>(sig);
    if (::write(g_writeFd, &byte, 1) < 0) {
        // A full pipe already holds a byte that wakes the loop.
    }
    errno = saved;
}

bool Ignored(const struct sigaction& sa) {
    return (sa.sa_flags & SA_SIGINFO) == 0 && sa.sa_handler == SIG_IGN;
}

}  // namespace

SignalPipe::SignalPipe(std::initializer_list<int> which) {
    if (g_writeFd >= 0 || ::pipe2(fds_, O_CLOEXEC | O_NONBLOCK) != 0) return;
    g_writeFd = fds_[1];
    g_interrupted = 0;
    struct sigaction sa {};
    sa.sa_handler = OnSignal;
    sigemptyset(&sa.sa_mask);
    for (int sig : which) sigaddset(&sa.sa_mask, sig);
    sa.sa_flags = SA_RESTART;
    ok_ = true;
    for (int sig : which) {
        struct sigaction old {};
        if (::sigaction(sig, nullptr, &old) == 0 && Ignored(old)) continue;
        if (::sigaction(sig, &sa, &old) == 0)
            old_.emplace_back(sig, old);
        else
            ok_ = false;
    }
}

SignalPipe::~SignalPipe() {
    for (const auto& [sig, old] : old_) ::sigaction(sig, &old, nullptr);
    if (fds_[1] >= 0 && g_writeFd == fds_[1]) g_writeFd = -1;
    for (int fd : fds_)
        if (fd >= 0) ::close(fd);
}

int SignalPipe::take() {
    int last = 0;
    unsigned char buf[16];
    for (;;) {
        const ssize_t n = ::read(fds_[0], buf, sizeof buf);
        if (n > 0) {
            last = buf[n - 1];
        } else if (n < 0 && errno == EINTR) {
            continue;
        } else {
            return last;
        }
    }
}

}  // namespace platform::posix
