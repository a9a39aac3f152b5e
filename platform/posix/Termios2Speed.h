#pragma once

#include <cstdint>

// No system header here: <asm/termbits.h>, which termios2 needs, clashes
// with <termios.h>, so only Termios2Speed.cpp sees it and callers pass plain
// integers.
namespace platform::posix {

// The c_cflag baud code for a speed: the standard code where the rate has
// one, else BOTHER (an arbitrary rate carried in c_ispeed/c_ospeed).
std::uint32_t SpeedBits(long speed);

// The speed that a c_cflag and c_ospeed describe; 0 for an unknown code.
long SpeedFromBits(std::uint32_t cflag, std::uint32_t ospeed);

// A UART framing tolerates a few per cent of rate error, and some drivers
// report the rate their divisor really gives rather than the one asked for.
bool SpeedConfirmed(long asked, long reported);

// Both directions of the open tty at `speed` bit/s, at once. 0 or an errno.
int SetLineSpeed(int fd, long speed);

// The output speed the tty holds. 0 or an errno.
int ReadLineSpeed(int fd, long& speed);

}  // namespace platform::posix
