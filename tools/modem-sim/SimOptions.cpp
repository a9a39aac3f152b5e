#include "tools/modem-sim/SimOptions.h"

#include <charconv>
#include <functional>
#include <map>

namespace modemsim {

namespace {

// The whole text as a decimal number within [low, high], or an OptionError.
long Number(const std::string& option, const std::string& text, long low, long high) {
    long value = 0;
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (text.empty() || ec == std::errc::invalid_argument || ptr != end)
        throw OptionError(option + ": '" + text + "' is not a whole number");
    if (ec == std::errc::result_out_of_range || value < low || value > high)
        throw OptionError(option + ": " + text + " is out of range (" + std::to_string(low) + " to " +
                          std::to_string(high) + ")");
    return value;
}

// Splits at commas, keeping empty fields so that "9600,,1200" is caught.
std::vector<std::string> Fields(const std::string& text) {
    std::vector<std::string> out(1);
    for (char c : text) {
        if (c == ',') {
            out.emplace_back();
        } else {
            out.back() += c;
        }
    }
    return out;
}

template <typename T>
T Choice(const std::string& option, const std::string& text, const std::map<std::string, T>& choices) {
    const auto it = choices.find(text);
    if (it != choices.end()) return it->second;
    std::string names;
    for (const auto& [name, value] : choices) names += (names.empty() ? "" : ", ") + name;
    throw OptionError(option + ": '" + text + "' is not one of " + names);
}

void Speeds(SimOptions& o, const std::string& v) {
    o.module.speeds.clear();
    for (const auto& f : Fields(v)) o.module.speeds.push_back(Number("--speed", f, 50, 4'000'000));
}

void Csq(SimOptions& o, const std::string& v) {
    const auto f = Fields(v);
    if (f.size() != 2) throw OptionError("--csq: expected RSSI,BER, got '" + v + "'");
    const long rssi = Number("--csq RSSI", f[0], 0, 99);
    const long ber = Number("--csq BER", f[1], 0, 99);
    if (rssi > 31 && rssi != 99) throw OptionError("--csq: RSSI is 0 to 31, or 99 for unknown");
    if (ber > 7 && ber != 99) throw OptionError("--csq: BER is 0 to 7, or 99 for unknown");
    o.module.rssi = static_cast<int>(rssi);
    o.module.ber = static_cast<int>(ber);
}

using Setter = std::function<void(SimOptions&, const std::string&)>;

const std::map<std::string, Setter>& Setters() {
    static const std::map<std::string, Setter> setters{
        {"--speed", Speeds},
        {"--csq", Csq},
        {"--pin",
         [](SimOptions& o, const std::string& v) {
             o.module.pin = Choice<gsm::PinState>("--pin", v,
                                                  {{"ready", gsm::PinState::Ready},
                                                   {"sim-pin", gsm::PinState::SimPin},
                                                   {"sim-puk", gsm::PinState::SimPuk}});
         }},
        {"--clock",
         [](SimOptions& o, const std::string& v) {
             o.module.clock = Choice<gsm::ClockMode>("--clock", v,
                                                     {{"running", gsm::ClockMode::Running},
                                                      {"stopped", gsm::ClockMode::Stopped},
                                                      {"reset", gsm::ClockMode::ResetsTo000101}});
         }},
        {"--delay-ms",
         [](SimOptions& o, const std::string& v) {
             o.module.replyDelayMs = static_cast<int>(Number("--delay-ms", v, 0, 60'000));
         }},
        {"--wrong-speed",
         [](SimOptions& o, const std::string& v) {
             o.module.wrongSpeed = Choice<gsm::WrongSpeed>(
                 "--wrong-speed", v, {{"silent", gsm::WrongSpeed::Silent}, {"garbage", gsm::WrongSpeed::Garbage}});
         }},
        {"--link",
         [](SimOptions& o, const std::string& v) {
             if (v.empty()) throw OptionError("--link: the path is empty");
             o.link = v;
         }},
        {"--log",
         [](SimOptions& o, const std::string& v) {
             if (v.empty()) throw OptionError("--log: the path is empty");
             o.log = v;
         }},
    };
    return setters;
}

}  // namespace

SimOptions ParseSimOptions(const std::vector<std::string>& args) {
    SimOptions o;
    for (std::size_t i = 0; i < args.size(); ++i) {
        std::string name = args[i];
        if (name == "--help" || name == "-h") {
            o.help = true;
            continue;
        }
        std::string value;
        const auto eq = name.find('=');
        const bool inlineValue = name.rfind("--", 0) == 0 && eq != std::string::npos;
        if (inlineValue) {
            value = name.substr(eq + 1);
            name.resize(eq);
        }
        const auto it = Setters().find(name);
        if (it == Setters().end()) throw OptionError("unknown option '" + name + "'");
        if (!inlineValue) {
            if (i + 1 >= args.size()) throw OptionError(name + " needs a value");
            value = args[++i];
        }
        it->second(o, value);
    }
    return o;
}

std::string UsageText() {
    return "Usage: modem-sim [OPTIONS]\n"
           "A GSM module on a pseudo-terminal. Prints the device path, then answers\n"
           "AT commands until SIGTERM or SIGINT.\n"
           "\n"
           "  --speed LIST         bit/s it answers at, comma separated (default 9600)\n"
           "  --csq RSSI,BER       answer to AT+CSQ (default 25,99)\n"
           "  --pin STATE          ready, sim-pin or sim-puk (default ready; the PIN is 1234)\n"
           "  --clock MODE         running, stopped or reset (default running)\n"
           "  --delay-ms N         pause before each answer, 0 to 60000 (default 20)\n"
           "  --wrong-speed MODE   silent or garbage, for bytes at another speed (default silent)\n"
           "  --link PATH          also reach the device through a symlink at PATH\n"
           "  --log FILE           append every command line heard to FILE\n"
           "  --help               show this text\n";
}

}  // namespace modemsim
