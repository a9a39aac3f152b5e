#include "tests/support/ModuleDevice.h"

namespace testsupport {

ModuleDevice::ModuleDevice(gsm::ModuleConfig config) : module_(std::move(config)) {}

void ModuleDevice::received(std::uint8_t byte, std::int64_t atUs, long baud, std::vector<Timed>& reply) {
    std::vector<gsm::TimedByte> out;
    module_.receive(byte, atUs, baud, out);
    for (const auto& b : out) reply.push_back(Timed{b.atUs, b.byte});
}

}  // namespace testsupport
