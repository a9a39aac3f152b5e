#include "platform/posix/OutputQueue.h"

#include <unistd.h>

#include <cerrno>

namespace platform::posix {

void OutputQueue::append(std::string_view bytes) {
    bytes_.append(bytes);
}

int OutputQueue::flushTo(int fd) {
    int result = 0;
    while (!empty()) {
        const ssize_t n = ::write(fd, bytes_.data() + head_, size());
        if (n > 0) {
            head_ += static_cast<std::size_t>(n);
            continue;
        }
        if (n < 0 && errno == EINTR) continue;
        if (n < 0 && errno != EAGAIN) result = errno;
        break;  // full for now (or a write of 0, which a tty gives when it is)
    }
    compact();
    return result;
}

void OutputQueue::clear() {
    bytes_.clear();
    head_ = 0;
}

// Keeps a long transmission from shifting the whole buffer on every partial write.
void OutputQueue::compact() {
    if (head_ == bytes_.size()) {
        clear();
    } else if (head_ > bytes_.size() / 2) {
        bytes_.erase(0, head_);
        head_ = 0;
    }
}

}  // namespace platform::posix
