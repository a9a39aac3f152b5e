#include "tests/posix/PtyPair.h"

// termios2 lets the far end see rates such as 14400 that struct termios cannot
// carry; its header clashes with <termios.h>, so this file uses it alone.
#include <asm/termbits.h>
#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <stdexcept>

namespace posixtest {

PtyPair::PtyPair() {
    master_ = ::posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (master_ < 0 || ::grantpt(master_) != 0 || ::unlockpt(master_) != 0) throw std::runtime_error("no pty");
    const char* name = ::ptsname(master_);
    if (name == nullptr) throw std::runtime_error("no pty name");
    slavePath_ = name;
}

PtyPair::~PtyPair() {
    closeMaster();
}

void PtyPair::closeMaster() {
    if (master_ >= 0) ::close(master_);
    master_ = -1;
}

void PtyPair::write(std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t n = ::write(master_, bytes.data(), bytes.size());
        if (n > 0) {
            bytes.remove_prefix(static_cast<std::size_t>(n));
        } else if (n < 0 && errno != EAGAIN && errno != EINTR) {
            throw std::runtime_error("master write failed");
        } else {
            pollfd p{master_, POLLOUT, 0};
            ::poll(&p, 1, 50);
        }
    }
}

std::string PtyPair::readAvailable() {
    std::string out;
    char buf[65536];
    for (;;) {
        const ssize_t n = ::read(master_, buf, sizeof buf);
        if (n <= 0) break;
        out.append(buf, static_cast<std::size_t>(n));
    }
    return out;
}

std::string PtyPair::read(std::size_t n, std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    std::string out = readAvailable();
    while (out.size() < n && std::chrono::steady_clock::now() < deadline) {
        pollfd p{master_, POLLIN, 0};
        ::poll(&p, 1, 20);
        out += readAvailable();
    }
    return out;
}

SlaveView PtyPair::view() const {
    termios2 t{};
    if (::ioctl(master_, TCGETS2, &t) != 0) throw std::runtime_error("TCGETS2 on the master failed");
    SlaveView v;
    // The kernel keeps c_ospeed as the rate itself, whichever way it was set.
    v.speed = static_cast<long>(t.c_ospeed);
    v.cflag = t.c_cflag;
    v.iflag = t.c_iflag;
    v.oflag = t.c_oflag;
    v.lflag = t.c_lflag;
    return v;
}

std::size_t OpenDescriptorCount() {
    std::size_t n = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator("/proc/self/fd")) ++n;
    return n;
}

}  // namespace posixtest
