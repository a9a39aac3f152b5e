#pragma once

#include <termios.h>

#include "comm/LineSettings.h"

namespace platform::posix {

// Pure edits of a termios; the speed is not theirs (Termios2Speed sets it).

// Raw bytes both ways: no echo, no line editing, no signals, no CR/LF
// translation, no software or hardware flow control, the receiver on and the
// modem-status lines ignored, and a read that returns at once with what waits.
void MakeRaw(termios& t);

// Data bits, parity (N, E, O, M, S) and stop bits of the settings.
void SetFraming(termios& t, const comm::LineSettings& s);

// True when the framing bits of t are those SetFraming would set for s.
bool FramingMatches(const termios& t, const comm::LineSettings& s);

}  // namespace platform::posix
