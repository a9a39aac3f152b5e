#include "platform/posix/IniProfile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>

#include "platform/posix/DirectoryLock.h"
#include "platform/posix/IniText.h"

namespace platform::posix {

namespace {

enum class Found { Missing, Read, Unreadable };

struct Loaded {
    Found state;
    std::string bytes;
};

class FdGuard {
public:
    explicit FdGuard(int fd) : fd_(fd) {}
    ~FdGuard() { ::close(fd_); }
    FdGuard(const FdGuard&) = delete;
    FdGuard& operator=(const FdGuard&) = delete;

private:
    int fd_;
};

// Only a regular file is read: a directory or a FIFO at the path is treated
// as unreadable (and never blocks us).
Loaded Load(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (fd < 0) return {(errno == ENOENT || errno == ENOTDIR) ? Found::Missing : Found::Unreadable, {}};
    FdGuard guard(fd);
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) return {Found::Unreadable, {}};
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(st.st_size));
    char buf[65536];
    for (;;) {
        const ssize_t n = ::read(fd, buf, sizeof buf);
        if (n > 0) {
            bytes.append(buf, static_cast<std::size_t>(n));
        } else if (n == 0) {
            break;
        } else if (errno != EINTR) {
            return {Found::Unreadable, {}};
        }
    }
    return {Found::Read, std::move(bytes)};
}

bool WriteAll(int fd, const std::string& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
}

// A file or directory without any write bit is read-only even for root, and
// a rename would otherwise replace a read-only file in a writable directory.
bool MayWrite(const std::string& path, const struct stat& st) {
    return (st.st_mode & 0222) != 0 && ::access(path.c_str(), W_OK) == 0;
}

std::string DirOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string ReadLink(const std::string& link) {
    std::string to(256, '\0');
    for (;;) {
        const ssize_t n = ::readlink(link.c_str(), to.data(), to.size());
        if (n < 0) return {};
        if (static_cast<std::size_t>(n) < to.size()) return to.substr(0, static_cast<std::size_t>(n));
        to.resize(to.size() * 2);
    }
}

// A settings file that is a symbolic link is written where the link points,
// so the link survives the rename; a link to a file not there yet names the
// file to create. A loop of links is left as it is: it cannot be written.
std::string Resolve(const std::string& path) {
    std::string at = path;
    for (int hop = 0; hop < 40; ++hop) {
        struct stat st {};
        if (::lstat(at.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return at;
        const std::string to = ReadLink(at);
        if (to.empty()) return at;
        at = to.front() == '/' ? to : DirOf(at) + "/" + to;
    }
    return at;
}

// An exclusive new file beside the target; 0666 lets the umask decide the
// mode of a settings file that did not exist before.
int CreateTemp(const std::string& target, std::string& name) {
    static std::atomic<unsigned> counter{0};
    const std::size_t slash = target.rfind('/');
    const std::string dir = slash == std::string::npos ? "" : target.substr(0, slash + 1);
    const std::string base = target.substr(slash == std::string::npos ? 0 : slash + 1);
    for (int attempt = 0; attempt < 100; ++attempt) {
        name = dir + "." + base + "." + std::to_string(::getpid()) + "." + std::to_string(counter++) + ".tmp";
        const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOCTTY, 0666);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    return -1;
}

void SyncDir(const std::string& dir) {
    const int fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);  // the rename itself reaches the disk; a failure here loses nothing already written
    ::close(fd);
}

// The whole new text reaches the disk before it takes the old file's name.
bool Replace(const std::string& target, const std::string& bytes, const struct stat* old) {
    std::string temp;
    const int fd = CreateTemp(target, temp);
    if (fd < 0) return false;
    bool ok = WriteAll(fd, bytes);
    if (ok && old) {
        // Only root may give a file away; a member of the file's group may
        // still keep its group. The mode comes last: a change of owner may
        // clear its set-id bits.
        const bool ownerKept = ::fchown(fd, old->st_uid, old->st_gid) == 0;
        if (!ownerKept && ::fchown(fd, static_cast<uid_t>(-1), old->st_gid) != 0) {
            // not in the file's group either: the file becomes ours, in our group
        }
        ok = ::fchmod(fd, old->st_mode & 07777) == 0;
    }
    ok = ok && ::fsync(fd) == 0;
    ok = ::close(fd) == 0 && ok;
    ok = ok && ::rename(temp.c_str(), target.c_str()) == 0;
    if (!ok) {
        ::unlink(temp.c_str());
        return false;
    }
    SyncDir(DirOf(target));
    return true;
}

// Where the file system cannot reserve blocks, its free space is asked.
bool Reserve(int fd, const std::string& target, off_t growth, off_t size) {
    if (::fallocate(fd, FALLOC_FL_KEEP_SIZE, 0, size) == 0) return true;
    if (errno != EOPNOTSUPP && errno != ENOSYS) return false;
    struct statvfs vfs {};
    if (::statvfs(target.c_str(), &vfs) != 0) return false;
    const auto block = static_cast<off_t>(vfs.f_frsize);
    return static_cast<off_t>(vfs.f_bavail) * block >= growth + block;
}

// For a file in a folder that may not be written: the new text over the
// old, in the file itself. Room for all of it is reserved first, so a full
// disk or a quota fails here and leaves the old text whole.
bool Overwrite(const std::string& target, const std::string& bytes, const struct stat& old) {
    const int fd = ::open(target.c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (fd < 0) return false;
    FdGuard guard(fd);
    const auto size = static_cast<off_t>(bytes.size());
    if (size > old.st_size && !Reserve(fd, target, size - old.st_size, size)) return false;
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::pwrite(fd, bytes.data() + done, bytes.size() - done, static_cast<off_t>(done));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += static_cast<std::size_t>(n);
    }
    return ::ftruncate(fd, size) == 0 && ::fsync(fd) == 0;
}

}  // namespace

