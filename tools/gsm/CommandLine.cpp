#include "tools/gsm/CommandLine.h"

#include <cctype>

namespace gsm {

namespace {

char Upper(char c) {
    return static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
}
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}
bool IsAlpha(char c) {
    return std::isalpha(static_cast<unsigned char>(c)) != 0;
}

// Characters V.250 allows in an extended command name after the "+".
bool IsNameChar(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) != 0 || c == '!' || c == '%' || c == '-' || c == '.' ||
           c == '/' || c == ':' || c == '_';
}

// Drops the blanks outside quotes; an unclosed quote runs to the end.
std::string WithoutBlanks(std::string_view line) {
    std::string out;
    bool quoted = false;
    for (char c : line) {
        if (c == '"') quoted = !quoted;
        if (!quoted && (c == ' ' || c == '\t')) continue;
        out += c;
    }
    return out;
}

// From i to the next ";" outside quotes (or the end).
std::string TakeValue(std::string_view body, std::size_t& i) {
    std::string value;
    bool quoted = false;
    for (; i < body.size(); ++i) {
        const char c = body[i];
        if (c == '"') quoted = !quoted;
        if (!quoted && c == ';') break;
        value += c;
    }
    return value;
}

}  // namespace

CommandLine::CommandLine(std::string_view line) {
    const std::string text = WithoutBlanks(line);
    if (text.size() < 2 || Upper(text[0]) != 'A' || Upper(text[1]) != 'T') return;
    status_ = parse(std::string_view(text).substr(2)) ? Status::Ok : Status::Malformed;
}

bool CommandLine::parse(std::string_view body) {
    std::size_t i = 0;
    while (i < body.size()) {
        const char c = body[i];
        if (c == ';') {
            ++i;
        } else if (c == '+') {
            if (!parseExtended(body, i)) return false;
        } else if (Upper(c) == 'D') {
            commands_.push_back(Command{"D", Command::Form::Action, std::string(body.substr(i + 1))});
            i = body.size();
        } else if (!parseBasic(body, i)) {
            return false;
        }
    }
    return true;
}

bool CommandLine::parseExtended(std::string_view body, std::size_t& i) {
    Command cmd{"+", Command::Form::Action, {}};
    for (++i; i < body.size() && IsNameChar(body[i]); ++i) cmd.name += Upper(body[i]);
    if (cmd.name.size() == 1) return false;
    if (body.substr(i, 2) == "=?") {
        cmd.form = Command::Form::Test;
        i += 2;
    } else if (i < body.size() && body[i] == '=') {
        cmd.form = Command::Form::Set;
        ++i;
        cmd.argument = TakeValue(body, i);
    } else if (i < body.size() && body[i] == '?') {
        cmd.form = Command::Form::Read;
        ++i;
    }
    // Another command may only follow after a ";".
    if (i < body.size() && body[i] != ';') return false;
    commands_.push_back(std::move(cmd));
    return true;
}

bool CommandLine::parseBasic(std::string_view body, std::size_t& i) {
    Command cmd;
    if (body[i] == '&') {
        cmd.name += '&';
        ++i;
    }
    if (i >= body.size() || !IsAlpha(body[i])) return false;
    cmd.name += Upper(body[i++]);
    while (i < body.size() && IsDigit(body[i])) cmd.argument += body[i++];
    commands_.push_back(std::move(cmd));
    return true;
}

}  // namespace gsm
