#include "platform/posix/DirectoryLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <thread>

namespace platform::posix {

namespace {

// Short enough that a waiting console gets its turn between two saves of another.
constexpr auto kRetry = std::chrono::milliseconds(2);

}  // namespace

DirectoryLock::DirectoryLock(const std::string& dir, std::chrono::milliseconds wait) {
    const int fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    struct stat st {};
    if (::fstat(fd, &st) == 0) {
        dev_ = st.st_dev;
        ino_ = st.st_ino;
    }
    const auto deadline = std::chrono::steady_clock::now() + wait;
    for (;;) {
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
            fd_ = fd;
            return;
        }
        if (errno == EINTR) continue;
        if (errno != EWOULDBLOCK || std::chrono::steady_clock::now() >= deadline) break;
        std::this_thread::sleep_for(kRetry);
    }
    ::close(fd);
}

DirectoryLock::~DirectoryLock() {
    if (fd_ < 0) return;
    ::flock(fd_, LOCK_UN);  // a started program may still have a copy of the descriptor
    ::close(fd_);
}

bool DirectoryLock::covers(const std::string& dir) const {
    struct stat st {};
    return ::stat(dir.c_str(), &st) == 0 && st.st_dev == dev_ && st.st_ino == ino_ && (dev_ != 0 || ino_ != 0);
}

}  // namespace platform::posix
