#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace platform::posix {

// Bytes the kernel has not taken yet, in the order they were given. Output
// never blocks the UI thread and never drops a byte, so whatever a
// non-blocking write refuses waits here for the next attempt.
class OutputQueue {
public:
    void append(std::string_view bytes);
    // Writes as much as `fd` takes without blocking. 0 when it took all it
    // would (EAGAIN is not a failure), else the errno of the failed write; the
    // bytes not written stay queued either way.
    int flushTo(int fd);
    std::size_t size() const { return bytes_.size() - head_; }
    bool empty() const { return size() == 0; }
    void clear();

private:
    void compact();

    std::string bytes_;
    std::size_t head_ = 0;  // bytes_[0, head_) are already written
};

}  // namespace platform::posix
