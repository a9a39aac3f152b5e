#pragma once

#include <string>
#include <vector>

namespace gsm {

enum class PinState { Ready, SimPin, SimPuk };

// Running: the clock counts from the moment it was set. Stopped: it shows
// what was set, forever. ResetsTo000101: a set is acknowledged but the clock
// starts again from 00/01/01,00:00:00 (a module whose clock battery is flat).
enum class ClockMode { Running, Stopped, ResetsTo000101 };

// What the module does with bytes sent at a speed it does not listen at.
enum class WrongSpeed { Silent, Garbage };

// A reply that replaces the module's own answer to one command line (the
// line as sent, without CR; compared without regard to case). The text goes
// out as given, after the echo: "\r\nERROR\r\n", or "" for no answer at all.
struct ReplyOverride {
    std::string command;
    std::string reply;
};

struct ModuleConfig {
    std::vector<long> speeds{9600};  // bit/s it understands
    int rssi = 25;
    int ber = 99;
    PinState pin = PinState::Ready;
    std::string simPin = "1234";
    ClockMode clock = ClockMode::Running;
    int replyDelayMs = 20;
    WrongSpeed wrongSpeed = WrongSpeed::Silent;
    bool echo = true;
    std::string imei = "490154203237518";
    std::string revision = "Revision: GSM-SIM 1.0.0";
    std::string identity = "GSM MODULE SIM";
    std::string operatorName = "CHINA MOBILE";
    std::vector<ReplyOverride> overrides;
    bool dsr = true;
    bool cts = true;
    bool cd = false;
};

}  // namespace gsm
