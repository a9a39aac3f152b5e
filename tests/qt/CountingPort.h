#pragma once

#include <cstdint>

#include "comm/CommControl.h"

namespace qttest {

// A serial control passed through to a real one, counting the bytes each
// read hands over, so a test can hold a tick's output against its input.
class CountingPort : public comm::CommControl {
public:
    explicit CountingPort(comm::CommControl& port);

    std::uint64_t bytes() const { return bytes_; }
    std::uint64_t reads() const { return reads_; }

    void setCommPort(int port) override { port_.setCommPort(port); }
    int commPort() const override { return port_.commPort(); }
    void setSettings(const std::u16string& settings) override { port_.setSettings(settings); }
    std::u16string settings() const override { return port_.settings(); }
    void setPortOpen(bool open) override { port_.setPortOpen(open); }
    bool portOpen() const override { return port_.portOpen(); }
    void setInputMode(int mode) override { port_.setInputMode(mode); }
    void setInputLen(int len) override { port_.setInputLen(len); }
    void setHandshaking(int mode) override { port_.setHandshaking(mode); }
    void setRThreshold(int n) override { port_.setRThreshold(n); }
    void setSThreshold(int n) override { port_.setSThreshold(n); }
    void setRTSEnable(bool on) override { port_.setRTSEnable(on); }
    bool rtsEnable() const override { return port_.rtsEnable(); }
    void setDTREnable(bool on) override { port_.setDTREnable(on); }
    bool dtrEnable() const override { return port_.dtrEnable(); }
    bool dsrHolding() override { return port_.dsrHolding(); }
    bool ctsHolding() override { return port_.ctsHolding(); }
    bool cdHolding() override { return port_.cdHolding(); }
    int inBufferCount() override { return port_.inBufferCount(); }
    std::vector<std::uint8_t> input() override;
    int outBufferCount() override { return port_.outBufferCount(); }
    std::int16_t outBufferSize() const override { return port_.outBufferSize(); }
    void output(const std::u16string& text) override { port_.output(text); }
    int commEvent() const override { return port_.commEvent(); }

private:
    comm::CommControl& port_;
    std::uint64_t bytes_ = 0;
    std::uint64_t reads_ = 0;
};

}  // namespace qttest
