#pragma once

#include "tests/support/SerialDevice.h"
#include "tools/gsm/Module.h"

namespace testsupport {

// The GSM module model on the far end of the simulated port.
class ModuleDevice : public SerialDevice {
public:
    explicit ModuleDevice(gsm::ModuleConfig config = {});

    void received(std::uint8_t byte, std::int64_t atUs, long baud, std::vector<Timed>& reply) override;
    bool dsr() const override { return module_.config().dsr; }
    bool cts() const override { return module_.config().cts; }
    bool cd() const override { return module_.config().cd; }

    gsm::Module& module() { return module_; }

private:
    gsm::Module module_;
};

}  // namespace testsupport
