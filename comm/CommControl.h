#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace comm {

// The serial control the console drives. Every member may throw ui::Error
// carrying one of the numbers of CommError.h.
class CommControl {
public:
    virtual ~CommControl() = default;

    virtual void setCommPort(int port) = 0;
    virtual int commPort() const = 0;
    virtual void setSettings(const std::u16string& settings) = 0;
    virtual std::u16string settings() const = 0;
    virtual void setPortOpen(bool open) = 0;
    virtual bool portOpen() const = 0;

    virtual void setInputMode(int mode) = 0;
    virtual void setInputLen(int len) = 0;
    virtual void setHandshaking(int mode) = 0;
    virtual void setRThreshold(int n) = 0;
    virtual void setSThreshold(int n) = 0;

    virtual void setRTSEnable(bool on) = 0;
    virtual bool rtsEnable() const = 0;
    virtual void setDTREnable(bool on) = 0;
    virtual bool dtrEnable() const = 0;
    virtual bool dsrHolding() = 0;
    virtual bool ctsHolding() = 0;
    virtual bool cdHolding() = 0;
    // False when the three reads above are sure to fail now (a closed port,
    // a device found to have no modem lines); true means only "try them".
    // The poll asks every tick, where learning it from a throw would cost
    // more than all the rest of an idle tick.
    virtual bool inputLinesReadable() noexcept { return true; }

    virtual int inBufferCount() = 0;
    virtual std::vector<std::uint8_t> input() = 0;
    virtual int outBufferCount() = 0;
    virtual std::int16_t outBufferSize() const = 0;
    virtual void output(const std::u16string& text) = 0;
    virtual int commEvent() const = 0;

    std::function<void()> OnComm;
};

}  // namespace comm
