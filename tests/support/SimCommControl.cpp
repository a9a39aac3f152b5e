#include "tests/support/SimCommControl.h"

#include <algorithm>

#include "comm/CommError.h"
#include "ui/Error.h"
#include "ui/Text.h"

namespace testsupport {

using comm::err::PortNotOpen;

SimCommControl::SimCommControl(std::function<std::int64_t()> clockUs) : clock_(std::move(clockUs)) {}

void SimCommControl::check(Member m) {
    auto it = failures_.find(m);
    if (it == failures_.end()) return;
    const int number = it->second.number;
    if (it->second.times > 0 && --it->second.times == 0) failures_.erase(it);
    throw ui::Error(number, "injected failure");
}

void SimCommControl::requireOpen() const {
    if (!open_) throw ui::Error(PortNotOpen, "Operation valid only when the port is open");
}

void SimCommControl::fail(Member m, int number, int times) { failures_[m] = Failure{number, times}; }

void SimCommControl::setPortExists(int port, bool exists) {
    if (exists) {
        missing_.erase(port);
    } else {
        missing_.insert(port);
    }
}

void SimCommControl::setLines(bool dsr, bool cts, bool cd) { lines_ = std::array<bool, 3>{dsr, cts, cd}; }

void SimCommControl::setCommPort(int port) {
    log("CommPort=" + std::to_string(port));
    check(Member::CommPort);
    if (port < 1 || port > 16) throw ui::Error(comm::err::InvalidPortNumber, "Invalid port number");
    if (open_) throw ui::Error(comm::err::PortAlreadyOpen, "Port already open");
    port_ = port;
}

void SimCommControl::setSettings(const std::u16string& s) {
    log("Settings=" + ui::ToUtf8(s));
    check(Member::Settings);
    const comm::LineSettings parsed = comm::ParseLineSettings(s);
    pump();  // bytes already on the wire keep the speed they left at
    current_ = parsed;
    settingsText_ = s;
}

void SimCommControl::setPortOpen(bool open) {
    log(open ? "PortOpen=True" : "PortOpen=False");
    check(Member::PortOpenSet);
    if (open == open_) {
        if (open) throw ui::Error(comm::err::PortAlreadyOpen, "Port already open");
        return;
    }
    if (open) {
        if (missing_.count(port_)) throw ui::Error(comm::err::DeviceNotFound, "Device not found");
        open_ = true;
        ++opens_;
        tx_.clear();
        rx_.clear();
        if (failAfterOpen_ != 0) {
            const int number = failAfterOpen_;
            failAfterOpen_ = 0;
            throw ui::Error(number, "injected failure after open");
        }
    } else {
        open_ = false;
        tx_.clear();
        rx_.clear();
    }
}

bool SimCommControl::portOpen() const {
    const_cast<SimCommControl*>(this)->check(Member::PortOpenGet);
    return open_;
}

void SimCommControl::setInputMode(int v) {
    log("InputMode=" + std::to_string(v));
    check(Member::InputMode);
    inputMode_ = v;
}
void SimCommControl::setInputLen(int v) {
    log("InputLen=" + std::to_string(v));
    check(Member::InputLen);
    inputLen_ = v;
}
void SimCommControl::setHandshaking(int v) {
    log("Handshaking=" + std::to_string(v));
    check(Member::Handshaking);
    handshaking_ = v;
}
void SimCommControl::setRThreshold(int v) {
    log("RThreshold=" + std::to_string(v));
    check(Member::RThreshold);
    rThreshold_ = v;
}
void SimCommControl::setSThreshold(int v) {
    log("SThreshold=" + std::to_string(v));
    check(Member::SThreshold);
    sThreshold_ = v;
}

void SimCommControl::setRTSEnable(bool on) {
    log(on ? "RTSEnable=True" : "RTSEnable=False");
    check(Member::RTSSet);
    rts_ = on;
}
bool SimCommControl::rtsEnable() const {
    const_cast<SimCommControl*>(this)->check(Member::RTSGet);
    return rts_;
}
void SimCommControl::setDTREnable(bool on) {
    log(on ? "DTREnable=True" : "DTREnable=False");
    check(Member::DTRSet);
    dtr_ = on;
}
bool SimCommControl::dtrEnable() const {
    const_cast<SimCommControl*>(this)->check(Member::DTRGet);
    return dtr_;
}

bool SimCommControl::dsrHolding() {
    check(Member::DSR);
    requireOpen();
    return lines_ ? (*lines_)[0] : device_ && device_->dsr();
}
bool SimCommControl::ctsHolding() {
    check(Member::CTS);
    requireOpen();
    return lines_ ? (*lines_)[1] : device_ && device_->cts();
}
bool SimCommControl::cdHolding() {
    check(Member::CD);
    requireOpen();
    return lines_ ? (*lines_)[2] : device_ && device_->cd();
}

// Moves every byte whose last bit has left the wire to the far end.
void SimCommControl::pump() {
    const std::int64_t now = clock_();
    std::vector<SerialDevice::Timed> reply;
    while (!tx_.empty() && tx_.front().doneUs <= now) {
        const TxByte b = tx_.front();
        tx_.pop_front();
        if (device_) device_->received(b.byte, b.doneUs, b.baud, reply);
    }
    if (!reply.empty()) {
        rx_.insert(rx_.end(), reply.begin(), reply.end());
        std::stable_sort(rx_.begin(), rx_.end(), [](const auto& a, const auto& b) { return a.atUs < b.atUs; });
    }
}

int SimCommControl::inBufferCount() {
    check(Member::InBufferCount);
    requireOpen();
    pump();
    const std::int64_t now = clock_();
    return static_cast<int>(std::count_if(rx_.begin(), rx_.end(), [now](const auto& t) { return t.atUs <= now; }));
}

std::vector<std::uint8_t> SimCommControl::input() {
    check(Member::Input);
    requireOpen();
    pump();
    const std::int64_t now = clock_();
    std::vector<std::uint8_t> out;
    auto it = rx_.begin();
    while (it != rx_.end() && it->atUs <= now) out.push_back((it++)->byte);
    rx_.erase(rx_.begin(), it);
    return out;
}

int SimCommControl::outBufferCount() {
    check(Member::OutBufferCount);
    requireOpen();
    pump();
    return static_cast<int>(tx_.size());
}

std::int16_t SimCommControl::outBufferSize() const {
    const_cast<SimCommControl*>(this)->check(Member::OutBufferSize);
    return outBufferSize_;
}

void SimCommControl::output(const std::u16string& text) {
    check(Member::Output);
    requireOpen();
    pump();
    const std::int64_t now = clock_();
    std::int64_t t = std::max(now, tx_.empty() ? now : tx_.back().doneUs);
    std::string bytes;
    for (char16_t c : text) bytes += c < 0x80 ? static_cast<char>(c) : '?';
    const std::int64_t step = byteTimeUs(current_.speed);
    for (char c : bytes) {
        t += step;
        tx_.push_back(TxByte{static_cast<std::uint8_t>(c), t, current_.speed});
    }
    writes_.push_back(Write{bytes, current_.speed, now});
}

int SimCommControl::commEvent() const {
    const_cast<SimCommControl*>(this)->check(Member::CommEvent);
    return 0;
}

void SimCommControl::deliver(const std::vector<std::uint8_t>& bytes, std::optional<std::int64_t> atUs) {
    const std::int64_t at = atUs.value_or(clock_());
    for (auto b : bytes) rx_.push_back(SerialDevice::Timed{at, b});
    std::stable_sort(rx_.begin(), rx_.end(), [](const auto& a, const auto& b) { return a.atUs < b.atUs; });
}

void SimCommControl::deliverText(const std::string& text, std::optional<std::int64_t> atUs) {
    deliver(std::vector<std::uint8_t>(text.begin(), text.end()), atUs);
}

std::string SimCommControl::written() const {
    std::string all;
    for (const auto& w : writes_) all += w.bytes;
    return all;
}

}  // namespace testsupport
