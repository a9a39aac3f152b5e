#include "tools/gsm/Responder.h"

#include <algorithm>
#include <cctype>
#include <optional>
#include <string_view>

namespace gsm {

namespace {

using Form = Command::Form;

bool IsNumberList(const std::string& s) {
    if (s.empty() || s.front() == ',' || s.back() == ',') return false;
    for (std::size_t i = 0; i < s.size(); ++i) {
        const char c = s[i];
        if (c == ',' && s[i + 1] == ',') return false;
        if (c != ',' && (c < '0' || c > '9')) return false;
    }
    return true;
}

// A value that 27.007 writes in quotes, accepted with or without them.
std::string Unquoted(const std::string& s) {
    if (s.size() >= 2 && s.front() == '"' && s.back() == '"') return s.substr(1, s.size() - 2);
    return s;
}

bool IsDialString(const std::string& s) {
    return !s.empty() && std::all_of(s.begin(), s.end(), [](char c) {
        const char u = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        return (u >= '0' && u <= '9') || std::string_view("*#+ABCD,TPW").find(u) != std::string_view::npos;
    });
}

bool IsDtmf(const std::string& s) {
    return s.size() == 1 && std::string_view("0123456789*#ABCDabcd").find(s[0]) != std::string_view::npos;
}

// E and V take 0 or 1; no digit means 0.
std::optional<bool> OnOff(const std::string& arg) {
    if (arg.empty() || arg == "0") return false;
    if (arg == "1") return true;
    return std::nullopt;
}

const char* PinText(PinState p) {
    switch (p) {
        case PinState::Ready:
            return "READY";
        case PinState::SimPin:
            return "SIM PIN";
        case PinState::SimPuk:
            return "SIM PUK";
    }
    return "READY";
}

}  // namespace

Responder::Responder(const ModuleConfig& config)
    : config_(config),
      handlers_{{"E", &Responder::basicEcho},
                {"V", &Responder::basicVerbose},
                {"I", &Responder::basicIdentity},
                {"D", &Responder::dial},
                {"+CSQ", &Responder::signalQuality},
                {"+CPIN", &Responder::pin},
                {"+COPS", &Responder::operatorName},
                {"+CLCC", &Responder::callList},
                {"+VTS", &Responder::dtmf},
                {"+CHUP", &Responder::hangUp},
                {"+CCLK", &Responder::clock},
                {"+CGMR", &Responder::revision},
                {"+IPR", &Responder::numericSetting},
                {"+IFC", &Responder::numericSetting},
                {"+WRIM", &Responder::numericSetting},
                {"+SPEAKER", &Responder::numericSetting},
                {"+VGR", &Responder::numericSetting},
                {"+SIDET", &Responder::numericSetting},
                {"+VGT", &Responder::numericSetting},
                {"+ECHO", &Responder::numericSetting}},
      echo_(config.echo),
      pin_(config.pin),
      clock_(config.clock) {}

std::string Responder::answer(const std::string& line, std::int64_t atUs) {
    const CommandLine parsed(line);
    if (parsed.status() == CommandLine::Status::NotCommand) return {};
    if (parsed.status() == CommandLine::Status::Malformed) return resultText(Result::Error);
    std::string out;
    Result result = Result::Ok;
    for (const Command& cmd : parsed.commands()) {
        Info info;
        result = run(cmd, atUs, info);
        for (const auto& text : info) out += infoText(text);
        if (result != Result::Ok) break;
    }
    return out + resultText(result);
}

Responder::Result Responder::run(const Command& cmd, std::int64_t atUs, Info& info) {
    const auto it = handlers_.find(cmd.name);
    if (it == handlers_.end()) return Result::Error;
    return (this->*(it->second))(cmd, atUs, info);
}

std::string Responder::resultText(Result r) const {
    if (!verbose_) return r == Result::Ok ? "0\r" : r == Result::Error ? "4\r" : "3\r";
    return r == Result::Ok ? "\r\nOK\r\n" : r == Result::Error ? "\r\nERROR\r\n" : "\r\nNO CARRIER\r\n";
}

std::string Responder::infoText(const std::string& text) const {
    return verbose_ ? "\r\n" + text + "\r\n" : text + "\r\n";
}

Responder::Result Responder::basicEcho(const Command& cmd, std::int64_t, Info&) {
    const std::optional<bool> on = OnOff(cmd.argument);
    if (!on) return Result::Error;
    echo_ = *on;
    return Result::Ok;
}

Responder::Result Responder::basicVerbose(const Command& cmd, std::int64_t, Info&) {
    const std::optional<bool> on = OnOff(cmd.argument);
    if (!on) return Result::Error;
    verbose_ = *on;
    return Result::Ok;
}

Responder::Result Responder::basicIdentity(const Command& cmd, std::int64_t, Info& info) {
    if (cmd.argument != "" && cmd.argument != "0") return Result::Error;
    info.push_back(config_.identity);
    return Result::Ok;
}

// "*#06#" shows the IMEI; a number ending in ";" is a voice call, which the
// model takes; without the ";" it would be a data call, which never connects.
Responder::Result Responder::dial(const Command& cmd, std::int64_t, Info& info) {
    const std::string& s = cmd.argument;
    if (s == "*#06#") {
        info.push_back(config_.imei);
        return Result::Ok;
    }
    const bool voice = !s.empty() && s.back() == ';';
    if (!IsDialString(voice ? s.substr(0, s.size() - 1) : s)) return Result::Error;
    return voice ? Result::Ok : Result::NoCarrier;
}

Responder::Result Responder::signalQuality(const Command& cmd, std::int64_t, Info& info) {
    if (cmd.form != Form::Action) return Result::Error;
    info.push_back("+CSQ: " + std::to_string(config_.rssi) + "," + std::to_string(config_.ber));
    return Result::Ok;
}

Responder::Result Responder::pin(const Command& cmd, std::int64_t, Info& info) {
    if (cmd.form == Form::Read) {
        info.push_back(std::string("+CPIN: ") + PinText(pin_));
        return Result::Ok;
    }
    if (cmd.form != Form::Set || pin_ != PinState::SimPin || Unquoted(cmd.argument) != config_.simPin)
        return Result::Error;
    pin_ = PinState::Ready;
    return Result::Ok;
}

Responder::Result Responder::operatorName(const Command& cmd, std::int64_t, Info& info) {
    if (cmd.form != Form::Read) return Result::Error;
    info.push_back("+COPS: 0,0,\"" + config_.operatorName + "\"");
    return Result::Ok;
}

// The model places no calls, so the list is always empty.
Responder::Result Responder::callList(const Command& cmd, std::int64_t, Info&) {
    return cmd.form == Form::Action ? Result::Ok : Result::Error;
}

Responder::Result Responder::dtmf(const Command& cmd, std::int64_t, Info&) {
    return cmd.form == Form::Set && IsDtmf(Unquoted(cmd.argument)) ? Result::Ok : Result::Error;
}

Responder::Result Responder::hangUp(const Command& cmd, std::int64_t, Info&) {
    return cmd.form == Form::Action ? Result::Ok : Result::Error;
}

Responder::Result Responder::clock(const Command& cmd, std::int64_t atUs, Info& info) {
    if (cmd.form == Form::Read) {
        info.push_back("+CCLK: \"" + clock_.read(atUs) + "\"");
        return Result::Ok;
    }
    const std::string& v = cmd.argument;
    const bool quoted = v.size() >= 2 && v.front() == '"' && v.back() == '"';
    if (cmd.form != Form::Set || !quoted || !clock_.set(Unquoted(v), atUs)) return Result::Error;
    return Result::Ok;
}

Responder::Result Responder::revision(const Command& cmd, std::int64_t, Info& info) {
    if (cmd.form != Form::Action) return Result::Error;
    info.push_back(config_.revision);
    return Result::Ok;
}

Responder::Result Responder::numericSetting(const Command& cmd, std::int64_t, Info&) {
    return cmd.form == Form::Set && IsNumberList(cmd.argument) ? Result::Ok : Result::Error;
}

}  // namespace gsm
