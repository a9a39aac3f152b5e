#pragma once

#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "tests/support/SerialDevice.h"

namespace testsupport {

// A far end that answers each CR-terminated line with a text the test chose,
// only at the speeds it is told, after a delay, at the line rate.
class ScriptedDevice : public SerialDevice {
public:
    void received(std::uint8_t byte, std::int64_t atUs, long baud, std::vector<Timed>& reply) override;
    bool dsr() const override { return dsrOn; }
    bool cts() const override { return ctsOn; }
    bool cd() const override { return cdOn; }

    // The answer to a line; `answer` wins over the table, the table over `fallback`.
    std::map<std::string, std::string> replies;
    std::function<std::string(const std::string& line)> answer;
    std::string fallback;
    std::set<long> speeds{9600};
    std::int64_t delayUs = 20'000;
    bool dsrOn = true, ctsOn = true, cdOn = false;

    struct Line {
        std::string text;
        long baud;
        std::int64_t atUs;
    };
    std::vector<Line> lines;  // every line that arrived, at any speed
    std::vector<std::string> heard() const;  // the lines that arrived at an answered speed

private:
    std::string pending_;
};

}  // namespace testsupport
