#pragma once

#include <chrono>
#include <cstdint>
#include <deque>
#include <fstream>
#include <string>

#include "tools/gsm/Module.h"
#include "tools/modem-sim/Pty.h"
#include "tools/modem-sim/SimOptions.h"

namespace modemsim {

// The module model on a pseudo-terminal in real time: bytes read from the
// master are stamped with a steady clock and fed to the model at the speed
// the console set; the answer goes out byte by byte when its time comes.
class ModemSim {
public:
    explicit ModemSim(const SimOptions& options);  // throws std::system_error

    const std::string& devicePath() const { return pty_.path(); }
    // Runs until SIGTERM, SIGINT or SIGHUP; those must be blocked by the
    // caller, and are let through only while the loop waits.
    void run();

private:
    std::int64_t nowUs() const;
    void readInput();
    void writeDue();
    int timeoutMs() const;
    void logLine(const std::string& line);

    Pty pty_;
    gsm::Module module_;
    std::ofstream log_;
    std::deque<gsm::TimedByte> pending_;  // in time order: the model's transmitter is serial
    std::chrono::steady_clock::time_point start_;
    bool writeBlocked_ = false;
};

}  // namespace modemsim
