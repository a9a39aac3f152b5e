#include "tests/qt/CountingPort.h"

namespace qttest {

CountingPort::CountingPort(comm::CommControl& port) : port_(port) {
    port_.OnComm = [this] {
        if (OnComm) OnComm();
    };
}

std::vector<std::uint8_t> CountingPort::input() {
    std::vector<std::uint8_t> got = port_.input();
    bytes_ += got.size();
    if (!got.empty()) ++reads_;
    return got;
}

}  // namespace qttest
