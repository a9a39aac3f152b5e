#pragma once

#include <sys/types.h>

#include <chrono>
#include <string>

namespace platform::posix {

// An exclusive advisory lock on a directory, taken by every writer of the
// files in it. A file replaced by a rename gets a new inode, and a lock on
// it would go with the old one; the directory keeps its own. It needs no
// lock file either, so it serves a folder that may not be written as well.
class DirectoryLock {
public:
    // Waits at most `wait` for another holder. After that, or where the
    // file system has no locks, it is not held and the caller goes on.
    DirectoryLock(const std::string& dir, std::chrono::milliseconds wait);
    ~DirectoryLock();
    DirectoryLock(const DirectoryLock&) = delete;
    DirectoryLock& operator=(const DirectoryLock&) = delete;

    // Whether it stands for the directory `dir` (held or given up).
    bool covers(const std::string& dir) const;

private:
    int fd_ = -1;
    dev_t dev_ = 0;
    ino_t ino_ = 0;
};

}  // namespace platform::posix
