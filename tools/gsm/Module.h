#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "tools/gsm/ModuleConfig.h"
#include "tools/gsm/Responder.h"

namespace gsm {

struct TimedByte {
    std::int64_t atUs;  // when its last bit reaches the far end
    std::uint8_t byte;
};

// A GSM module on a serial line. It takes each byte with the time it arrived
// and the line speed it was sent at, and answers with bytes stamped with the
// time they arrive at the other end: echo at once, the answer to a line
// after the reply delay, each byte ten bit times after the one before.
class Module {
public:
    explicit Module(ModuleConfig config);
    Module(const Module&) = delete;
    Module& operator=(const Module&) = delete;

    void receive(std::uint8_t byte, std::int64_t atUs, long baud, std::vector<TimedByte>& out);
    const ModuleConfig& config() const { return config_; }

    // Told every non-empty line the module heard at a speed it understands.
    std::function<void(const std::string& line)> onLine;

    // Longest command line taken in; a longer one is answered with ERROR.
    static constexpr std::size_t kMaxLine = 1024;

private:
    bool understands(long baud) const;
    void endOfLine(std::int64_t atUs, long baud, std::vector<TimedByte>& out);
    const ReplyOverride* overrideFor(const std::string& line) const;
    void send(const std::string& bytes, std::int64_t fromUs, long baud, std::vector<TimedByte>& out);

    ModuleConfig config_;
    Responder responder_;
    std::string line_;
    bool overflow_ = false;
    std::int64_t lineFreeUs_ = 0;  // when the module's transmitter is idle again
};

}  // namespace gsm
