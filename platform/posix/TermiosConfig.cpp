#include "platform/posix/TermiosConfig.h"

namespace platform::posix {

namespace {

constexpr tcflag_t FramingBits = CSIZE | PARENB | PARODD | CMSPAR | CSTOPB;

tcflag_t SizeBits(int dataBits) {
    switch (dataBits) {
        case 5:
            return CS5;
        case 6:
            return CS6;
        case 7:
            return CS7;
        default:
            return CS8;
    }
}

tcflag_t ParityBits(char parity) {
    switch (parity) {
        case 'E':
            return PARENB;
        case 'O':
            return PARENB | PARODD;
        case 'M':  // the parity bit stuck at 1
            return PARENB | CMSPAR | PARODD;
        case 'S':  // the parity bit stuck at 0
            return PARENB | CMSPAR;
        default:
            return 0;
    }
}

tcflag_t FramingOf(const comm::LineSettings& s) {
    return SizeBits(s.dataBits) | ParityBits(s.parity) | (s.stopBits == 2 ? CSTOPB : 0);
}

}  // namespace

void MakeRaw(termios& t) {
    t.c_iflag &= ~(IGNBRK | BRKINT | IGNPAR | PARMRK | INPCK | ISTRIP | INLCR | IGNCR | ICRNL | IXON | IXOFF | IXANY |
                   IMAXBEL | IUCLC);
    t.c_oflag &= ~OPOST;
    t.c_lflag &= ~(ECHO | ECHOE | ECHOK | ECHONL | ECHOCTL | ECHOKE | ICANON | ISIG | IEXTEN);
    t.c_cflag &= ~(CSIZE | PARENB | PARODD | CMSPAR | CSTOPB | CRTSCTS);
    t.c_cflag |= CS8 | CLOCAL | CREAD;
    t.c_cc[VMIN] = 0;
    t.c_cc[VTIME] = 0;
}

void SetFraming(termios& t, const comm::LineSettings& s) {
    t.c_cflag = (t.c_cflag & ~FramingBits) | FramingOf(s);
}

bool FramingMatches(const termios& t, const comm::LineSettings& s) {
    return (t.c_cflag & FramingBits) == FramingOf(s);
}

}  // namespace platform::posix
