#include "tools/modem-sim/ModemSim.h"

#include <poll.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <system_error>
#include <vector>

namespace modemsim {

namespace {

volatile std::sig_atomic_t gStop = 0;

extern "C" void OnStopSignal(int) {
    gStop = 1;
}

void InstallStopHandlers(sigset_t& waitMask) {
    struct sigaction sa {};
    sa.sa_handler = OnStopSignal;
    sigemptyset(&sa.sa_mask);
    for (int sig : {SIGTERM, SIGINT, SIGHUP}) {
        sigaction(sig, &sa, nullptr);
        sigdelset(&waitMask, sig);
    }
}

}  // namespace

ModemSim::ModemSim(const SimOptions& options) : module_(options.module), start_(std::chrono::steady_clock::now()) {
    if (!options.link.empty()) pty_.placeLink(options.link);
    if (!options.log.empty()) {
        log_.open(options.log, std::ios::app);
        if (!log_) throw std::system_error(errno, std::generic_category(), "open " + options.log);
        module_.onLine = [this](const std::string& line) { logLine(line); };
    }
}

std::int64_t ModemSim::nowUs() const {
    return std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - start_).count();
}

void ModemSim::run() {
    sigset_t waitMask;
    sigprocmask(SIG_BLOCK, nullptr, &waitMask);
    InstallStopHandlers(waitMask);
    while (!gStop) {
        writeDue();
        pollfd p{pty_.master(), static_cast<short>(POLLIN | (writeBlocked_ ? POLLOUT : 0)), 0};
        const int ms = timeoutMs();
        timespec ts{ms / 1000, (ms % 1000) * 1'000'000L};
        const int n = ppoll(&p, 1, ms < 0 ? nullptr : &ts, &waitMask);
        if (n < 0) {
            if (errno == EINTR) continue;
            throw std::system_error(errno, std::generic_category(), "ppoll");
        }
        if (p.revents & (POLLERR | POLLNVAL)) throw std::runtime_error("the pseudo-terminal failed");
        if (p.revents & POLLOUT) writeBlocked_ = false;
        if (p.revents & POLLIN) readInput();
    }
}

void ModemSim::readInput() {
    unsigned char buf[4096];
    const ssize_t n = ::read(pty_.master(), buf, sizeof buf);
    if (n <= 0) return;  // EAGAIN, or EIO while nobody holds the slave
    // The batch is stamped as it is read: the model never sees them earlier
    // than we do, so an answer is never due in the past.
    const std::int64_t at = nowUs();
    const long baud = pty_.lineSpeed();
    std::vector<gsm::TimedByte> out;
    for (ssize_t i = 0; i < n; ++i) module_.receive(buf[i], at, baud, out);
    pending_.insert(pending_.end(), out.begin(), out.end());
}

void ModemSim::writeDue() {
    if (writeBlocked_) return;
    const std::int64_t now = nowUs();
    std::string due;
    for (auto it = pending_.begin(); it != pending_.end() && it->atUs <= now; ++it) due += static_cast<char>(it->byte);
    if (due.empty()) return;
    const ssize_t n = ::write(pty_.master(), due.data(), due.size());
    if (n < 0) {
        // A full input queue on the console's side: wait until it drains.
        if (errno == EAGAIN || errno == EWOULDBLOCK) writeBlocked_ = true;
        return;
    }
    pending_.erase(pending_.begin(), pending_.begin() + n);
    if (static_cast<std::size_t>(n) < due.size()) writeBlocked_ = true;
}

// Until the next byte is due; forever when nothing waits to go out.
int ModemSim::timeoutMs() const {
    if (writeBlocked_ || pending_.empty()) return -1;
    const std::int64_t wait = pending_.front().atUs - nowUs();
    return wait <= 0 ? 0 : static_cast<int>((wait + 999) / 1000);
}

void ModemSim::logLine(const std::string& line) {
    log_ << line << '\n';
    log_.flush();
}

}  // namespace modemsim
