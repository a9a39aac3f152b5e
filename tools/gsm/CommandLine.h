#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace gsm {

// One command of a command line: a basic command ("E", "V", "I", "D", "&F")
// or an extended one ("+CSQ"), names in upper case.
struct Command {
    enum class Form { Action, Set, Read, Test };
    std::string name;
    Form form = Form::Action;
    // The digits of a basic command, the value of a set, the dial string;
    // quoted text keeps its case and its blanks.
    std::string argument;
};

// A command line after V.250: the "AT" prefix, then basic commands run
// together ("ATE1V1") and extended commands separated by ";"
// ("AT+IFC=0,0;+WRIM=1"). D takes the rest of the line. Blanks outside
// quotes mean nothing; names are matched without regard to case.
class CommandLine {
public:
    enum class Status { NotCommand, Malformed, Ok };

    explicit CommandLine(std::string_view line);

    Status status() const { return status_; }
    const std::vector<Command>& commands() const { return commands_; }

private:
    bool parse(std::string_view body);
    bool parseExtended(std::string_view body, std::size_t& i);
    bool parseBasic(std::string_view body, std::size_t& i);

    Status status_ = Status::NotCommand;
    std::vector<Command> commands_;
};

}  // namespace gsm
