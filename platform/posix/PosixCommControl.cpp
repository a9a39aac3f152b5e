#include "platform/posix/PosixCommControl.h"

#include <climits>
#include <utility>

#include "comm/CommError.h"
#include "platform/posix/Cp936.h"
#include "platform/posix/ErrnoMapping.h"
#include "platform/posix/PortNames.h"
#include "ui/Error.h"

namespace platform::posix {

namespace {

constexpr int HighestPort = 255;

// The console only ever asks for byte input, no flow control and no comm
// events; anything else would be silently ignored here, so it is refused.
void RequireValue(bool ok) {
    if (!ok) throw ui::Error(comm::err::InvalidProperty, "Invalid property value");
}

}  // namespace

PosixCommControl::PosixCommControl(console::PrivateProfile& profile, std::string iniPath)
    : profile_(profile), iniPath_(std::move(iniPath)) {}

void PosixCommControl::setCommPort(int port) {
    if (port < 1 || port > HighestPort) throw ui::Error(comm::err::InvalidPortNumber, "Invalid port number");
    if (device_.isOpen()) throw ui::Error(comm::err::PortAlreadyOpen, "Port already open");
    port_ = port;
}

void PosixCommControl::setSettings(const std::u16string& text) {
    const comm::LineSettings parsed = comm::ParseLineSettings(text);
    if (device_.isOpen()) {
        try {
            device_.configure(parsed);
        } catch (const ui::Error&) {
            // Half-applied settings would leave the line in neither state. The
            // refusal is what the caller hears about, not a failed restore.
            try {
                device_.configure(settings_);
            } catch (const ui::Error&) {
            }
            throw;
        }
    }
    settings_ = parsed;
    settingsText_ = text;
}

void PosixCommControl::setPortOpen(bool open) {
    if (!open) {
        device_.close();
        queue_.clear();
        return;
    }
    if (device_.isOpen()) throw ui::Error(comm::err::PortAlreadyOpen, "Port already open");
    this->open();
}

void PosixCommControl::open() {
    device_.open(PortDevicePath(profile_, iniPath_, port_));
    try {
        device_.configure(settings_);
        applyHeldLines();
    } catch (...) {
        device_.close();
        throw;
    }
    queue_.clear();
    kernelDrained_ = false;
    counted_ = 0;
}

// A pseudo-terminal or a bare three-wire adapter has no modem lines, and some
// drivers do not report back the lines they drive; such a port still opens
// and carries data, and the line setters report the trouble when they are used.
void PosixCommControl::applyHeldLines() {
    try {
        device_.drive(OutputLine::Dtr, dtr_);
        device_.drive(OutputLine::Rts, rts_);
    } catch (const ui::Error&) {
    }
}

void PosixCommControl::setInputMode(int mode) {
    RequireValue(mode == 0 || mode == 1);
}
void PosixCommControl::setInputLen(int len) {
    RequireValue(len == 0);
}
void PosixCommControl::setHandshaking(int mode) {
    RequireValue(mode == 0);
}
void PosixCommControl::setRThreshold(int n) {
    RequireValue(n == 0);
}
void PosixCommControl::setSThreshold(int n) {
    RequireValue(n == 0);
}

// The held value is what the user asked for, even when the device cannot show it.
void PosixCommControl::setRTSEnable(bool on) {
    rts_ = on;
    if (device_.isOpen()) device_.drive(OutputLine::Rts, on);
}

void PosixCommControl::setDTREnable(bool on) {
    dtr_ = on;
    if (device_.isOpen()) device_.drive(OutputLine::Dtr, on);
}

bool PosixCommControl::heldLine(InputLine line) {
    requireOpen();
    return device_.holding(line);
}

bool PosixCommControl::dsrHolding() {
    return heldLine(InputLine::Dsr);
}
bool PosixCommControl::ctsHolding() {
    return heldLine(InputLine::Cts);
}
bool PosixCommControl::cdHolding() {
    return heldLine(InputLine::Cd);
}

void PosixCommControl::requireOpen() const {
    if (!device_.isOpen()) throw ui::Error(comm::err::PortNotOpen, "Operation valid only when the port is open");
}

void PosixCommControl::flushOrThrow() {
    if (int e = pushQueued()) ThrowPortError(PortStep::Write, e, "write", device_.path());
}

// Gives the kernel what it takes of the queue: 0, or the errno of a failed write.
int PosixCommControl::pushQueued() {
    if (queue_.empty()) return 0;
    kernelDrained_ = false;
    return queue_.flushTo(device_.fd());
}

// Receiving goes on whatever the transmit side does, so a failed flush here
// is left for the next output or outBufferCount to report.
int PosixCommControl::inBufferCount() {
    requireOpen();
    (void)pushQueued();
    counted_ = device_.bytesWaiting();
    return counted_;
}

std::vector<std::uint8_t> PosixCommControl::input() {
    requireOpen();
    (void)pushQueued();
    // A hung-up tty reads as empty; the count call is what notices it has gone.
    // Only what was counted is read: a source faster than the poll (a
    // pseudo-terminal, a USB modem that ignores the line speed) would
    // otherwise keep one read, and one tick, going for as long as it sends.
    // The poll counts just before it reads; that count stands for one read.
    const int waiting = counted_ > 0 ? std::exchange(counted_, 0) : device_.bytesWaiting();
    if (waiting == 0) return {};
    return device_.readWaiting(static_cast<std::size_t>(waiting));
}

// Only this control writes to the port, so a kernel queue seen empty stays
// empty until it writes again: the poll asks every tick, and the answer is
// then known without a system call.
int PosixCommControl::outBufferCount() {
    requireOpen();
    flushOrThrow();
    if (kernelDrained_) return 0;
    const int kernel = device_.kernelOutQueue();
    kernelDrained_ = kernel == 0;
    const long long total = static_cast<long long>(queue_.size()) + kernel;
    return total > INT_MAX ? INT_MAX : static_cast<int>(total);
}

void PosixCommControl::output(const std::u16string& text) {
    requireOpen();
    queue_.append(EncodeCp936(text));
    flushOrThrow();
}

}  // namespace platform::posix
