#pragma once

#include <cstddef>
#include <string>

namespace modemsim {

// A pseudo-terminal whose slave end plays the serial device. We hold the
// slave open ourselves so that the master neither reports a hang-up before
// the console opens the device nor after it closes it, and so that the
// speed the console set can be read back at any time.
class Pty {
public:
    Pty();  // throws std::system_error
    ~Pty();
    Pty(const Pty&) = delete;
    Pty& operator=(const Pty&) = delete;

    const std::string& path() const { return path_; }
    int master() const { return master_; }
    long lineSpeed() const;

    // A symlink at linkPath to the device; an old symlink there is replaced,
    // anything else is left alone (std::system_error). Removed on destruction
    // while it still points at our device.
    void placeLink(const std::string& linkPath);

private:
    void open();
    void makeRaw();
    void removeLink();

    int master_ = -1;
    int slave_ = -1;
    std::string path_;
    std::string link_;
};

}  // namespace modemsim
