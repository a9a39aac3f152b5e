#pragma once

#include <chrono>
#include <cstddef>
#include <string>
#include <string_view>

namespace posixtest {

// What the far end sees of the slave's termios, read through the master.
struct SlaveView {
    long speed = 0;
    unsigned cflag = 0;
    unsigned iflag = 0;
    unsigned oflag = 0;
    unsigned lflag = 0;
};

// A pseudo-terminal whose slave plays the serial device and whose master
// plays the module on the other end of the line.
class PtyPair {
public:
    PtyPair();
    ~PtyPair();
    PtyPair(const PtyPair&) = delete;
    PtyPair& operator=(const PtyPair&) = delete;

    const std::string& slavePath() const { return slavePath_; }
    // The module is unplugged: the slave hangs up and its node goes away.
    void closeMaster();

    void write(std::string_view bytes);
    // Whatever has arrived, without waiting.
    std::string readAvailable();
    // Waits until `n` bytes have arrived or the timeout passes.
    std::string read(std::size_t n, std::chrono::milliseconds timeout = std::chrono::seconds(10));
    SlaveView view() const;

private:
    int master_ = -1;
    std::string slavePath_;
};

// Open descriptors of this process, to prove that a failed open leaks none.
std::size_t OpenDescriptorCount();

}  // namespace posixtest
