#pragma once

namespace modemsim {

// The output speed in bit/s set on the terminal behind fd, any rate
// included (a pseudo-terminal keeps what its user set); 0 when unreadable.
long ReadLineSpeed(int fd);

}  // namespace modemsim
