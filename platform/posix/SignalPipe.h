#pragma once

#include <csignal>
#include <initializer_list>
#include <utility>
#include <vector>

namespace platform::posix {

// Signals that ask the program to end, turned into bytes on a pipe so that
// the event loop can end it in good order; the handler does nothing but
// write. A session manager sends several (SIGTERM, then SIGHUP): those join
// the end already under way. Only a second SIGINT, Ctrl+C pressed again,
// ends the program at once, as if no handler were there. A signal that was
// ignored when the program started (nohup) stays ignored. One instance at a
// time; the old dispositions come back with its end.
class SignalPipe {
public:
    explicit SignalPipe(std::initializer_list<int> which);
    ~SignalPipe();
    SignalPipe(const SignalPipe&) = delete;
    SignalPipe& operator=(const SignalPipe&) = delete;

    // False when the pipe or a handler could not be set up: the signals
    // then keep their default action.
    bool ok() const { return ok_; }
    int readFd() const { return fds_[0]; }
    // Empties the pipe; the number of the signal read last, 0 for none.
    int take();

private:
    std::vector<std::pair<int, struct sigaction>> old_;
    int fds_[2] = {-1, -1};
    bool ok_ = false;
};

}  // namespace platform::posix
