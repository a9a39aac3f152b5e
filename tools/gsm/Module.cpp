#include "tools/gsm/Module.h"

#include <algorithm>
#include <cctype>

namespace gsm {

namespace {

bool SameNoCase(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::toupper(static_cast<unsigned char>(x)) == std::toupper(static_cast<unsigned char>(y));
           });
}

// What a byte sent at the wrong speed looks like when the module's answer is
// sampled at the console's speed: never plain ASCII, so it can never spell
// a result code.
std::uint8_t Junk(std::uint8_t byte) {
    return static_cast<std::uint8_t>(0x80 | ((byte * 37 + 11) & 0x7F));
}

}  // namespace

Module::Module(ModuleConfig config) : config_(std::move(config)), responder_(config_) {}

bool Module::understands(long baud) const {
    return std::find(config_.speeds.begin(), config_.speeds.end(), baud) != config_.speeds.end();
}

void Module::receive(std::uint8_t byte, std::int64_t atUs, long baud, std::vector<TimedByte>& out) {
    if (baud <= 0) return;
    if (!understands(baud)) {
        // A garbled byte spoils the line it falls into.
        line_.clear();
        overflow_ = false;
        if (config_.wrongSpeed == WrongSpeed::Garbage)
            send(std::string(1, static_cast<char>(Junk(byte))), atUs, baud, out);
        return;
    }
    if (byte == '\n') return;
    if (responder_.echo()) send(std::string(1, static_cast<char>(byte)), atUs, baud, out);
    if (byte == '\r') {
        endOfLine(atUs, baud, out);
    } else if (line_.size() < kMaxLine) {
        line_ += static_cast<char>(byte);
    } else {
        overflow_ = true;
    }
}

void Module::endOfLine(std::int64_t atUs, long baud, std::vector<TimedByte>& out) {
    const std::string line = std::move(line_);
    const bool overflow = overflow_;
    line_.clear();
    overflow_ = false;
    if (line.empty()) return;
    if (onLine) onLine(line);
    std::string reply;
    if (overflow) {
        reply = responder_.reject();
    } else if (const ReplyOverride* o = overrideFor(line)) {
        reply = o->reply;
    } else {
        reply = responder_.answer(line, atUs);
    }
    send(reply, atUs + std::int64_t{config_.replyDelayMs} * 1000, baud, out);
}

const ReplyOverride* Module::overrideFor(const std::string& line) const {
    for (const auto& o : config_.overrides)
        if (SameNoCase(o.command, line)) return &o;
    return nullptr;
}

void Module::send(const std::string& bytes, std::int64_t fromUs, long baud, std::vector<TimedByte>& out) {
    if (bytes.empty()) return;
    const std::int64_t byteUs = 10'000'000 / baud;
    std::int64_t t = std::max(fromUs, lineFreeUs_);
    for (char c : bytes) {
        t += byteUs;
        out.push_back(TimedByte{t, static_cast<std::uint8_t>(c)});
    }
    lineFreeUs_ = t;
}

}  // namespace gsm
