#include "platform/posix/PosixShell.h"

#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <system_error>
#include <thread>
#include <vector>

#include "ui/Error.h"

extern char** environ;

namespace platform::posix {

namespace {

constexpr int kFileNotFound = 53;
constexpr int kPermissionDenied = 70;
constexpr int kPathFileAccess = 75;

[[noreturn]] void ThrowSpawnError(int code, const std::string& path) {
    const std::string what = path + ": " + std::strerror(code);
    if (code == ENOENT || code == ENOTDIR) throw ui::Error(kFileNotFound, "File not found: " + what);
    if (code == EACCES || code == EPERM) throw ui::Error(kPermissionDenied, "Permission denied: " + what);
    throw ui::Error(kPathFileAccess, "Path/File access error: " + what);
}

// Attributes that give the program a clean start: no blocked signals and
// SIGPIPE back at its default, whatever the toolkit set for itself.
class SpawnAttributes {
public:
    SpawnAttributes() {
        posix_spawnattr_init(&attr_);
        sigset_t none;
        sigemptyset(&none);
        posix_spawnattr_setsigmask(&attr_, &none);
        sigset_t defaults;
        sigemptyset(&defaults);
        sigaddset(&defaults, SIGPIPE);
        posix_spawnattr_setsigdefault(&attr_, &defaults);
        posix_spawnattr_setflags(&attr_, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
    }
    ~SpawnAttributes() { posix_spawnattr_destroy(&attr_); }
    SpawnAttributes(const SpawnAttributes&) = delete;
    SpawnAttributes& operator=(const SpawnAttributes&) = delete;
    const posix_spawnattr_t* get() const { return &attr_; }

private:
    posix_spawnattr_t attr_;
};

// Waits for exactly this child, so no other part of the program loses a
// child's status to it.
void ReapWhenDone(pid_t pid) {
    try {
        std::thread([pid] {
            int status = 0;
            while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
            }
        }).detach();
    } catch (const std::system_error&) {
        // No thread to spare: the program still runs; its exit status waits
        // until this process ends.
    }
}

}  // namespace

bool PosixShell::plainFileExists(const std::string& path) {
    if (path.empty()) return false;
    const auto slash = path.find_last_of('/');
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    if (name.empty() || name.front() == '.') return false;
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

void PosixShell::startProgram(const std::string& path, int) {
    if (path.empty()) ThrowSpawnError(ENOENT, path);
    std::vector<char> arg0(path.begin(), path.end());
    arg0.push_back('\0');
    char* argv[] = {arg0.data(), nullptr};
    const SpawnAttributes attr;
    pid_t pid = 0;
    const int rc = posix_spawn(&pid, path.c_str(), nullptr, attr.get(), argv, environ);
    if (rc != 0) ThrowSpawnError(rc, path);
    ReapWhenDone(pid);
}

}  // namespace platform::posix
