#include "platform/posix/Termios2Speed.h"

#include <asm/termbits.h>
#include <sys/ioctl.h>

#include <cerrno>
#include <cstdlib>

namespace platform::posix {

namespace {

struct Rate {
    long speed;
    std::uint32_t code;
};

constexpr Rate StandardRates[] = {
    {50, B50},           {75, B75},           {110, B110},         {134, B134},         {150, B150},
    {200, B200},         {300, B300},         {600, B600},         {1200, B1200},       {1800, B1800},
    {2400, B2400},       {4800, B4800},       {9600, B9600},       {19200, B19200},     {38400, B38400},
    {57600, B57600},     {115200, B115200},   {230400, B230400},   {460800, B460800},   {500000, B500000},
    {576000, B576000},   {921600, B921600},   {1000000, B1000000}, {1152000, B1152000}, {1500000, B1500000},
    {2000000, B2000000}, {2500000, B2500000}, {3000000, B3000000}, {3500000, B3500000}, {4000000, B4000000},
};

int Ioctl(int fd, unsigned long request, termios2* t) {
    int r;
    do {
        r = ::ioctl(fd, request, t);
    } while (r < 0 && errno == EINTR);
    return r < 0 ? errno : 0;
}

}  // namespace

std::uint32_t SpeedBits(long speed) {
    for (const Rate& r : StandardRates) {
        if (r.speed == speed) return r.code;
    }
    return BOTHER;
}

long SpeedFromBits(std::uint32_t cflag, std::uint32_t ospeed) {
    const std::uint32_t code = cflag & CBAUD;
    if (code == BOTHER) return static_cast<long>(ospeed);
    for (const Rate& r : StandardRates) {
        if (r.code == code) return r.speed;
    }
    return 0;
}

bool SpeedConfirmed(long asked, long reported) {
    return asked > 0 && std::labs(reported - asked) * 50 <= asked;  // within 2 %
}

int SetLineSpeed(int fd, long speed) {
    termios2 t{};
    if (int e = Ioctl(fd, TCGETS2, &t)) return e;
    const std::uint32_t bits = SpeedBits(speed);
    t.c_cflag &= ~(CBAUD | (CBAUD << IBSHIFT));
    t.c_cflag |= bits | (bits << IBSHIFT);
    t.c_ispeed = static_cast<speed_t>(speed);
    t.c_ospeed = static_cast<speed_t>(speed);
    return Ioctl(fd, TCSETS2, &t);
}

int ReadLineSpeed(int fd, long& speed) {
    termios2 t{};
    if (int e = Ioctl(fd, TCGETS2, &t)) return e;
    speed = SpeedFromBits(t.c_cflag, t.c_ospeed);
    return 0;
}

}  // namespace platform::posix
