#pragma once

#include <stdexcept>
#include <string>
#include <vector>

#include "tools/gsm/ModuleConfig.h"

namespace modemsim {

struct SimOptions {
    gsm::ModuleConfig module;
    std::string link;  // where to place a symlink to the device, "" for none
    std::string log;   // file that gets every command line heard, "" for none
    bool help = false;
};

// What is wrong with the command line, worded for the user.
class OptionError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Takes the arguments after the program name; "--name value" and
// "--name=value" both work. Throws OptionError.
SimOptions ParseSimOptions(const std::vector<std::string>& args);
std::string UsageText();

}  // namespace modemsim
