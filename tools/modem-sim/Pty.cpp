#include "tools/modem-sim/Pty.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <system_error>
#include <vector>

#include "tools/modem-sim/LineSpeed.h"

namespace modemsim {

namespace {

[[noreturn]] void Fail(const std::string& what) {
    throw std::system_error(errno, std::generic_category(), what);
}

}  // namespace

Pty::Pty() {
    open();
}

Pty::~Pty() {
    removeLink();
    if (slave_ >= 0) ::close(slave_);
    if (master_ >= 0) ::close(master_);
}

void Pty::open() {
    master_ = ::posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (master_ < 0) Fail("posix_openpt");
    if (::grantpt(master_) != 0) Fail("grantpt");
    if (::unlockpt(master_) != 0) Fail("unlockpt");
    std::vector<char> name(256);
    if (::ptsname_r(master_, name.data(), name.size()) != 0) Fail("ptsname_r");
    path_ = name.data();
    slave_ = ::open(path_.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (slave_ < 0) Fail("open " + path_);
    makeRaw();
}

// Until the console sets its own mode, the line must not echo or translate
// anything, and it starts at the usual 9600 bit/s.
void Pty::makeRaw() {
    termios t{};
    if (::tcgetattr(slave_, &t) != 0) Fail("tcgetattr " + path_);
    ::cfmakeraw(&t);
    ::cfsetispeed(&t, B9600);
    ::cfsetospeed(&t, B9600);
    if (::tcsetattr(slave_, TCSANOW, &t) != 0) Fail("tcsetattr " + path_);
}

long Pty::lineSpeed() const {
    return ReadLineSpeed(slave_);
}

void Pty::placeLink(const std::string& linkPath) {
    struct stat st {};
    if (::lstat(linkPath.c_str(), &st) == 0) {
        if (!S_ISLNK(st.st_mode)) {
            errno = EEXIST;
            Fail(linkPath + " exists and is not a symlink");
        }
        if (::unlink(linkPath.c_str()) != 0) Fail("unlink " + linkPath);
    }
    if (::symlink(path_.c_str(), linkPath.c_str()) != 0) Fail("symlink " + linkPath);
    link_ = linkPath;
}

void Pty::removeLink() {
    if (link_.empty()) return;
    std::vector<char> target(path_.size() + 2);
    const ssize_t n = ::readlink(link_.c_str(), target.data(), target.size());
    if (n >= 0 && std::string(target.data(), static_cast<std::size_t>(n)) == path_) ::unlink(link_.c_str());
    link_.clear();
}

}  // namespace modemsim
