#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "tools/gsm/ModuleConfig.h"

namespace gsm {

// The module's real-time clock in the +CCLK text form "yy/MM/dd,hh:mm:ss",
// years 2000 to 2099 (one past 99/12/31,23:59:59 comes 00/01/01,00:00:00).
// It keeps time from the arrival stamps of the bytes that set and read it.
class ModuleClock {
public:
    explicit ModuleClock(ClockMode mode);

    // "yy/MM/dd,hh:mm:ss" with an optional zone "+zz"/"-zz" (quarter hours);
    // false, and nothing changes, for a text that is not a real moment.
    bool set(std::string_view text, std::int64_t atUs);
    std::string read(std::int64_t atUs) const;

    // Seconds since 00/01/01,00:00:00 for a clock text without zone.
    static std::optional<std::int64_t> Parse(std::string_view text);
    static std::string Format(std::int64_t secondsSince2000);

private:
    ClockMode mode_;
    std::int64_t baseSeconds_ = 0;  // the reading at baseUs_
    std::int64_t baseUs_ = 0;
    std::string zone_;
};

}  // namespace gsm
