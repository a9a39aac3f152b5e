#include "platform/posix/PortDevice.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "comm/CommError.h"
#include "platform/posix/ErrnoMapping.h"
#include "platform/posix/Termios2Speed.h"
#include "platform/posix/TermiosConfig.h"
#include "ui/Error.h"

namespace platform::posix {

namespace {

// Closes a descriptor that an open gave up on half-way.
class FdGuard {
public:
    explicit FdGuard(int fd) : fd_(fd) {}
    ~FdGuard() {
        if (fd_ >= 0) ::close(fd_);
    }
    FdGuard(const FdGuard&) = delete;
    FdGuard& operator=(const FdGuard&) = delete;
    int release() {
        const int fd = fd_;
        fd_ = -1;
        return fd;
    }

private:
    int fd_;
};

template <class Call>
int Retry(Call call) {
    int r;
    do {
        r = call();
    } while (r < 0 && errno == EINTR);
    return r;
}

// A file or folder opened as a port would be read and written as if it were
// one, so only character devices get as far as open().
void RequireCharacterDevice(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) ThrowPortError(PortStep::Open, errno, "stat", path);
    if (!S_ISCHR(st.st_mode)) throw ui::Error(comm::err::NotASerialDevice, path + " is not a serial device");
}

}  // namespace

void PortDevice::open(const std::string& path) {
    RequireCharacterDevice(path);
    const int fd = Retry([&] { return ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC); });
    if (fd < 0) ThrowPortError(PortStep::Open, errno, "open", path);
    FdGuard guard(fd);
    if (!::isatty(fd)) ThrowPortError(PortStep::Open, errno, "isatty", path);
    // The lock comes before TIOCEXCL so that a loser never touches the
    // exclusive flag, which belongs to the tty and so to the holder.
    if (Retry([&] { return ::flock(fd, LOCK_EX | LOCK_NB); }) != 0) ThrowPortError(PortStep::Lock, errno, "lock", path);
    if (::ioctl(fd, TIOCEXCL) != 0) ThrowPortError(PortStep::Open, errno, "TIOCEXCL", path);
    fd_ = guard.release();
    path_ = path;
    noModemLines_.clear();
}

void PortDevice::close() noexcept {
    if (fd_ < 0) return;
    // Results are ignored: a device that has gone away fails every one of
    // these, and the descriptor is released all the same. The output flush
    // keeps close() from waiting out the driver's closing delay (up to 30 s)
    // while a slow line drains.
    (void)::tcflush(fd_, TCOFLUSH);
    (void)::ioctl(fd_, TIOCNXCL);
    (void)::flock(fd_, LOCK_UN);
    (void)::close(fd_);
    fd_ = -1;
    noModemLines_.clear();
}

void PortDevice::configure(const comm::LineSettings& s) {
    termios t{};
    if (Retry([&] { return ::tcgetattr(fd_, &t); }) != 0)
        ThrowPortError(PortStep::Configure, errno, "tcgetattr", path_);
    MakeRaw(t);
    SetFraming(t, s);
    if (Retry([&] { return ::tcsetattr(fd_, TCSANOW, &t); }) != 0) {
        ThrowPortError(PortStep::Configure, errno, "tcsetattr", path_);
    }
    verifyFraming(s);
    if (int e = SetLineSpeed(fd_, s.speed)) ThrowPortError(PortStep::Configure, e, "set speed on", path_);
    verifySpeed(s.speed);
}

// tcsetattr succeeds when any part of the change was taken.
void PortDevice::verifyFraming(const comm::LineSettings& s) {
    termios back{};
    if (Retry([&] { return ::tcgetattr(fd_, &back); }) != 0)
        ThrowPortError(PortStep::Configure, errno, "tcgetattr", path_);
    if (!FramingMatches(back, s)) throw ui::Error(comm::err::SetStateFailed, path_ + " refused the framing");
}

void PortDevice::verifySpeed(long asked) {
    long got = 0;
    if (int e = ReadLineSpeed(fd_, got)) ThrowPortError(PortStep::Configure, e, "read speed of", path_);
    if (!SpeedConfirmed(asked, got)) {
        throw ui::Error(comm::err::SetStateFailed,
                        path_ + " runs at " + std::to_string(got) + " bit/s instead of " + std::to_string(asked));
    }
}

int PortDevice::modemBits() {
    if (!noModemLines_.empty()) throw ui::Error(comm::err::NoModemLines, noModemLines_);
    int bits = 0;
    if (::ioctl(fd_, TIOCMGET, &bits) == 0) return bits;
    const int e = errno;
    if (e != ENOTTY && e != EINVAL) ThrowPortError(PortStep::ModemLines, e, "TIOCMGET", path_);
    try {
        ThrowPortError(PortStep::ModemLines, e, "TIOCMGET", path_);
    } catch (const ui::Error& first) {
        noModemLines_ = first.what();
        throw;
    }
}

void PortDevice::drive(OutputLine line, bool on) {
    const int bit = line == OutputLine::Dtr ? TIOCM_DTR : TIOCM_RTS;
    if (::ioctl(fd_, on ? TIOCMBIS : TIOCMBIC, &bit) != 0) {
        ThrowPortError(PortStep::ModemLines, errno, on ? "TIOCMBIS" : "TIOCMBIC", path_);
    }
    if (((modemBits() & bit) != 0) != on) {
        throw ui::Error(comm::err::SetStateFailed,
                        path_ + (line == OutputLine::Dtr ? ": DTR" : ": RTS") + " did not follow");
    }
}

bool PortDevice::holding(InputLine line) {
    const int bit = line == InputLine::Dsr ? TIOCM_DSR : line == InputLine::Cts ? TIOCM_CTS : TIOCM_CAR;
    return (modemBits() & bit) != 0;
}

int PortDevice::bytesWaiting() {
    int n = 0;
    if (::ioctl(fd_, FIONREAD, &n) != 0) ThrowPortError(PortStep::Read, errno, "FIONREAD", path_);
    return n;
}

int PortDevice::kernelOutQueue() {
    int n = 0;
    if (::ioctl(fd_, TIOCOUTQ, &n) != 0) ThrowPortError(PortStep::Write, errno, "TIOCOUTQ", path_);
    return n;
}

std::vector<std::uint8_t> PortDevice::readWaiting(std::size_t most) {
    std::vector<std::uint8_t> out;
    std::uint8_t buf[4096];
    while (out.size() < most) {
        const ssize_t n = ::read(fd_, buf, std::min(sizeof buf, most - out.size()));
        if (n > 0) {
            out.insert(out.end(), buf, buf + n);
            continue;
        }
        // A raw tty with VMIN=0 and VTIME=0 answers an empty queue with 0, not EAGAIN.
        if (n == 0 || errno == EAGAIN) break;
        if (errno == EINTR) continue;
        // Bytes already read are handed over; the failure shows on the next call.
        if (!out.empty()) break;
        ThrowPortError(PortStep::Read, errno, "read", path_);
    }
    return out;
}

}  // namespace platform::posix
