#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "tools/gsm/CommandLine.h"
#include "tools/gsm/ModuleClock.h"
#include "tools/gsm/ModuleConfig.h"

namespace gsm {

// Runs the commands of one line in order, as a module does, and words the
// answer: information text, then one result code, verbose (V1) or numeric
// (V0). The first command that fails ends the line with ERROR.
class Responder {
public:
    explicit Responder(const ModuleConfig& config);

    // The answer to a line heard at atUs, without the echo; "" for a line
    // that is not a command.
    std::string answer(const std::string& line, std::int64_t atUs);
    // The answer to a line the module could not take in whole.
    std::string reject() const { return resultText(Result::Error); }
    bool echo() const { return echo_; }

private:
    enum class Result { Ok, Error, NoCarrier };
    using Info = std::vector<std::string>;
    using Handler = Result (Responder::*)(const Command&, std::int64_t, Info&);

    Result run(const Command& cmd, std::int64_t atUs, Info& info);
    std::string resultText(Result r) const;
    std::string infoText(const std::string& text) const;

    Result basicEcho(const Command& cmd, std::int64_t, Info&);
    Result basicVerbose(const Command& cmd, std::int64_t, Info&);
    Result basicIdentity(const Command& cmd, std::int64_t, Info& info);
    Result dial(const Command& cmd, std::int64_t, Info& info);
    Result signalQuality(const Command& cmd, std::int64_t, Info& info);
    Result pin(const Command& cmd, std::int64_t, Info& info);
    Result operatorName(const Command& cmd, std::int64_t, Info& info);
    Result callList(const Command& cmd, std::int64_t, Info&);
    Result dtmf(const Command& cmd, std::int64_t, Info&);
    Result hangUp(const Command& cmd, std::int64_t, Info&);
    Result clock(const Command& cmd, std::int64_t atUs, Info& info);
    Result revision(const Command& cmd, std::int64_t, Info& info);
    Result numericSetting(const Command& cmd, std::int64_t, Info&);

    const ModuleConfig& config_;
    const std::map<std::string, Handler> handlers_;
    bool echo_;
    bool verbose_ = true;
    PinState pin_;
    ModuleClock clock_;
};

}  // namespace gsm
