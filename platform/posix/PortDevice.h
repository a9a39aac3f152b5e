#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "comm/LineSettings.h"

namespace platform::posix {

enum class OutputLine { Dtr, Rts };
enum class InputLine { Dsr, Cts, Cd };

// One open serial device: the descriptor, its exclusive hold, and every
// system call made on it. Each failure throws ui::Error with a comm::err
// number; none of them closes the device behind the owner's back.
class PortDevice {
public:
    PortDevice() = default;
    ~PortDevice() { close(); }
    PortDevice(const PortDevice&) = delete;
    PortDevice& operator=(const PortDevice&) = delete;

    // Non-blocking, no controlling tty, held exclusively against other
    // programs. Leaves nothing open when it throws.
    void open(const std::string& path);
    // Releases the hold and closes; unsent kernel output is dropped.
    void close() noexcept;
    bool isOpen() const { return fd_ >= 0; }
    int fd() const { return fd_; }
    const std::string& path() const { return path_; }

    // Raw mode with the settings' framing and speed, confirmed by reading them back.
    void configure(const comm::LineSettings& s);
    // Sets an output line and reads it back.
    void drive(OutputLine line, bool on);
    bool holding(InputLine line);

    int bytesWaiting();    // received, not yet read
    int kernelOutQueue();  // written, not yet on the wire
    // What waits, up to `most` bytes; empty when nothing does.
    std::vector<std::uint8_t> readWaiting(std::size_t most);
    // True once the device has shown it has no modem lines.
    bool modemLinesMissing() const { return !noModemLines_.empty(); }

private:
    int modemBits();
    void verifyFraming(const comm::LineSettings& s);
    void verifySpeed(long asked);

    int fd_ = -1;
    std::string path_;
    // Set once the open device has answered TIOCMGET with "not supported"
    // (a pseudo-terminal): it never will support it, and the poll asks every
    // tick, so later calls fail with this description and no system call.
    std::string noModemLines_;
};

}  // namespace platform::posix
