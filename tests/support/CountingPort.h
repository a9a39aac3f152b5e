#pragma once

#include <algorithm>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "comm/CommControl.h"

namespace testsupport {

// A serial control passed through to another, counting what the poll tick does:
// one count query a tick, and the bytes each read hands over. A watcher can
// be told when a total of received bytes is reached.
class CountingPort : public comm::CommControl {
public:
    explicit CountingPort(comm::CommControl& port) : port_(port) {
        port_.OnComm = [this] {
            if (OnComm) OnComm();
        };
    }

    struct Counts {
        std::uint64_t ticks = 0;
        std::uint64_t reads = 0;
        std::uint64_t bytes = 0;
        std::uint64_t largestRead = 0;
    };
    const Counts& counts() const { return counts_; }
    void resetCounts() { counts_ = Counts{}; }

    // Calls `reached` once, from inside the tick, when `bytes` have been received.
    void whenReceived(std::uint64_t bytes, std::function<void()> reached) {
        target_ = bytes;
        reached_ = std::move(reached);
        check();
    }

    void setCommPort(int port) override { port_.setCommPort(port); }
    int commPort() const override { return port_.commPort(); }
    void setSettings(const std::u16string& s) override { port_.setSettings(s); }
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
    bool inputLinesReadable() noexcept override { return port_.inputLinesReadable(); }
    int inBufferCount() override {
        ++counts_.ticks;
        return port_.inBufferCount();
    }
    std::vector<std::uint8_t> input() override {
        std::vector<std::uint8_t> got = port_.input();
        if (!got.empty()) {
            ++counts_.reads;
            counts_.bytes += got.size();
            counts_.largestRead = std::max<std::uint64_t>(counts_.largestRead, got.size());
            check();
        }
        return got;
    }
    int outBufferCount() override { return port_.outBufferCount(); }
    std::int16_t outBufferSize() const override { return port_.outBufferSize(); }
    void output(const std::u16string& text) override { port_.output(text); }
    int commEvent() const override { return port_.commEvent(); }

private:
    void check() {
        if (!reached_ || counts_.bytes < target_) return;
        auto reached = std::move(reached_);
        reached_ = nullptr;
        reached();
    }

    comm::CommControl& port_;
    Counts counts_;
    std::uint64_t target_ = 0;
    std::function<void()> reached_;
};

}  // namespace testsupport
