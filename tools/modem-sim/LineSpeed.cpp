// termios2 lives in <asm/termbits.h>, whose struct termios clashes with the
// C library's <termios.h>; this file includes neither <termios.h> nor
// <sys/ioctl.h> for that reason.
#include "tools/modem-sim/LineSpeed.h"

#include <asm/ioctls.h>
#include <asm/termbits.h>

extern "C" int ioctl(int fd, unsigned long request, ...);

namespace modemsim {

long ReadLineSpeed(int fd) {
    struct termios2 t {};
    if (ioctl(fd, TCGETS2, &t) != 0) return 0;
    // The kernel fills c_ospeed for the classic Bxxx rates as well.
    return static_cast<long>(t.c_ospeed);
}

}  // namespace modemsim