IniProfile::IniProfile(std::chrono::milliseconds lockWait) : lockWait_(lockWait) {}

IniProfile::~IniProfile() = default;

// The folder is locked once; holds within a hold of the same folder (each
// write within a whole save) only count.
void IniProfile::hold(const std::string& path) {
    const std::string dir = DirOf(Resolve(path));
    for (const auto& lock : holds_) {
        if (lock && lock->covers(dir)) {
            holds_.push_back(nullptr);
            return;
        }
    }
    holds_.push_back(std::make_unique<DirectoryLock>(dir, lockWait_));
}

void IniProfile::release() {
    if (!holds_.empty()) holds_.pop_back();
}

int IniProfile::getInt(const std::string& section, const std::string& key, int def, const std::string& path) {
    Loaded file = Load(path);
    if (file.state != Found::Read) return def;
    const auto value = IniText(std::move(file.bytes)).get(section, key);
    if (!value || value->empty()) return def;
    return IniText::LeadingInt(*value);
}

std::string IniProfile::getString(const std::string& section, const std::string& key, const std::string& def, int size,
                                  const std::string& path) {
    if (size <= 0) return {};
    std::string out = def;
    Loaded file = Load(path);
    if (file.state == Found::Read) {
        if (auto value = IniText(std::move(file.bytes)).get(section, key)) out = std::move(*value);
    }
    if (out.size() > static_cast<std::size_t>(size - 1)) out.resize(static_cast<std::size_t>(size - 1));
    return out;
}

// Whatever cannot be done safely leaves the file as it was: a path that is
// not a regular file, a file or directory that may not be written, a file
// that cannot be read (its text would be lost).
bool IniProfile::writeString(const std::string& section, const std::string& key, const std::string& value,
                             const std::string& path) {
    const Hold held(*this, path);
    const std::string target = Resolve(path);
    struct stat st {};
    const bool exists = ::stat(target.c_str(), &st) == 0;
    if (!exists && errno != ENOENT) return false;
    if (exists && (!S_ISREG(st.st_mode) || !MayWrite(target, st))) return false;
    struct stat dirSt {};
    const std::string dir = DirOf(target);
    const bool dirWritable = ::stat(dir.c_str(), &dirSt) == 0 && MayWrite(dir, dirSt);
    if (!dirWritable && !exists) return false;

    const Loaded old = Load(target);
    if (old.state == Found::Unreadable) return false;
    IniText text(old.bytes);
    if (!text.put(section, key, value)) return false;
    if (old.state == Found::Read && text.bytes() == old.bytes) return true;  // already stored: spare the disk
    if (dirWritable && Replace(target, text.bytes(), exists ? &st : nullptr)) return true;
    return exists && Overwrite(target, text.bytes(), st);
}

}  // namespace platform::posix
