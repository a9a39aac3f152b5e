#pragma once

#include <cstdint>
#include <vector>

namespace testsupport {

// Something on the far end of a simulated line: it sees every byte the
// console sent, at the moment its last bit left the wire, and answers with
// bytes stamped with their arrival times.
class SerialDevice {
public:
    struct Timed {
        std::int64_t atUs;
        std::uint8_t byte;
    };
    virtual ~SerialDevice() = default;
    virtual void received(std::uint8_t byte, std::int64_t atUs, long baud, std::vector<Timed>& reply) = 0;
    virtual bool dsr() const { return true; }
    virtual bool cts() const { return true; }
    virtual bool cd() const { return false; }
};

}  // namespace testsupport
