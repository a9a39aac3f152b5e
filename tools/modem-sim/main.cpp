#include <signal.h>

#include <cstdio>
#include <exception>
#include <iostream>

#include "tools/modem-sim/ModemSim.h"
#include "tools/modem-sim/SimOptions.h"

int main(int argc, char** argv) {
    modemsim::SimOptions options;
    try {
        options = modemsim::ParseSimOptions(std::vector<std::string>(argv + 1, argv + argc));
    } catch (const modemsim::OptionError& e) {
        std::cerr << "modem-sim: " << e.what() << "\nTry 'modem-sim --help'.\n";
        return 2;
    }
    if (options.help) {
        std::cout << modemsim::UsageText();
        return 0;
    }
    // Blocked from here on, so a stop request is seen only while the loop
    // waits and the device and its link are always cleaned up.
    sigset_t stop;
    sigemptyset(&stop);
    for (int sig : {SIGTERM, SIGINT, SIGHUP}) sigaddset(&stop, sig);
    sigprocmask(SIG_BLOCK, &stop, nullptr);
    try {
        modemsim::ModemSim sim(options);
        std::cout << sim.devicePath() << std::endl;
        sim.run();
    } catch (const std::exception& e) {
        std::cerr << "modem-sim: " << e.what() << "\n";
        return 1;
    }
    return 0;
}
