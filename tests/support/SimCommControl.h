#pragma once

#include <array>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "comm/CommControl.h"
#include "comm/LineSettings.h"
#include "tests/support/SerialDevice.h"

namespace testsupport {

// A serial control on the virtual clock: the transmit buffer drains at the
// line speed (10 bits a byte), received bytes become readable at their
// arrival time, modem lines are settable, and any member can fail.
class SimCommControl : public comm::CommControl {
public:
    enum class Member {
        CommPort, Settings, PortOpenSet, PortOpenGet, InputMode, InputLen, Handshaking, RThreshold, SThreshold,
        RTSSet, RTSGet, DTRSet, DTRGet, DSR, CTS, CD, InBufferCount, Input, OutBufferCount, OutBufferSize,
        Output, CommEvent,
    };

    explicit SimCommControl(std::function<std::int64_t()> clockUs);

    // --- comm::CommControl
    void setCommPort(int port) override;
    int commPort() const override { return port_; }
    void setSettings(const std::u16string& settings) override;
    std::u16string settings() const override { return settingsText_; }
    void setPortOpen(bool open) override;
    bool portOpen() const override;
    void setInputMode(int mode) override;
    void setInputLen(int len) override;
    void setHandshaking(int mode) override;
    void setRThreshold(int n) override;
    void setSThreshold(int n) override;
    void setRTSEnable(bool on) override;
    bool rtsEnable() const override;
    void setDTREnable(bool on) override;
    bool dtrEnable() const override;
    bool dsrHolding() override;
    bool ctsHolding() override;
    bool cdHolding() override;
    bool inputLinesReadable() noexcept override { return open_; }
    int inBufferCount() override;
    std::vector<std::uint8_t> input() override;
    int outBufferCount() override;
    std::int16_t outBufferSize() const override;
    void output(const std::u16string& text) override;
    int commEvent() const override;

    // --- test controls
    // Fail the member with an error number: `times` calls, or every call when -1.
    void fail(Member m, int number, int times = -1);
    void heal(Member m) { failures_.erase(m); }
    void healAll() { failures_.clear(); }
    void setPortExists(int port, bool exists);
    void setLines(bool dsr, bool cts, bool cd);
    void clearLines() { lines_.reset(); }
    void attach(SerialDevice* device) { device_ = device; }
    // Bytes the far end sends, arriving at the given time (now when omitted).
    void deliver(const std::vector<std::uint8_t>& bytes, std::optional<std::int64_t> atUs = {});
    void deliverText(const std::string& text, std::optional<std::int64_t> atUs = {});
    void setOutBufferSize(std::int16_t n) { outBufferSize_ = n; }
    // The next open opens the port and still raises this error, as a confused driver might.
    void failAfterOpen(int number) { failAfterOpen_ = number; }

    // What went out, write by write, with the speed at the time.
    struct Write {
        std::string bytes;
        long baud;
        std::int64_t atUs;
    };
    const std::vector<Write>& writes() const { return writes_; }
    std::string written() const;  // every byte written, in order
    void clearWrites() { writes_.clear(); }
    // The order in which members were called, as "name" or "name=value".
    std::vector<std::string> calls;
    long baud() const { return current_.speed; }
    int inputMode() const { return inputMode_; }
    int inputLen() const { return inputLen_; }
    int handshaking() const { return handshaking_; }
    int rThreshold() const { return rThreshold_; }
    int sThreshold() const { return sThreshold_; }
    int opens() const { return opens_; }
    std::size_t pendingRx() const { return rx_.size(); }

private:
    void check(Member m);
    void log(const std::string& s) { calls.push_back(s); }
    void pump();
    void requireOpen() const;
    std::int64_t byteTimeUs(long baud) const { return 10'000'000 / baud; }

    std::function<std::int64_t()> clock_;
    struct Failure {
        int number;
        int times;
    };
    std::map<Member, Failure> failures_;
    std::set<int> missing_;
    int port_ = 1;
    std::u16string settingsText_ = u"9600,N,8,1";
    comm::LineSettings current_;
    bool open_ = false;
    int inputMode_ = 0, inputLen_ = 0, handshaking_ = 0, rThreshold_ = 0, sThreshold_ = 0;
    bool rts_ = false;
    bool dtr_ = true;
    std::optional<std::array<bool, 3>> lines_;
    std::int16_t outBufferSize_ = 512;
    SerialDevice* device_ = nullptr;
    struct TxByte {
        std::uint8_t byte;
        std::int64_t doneUs;
        long baud;
    };
    std::deque<TxByte> tx_;
    std::vector<SerialDevice::Timed> rx_;  // sorted by arrival
    std::vector<Write> writes_;
    int opens_ = 0;
    int failAfterOpen_ = 0;
};

}  // namespace testsupport
