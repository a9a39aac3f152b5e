#pragma once

#include <string>

#include "comm/CommControl.h"
#include "comm/LineSettings.h"
#include "console/settings/PrivateProfile.h"
#include "platform/posix/OutputQueue.h"
#include "platform/posix/PortDevice.h"

namespace platform::posix {

// The serial control on a termios device. Port n is the device that key COMn
// of [Ports] in the settings file names, else /dev/ttyS<n-1>. Settings and
// the DTR/RTS outputs are held while the port is closed and applied at the
// next open; on an open port they take effect at once.
class PosixCommControl : public comm::CommControl {
public:
    PosixCommControl(console::PrivateProfile& profile, std::string iniPath);

    void setCommPort(int port) override;
    int commPort() const override { return port_; }
    void setSettings(const std::u16string& settings) override;
    std::u16string settings() const override { return settingsText_; }
    void setPortOpen(bool open) override;
    bool portOpen() const override { return device_.isOpen(); }

    void setInputMode(int mode) override;
    void setInputLen(int len) override;
    void setHandshaking(int mode) override;
    void setRThreshold(int n) override;
    void setSThreshold(int n) override;

    void setRTSEnable(bool on) override;
    bool rtsEnable() const override { return rts_; }
    void setDTREnable(bool on) override;
    bool dtrEnable() const override { return dtr_; }
    bool dsrHolding() override;
    bool ctsHolding() override;
    bool cdHolding() override;
    bool inputLinesReadable() noexcept override { return device_.isOpen() && !device_.modemLinesMissing(); }

    int inBufferCount() override;
    std::vector<std::uint8_t> input() override;
    int outBufferCount() override;
    std::int16_t outBufferSize() const override { return 512; }
    void output(const std::u16string& text) override;
    int commEvent() const override { return lastEvent_; }

private:
    void open();
    void applyHeldLines();
    void requireOpen() const;
    void flushOrThrow();
    int pushQueued();
    bool heldLine(InputLine line);

    console::PrivateProfile& profile_;
    std::string iniPath_;
    PortDevice device_;
    OutputQueue queue_;
    int port_ = 1;
    comm::LineSettings settings_;
    std::u16string settingsText_ = u"9600,N,8,1";
    // Most modules ignore commands while DTR is down, so it starts up.
    bool dtr_ = true;
    bool rts_ = false;
    int lastEvent_ = 0;
    bool kernelDrained_ = false;  // the kernel sent all it was given
    int counted_ = 0;             // received bytes counted and not yet read
};

}  // namespace platform::posix
