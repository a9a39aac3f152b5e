#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

// modem-sim started as a child process, its stdout and stderr on pipes.
class ModemSimProcess {
public:
    explicit ModemSimProcess(const std::vector<std::string>& args);
    ~ModemSimProcess();
    ModemSimProcess(const ModemSimProcess&) = delete;
    ModemSimProcess& operator=(const ModemSimProcess&) = delete;

    // The first line it prints, without the newline; "" when none comes in time.
    std::string firstLine(int timeoutMs = 10000);
    // Sends sig and waits for the exit; the exit code, or -1 when it did not
    // end in time (it is then killed) or ended on a signal.
    int stop(int sig, int timeoutMs = 10000);
    int waitExit(int timeoutMs = 10000);
    std::string output();  // what it printed on stdout after the first line
    std::string errors();  // what it printed on stderr

private:
    static std::string drain(int fd);

    pid_t pid_ = -1;
    int out_ = -1;
    int err_ = -1;
    std::string outBuf_;
};
