#include "tests/support/ScriptedDevice.h"

namespace testsupport {

void ScriptedDevice::received(std::uint8_t byte, std::int64_t atUs, long baud, std::vector<Timed>& reply) {
    if (byte == '\n') return;
    if (byte != '\r') {
        pending_ += static_cast<char>(byte);
        return;
    }
    const std::string line = pending_;
    pending_.clear();
    lines.push_back(Line{line, baud, atUs});
    if (!speeds.count(baud)) return;
    std::string text;
    if (answer) {
        text = answer(line);
    } else if (auto it = replies.find(line); it != replies.end()) {
        text = it->second;
    } else {
        text = fallback;
    }
    const std::int64_t step = 10'000'000 / baud;
    std::int64_t t = atUs + delayUs;
    for (char c : text) reply.push_back(Timed{t += step, static_cast<std::uint8_t>(c)});
}

std::vector<std::string> ScriptedDevice::heard() const {
    std::vector<std::string> out;
    for (const auto& l : lines)
        if (speeds.count(l.baud)) out.push_back(l.text);
    return out;
}

}  // namespace testsupport
