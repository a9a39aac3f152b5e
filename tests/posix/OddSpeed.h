#pragma once

// Sets any line speed on a terminal through termios2 (BOTHER), as a console
// must for rates such as 14400 that have no Bxxx constant.
bool SetOddSpeed(int fd, long baud);
